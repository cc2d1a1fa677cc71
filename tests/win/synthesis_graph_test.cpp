// The synthesis graph and its thread in real Wine graphs on the base
// classes' small test movie: the file written under a temporary name and
// renamed when complete, the interruption (a pause from another thread, the
// abort call) answered Yes or No, and the refusals that leave nothing behind. A transform of the
// tests' own stands in for the caption filter, so the written frames can be
// compared with the movie's own.
#include "app/media/synthesis_graph.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <new>
#include <thread>

#include "app/core/media/synthesis_progress.h"
#include "app/core/media/synthesis_start.h"
#include "app/media/com_apartment.h"
#include "app/media/encoders.h"
#include "app/media/synthesis_run.h"
#include "tests/support/platform_shiftjis.h"
#include "tests/support/test_encoder/test_encoder.h"
#include "tests/win/dshowbase_invert_filter.h"
#include "tests/win/dshowbase_test_support.h"
#include "tests/win/temp_folder.h"
#include "tests/win/test_media.h"
#include "win32/win32_file_system.h"

namespace qucap::test {
namespace {

// The tests' own transform on the base classes stands in for the caption
// filter: 24-bit RGB in, 32-bit RGB out with every colour byte inverted.
HRESULT invertingFilter(ComPtr<IBaseFilter>& filter) {
    auto* made = new (std::nothrow) dshowbase_test::InvertFilter(nullptr);
    if (!made) return E_OUTOFMEMORY;
    filter = ComPtr<IBaseFilter>::share(made);
    return S_OK;
}

// The frame the inverting filter makes of the test movie's frame.
std::string invertedFrame(int frame) {
    using namespace dshowbase_test;
    std::string rgb32(std::size_t(kOutputStride * kHeight), '\0');
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            for (int c = 0; c < 3; ++c)
                rgb32[std::size_t(y * kOutputStride + 4 * x + c)] = char(255 - movieByte(frame, y * kInputStride + 3 * x + c));
    return rgb32;
}

// A filter with no output pin: nothing can reach the multiplexer.
HRESULT nullRenderer(ComPtr<IBaseFilter>& filter) {
    return CoCreateInstance(kClsidNullRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter, filter.putVoid());
}

// The user seam of the synthesis thread: the message lines in order, the
// questions with scripted answers, and a hook called at the first message
// line (the run has just started the graph).
class RunUi : public Ui {
public:
    void messageBox(std::u16string_view text, std::u16string_view, MessageIcon) override {
        boxes.emplace_back(text);
    }
    bool askYesNo(std::u16string_view text, std::u16string_view title) override {
        questions.emplace_back(text);
        titles.emplace_back(title);
        if (answers.empty()) return true;
        const bool answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    }
    void setMessage(std::u16string_view text) override {
        lines.emplace_back(text);
        if (lines.size() == 1 && onStarted) onStarted();
    }
    std::optional<std::u16string> askSaveFileName(const SaveFileRequest&) override { return std::nullopt; }

    std::vector<std::u16string> boxes, questions, titles, lines;
    std::vector<bool> answers;
    std::function<void()> onStarted;
};

struct SynthesisGraphRun : ::testing::Test {
    ComApartment com;
    TempFolder media;
    TempFolder folder;
    std::u16string movie = media / u"試験.avi";
    std::u16string output = folder / u"出力.avi";
    FilterGraph graph;
    RunUi ui;
    std::vector<int> progress;

    void SetUp() override {
        ASSERT_TRUE(com.ready());
        dshowbase_test::writeTestMovie(std::wstring(wide(movie)));
    }

    SynthesisRequest request(FilterMaker maker = invertingFilter) {
        SynthesisRequest r;
        r.inputPath = movie;
        r.makeCaptionFilter = std::move(maker);
        r.checkOutput = [this] { return std::optional<std::u16string>(output); };
        return r;
    }

    SynthesisRunSetup setupFor(SynthesisGraph& synthesis) {
        SynthesisRunSetup setup;
        setup.graph = &graph;
        setup.multiplexer = synthesis.multiplexer();
        setup.outputPath = synthesis.outputPath();
        setup.ui = &ui;
        setup.progress = [this](int p) { progress.push_back(p); };
        return setup;
    }

    SynthesisOutcome run(SynthesisGraph& synthesis) {
        SynthesisRun run(setupFor(synthesis));
        if (!run.start()) return SynthesisOutcome::NotStarted;
        return run.wait();
    }

    // Pauses the graph from a thread of its own, as the abort button does
    // from the user interface thread.
    void pauseFromAnotherThread() {
        std::thread([this] { graph.control()->Pause(); }).join();
    }
};

TEST_F(SynthesisGraphRun, WritesEveryFrameOfTheMovieUnderTheOutputNameOnceComplete) {
    SynthesisGraph synthesis(graph);
    ASSERT_EQ(synthesis.build(request()), SynthesisBuild::Built);
    EXPECT_EQ(synthesis.writtenPath(), output + u".part");
    EXPECT_EQ(run(synthesis), SynthesisOutcome::Completed);
    EXPECT_TRUE(ui.questions.empty());
    ASSERT_FALSE(ui.lines.empty());
    EXPECT_EQ(ui.lines.front(), u"出力.avi 処理中");
    EXPECT_EQ(ui.lines.back().rfind(kFinishedPrefix, 0), 0u) << "the last line is the elapsed time";
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.back(), 0);

    ASSERT_EQ(synthesis.finish(true), SynthesisFinish::Replaced);
    EXPECT_EQ(namesIn(folder.path()), std::vector<std::u16string>{u"出力.avi"});
    EXPECT_EQ(fileBytes(output).substr(0, 4), "RIFF");
    EXPECT_EQ(fileBytes(output).substr(8, 4), "AVI ");
    // Every frame of the movie, in order, as the filter made it.
    const std::vector<std::string> written = aviVideoChunks(output);
    ASSERT_EQ(written.size(), std::size_t(dshowbase_test::kFrames));
    for (int n = 0; n < dshowbase_test::kFrames; ++n) EXPECT_TRUE(written[n] == invertedFrame(n)) << "frame " << n;
}

TEST_F(SynthesisGraphRun, AFinishedMovieReplacesAnOldFileOfTheOutputName) {
    putFile(output, "old movie");
    SynthesisGraph synthesis(graph);
    ASSERT_EQ(synthesis.build(request()), SynthesisBuild::Built);
    ASSERT_EQ(run(synthesis), SynthesisOutcome::Completed);
    ASSERT_EQ(synthesis.finish(true), SynthesisFinish::Replaced);
    EXPECT_EQ(aviVideoChunks(output).size(), std::size_t(dshowbase_test::kFrames));
}

TEST_F(SynthesisGraphRun, AnOldOutputAgreedToBeReplacedSurvivesARunThatIsInterrupted) {
    // The real start sequence: the output check asks, the user says Yes to
    // replacing the old movie, and then the run is paused from another
    // thread or aborted and the question answered Yes.
    for (const bool byAbortCall : {false, true}) {
        SCOPED_TRACE(byAbortCall ? "abort call" : "pause from another thread");
        putFile(output, "old movie");
        Win32FileSystem files;
        ui = RunUi();
        ui.answers = {true, true};  // replace the old file; end the interrupted run
        const Io io{files, ui, platformShiftJis()};
        SynthesisRequest started = request();
        bool overwriteConfirmed = false;
        started.checkOutput = [&]() -> std::optional<std::u16string> {
            const SynthesisStartResult checked = checkSynthesisOutput(io, movie, output, overwriteConfirmed);
            if (!checked.go()) return std::nullopt;
            return checked.outputPath;
        };
        SynthesisGraph synthesis(graph);
        ASSERT_EQ(synthesis.build(started), SynthesisBuild::Built);
        ASSERT_EQ(ui.questions, std::vector<std::u16string>{std::u16string(kOutputExistsQuestion)});
        EXPECT_EQ(fileBytes(output), "old movie") << "nothing is removed before the run";
        SynthesisRun* current = nullptr;
        ui.onStarted = [&] {
            if (byAbortCall)
                current->abort();
            else
                pauseFromAnotherThread();
        };
        SynthesisRun run(setupFor(synthesis));
        current = &run;
        ASSERT_TRUE(run.start());
        EXPECT_EQ(run.wait(), SynthesisOutcome::Interrupted);
        EXPECT_EQ(ui.questions.back(), kInterruptionQuestion);
        EXPECT_EQ(ui.titles.back(), kProgramTitle);
        EXPECT_EQ(ui.lines.back(), kProcessingInterrupted);
        EXPECT_EQ(progress.back(), 0);
        EXPECT_EQ(synthesis.finish(false), SynthesisFinish::Discarded);
        // The interrupted movie is gone; the old file is as it was.
        EXPECT_EQ(namesIn(folder.path()), std::vector<std::u16string>{u"出力.avi"});
        EXPECT_EQ(fileBytes(output), "old movie");
    }
}

TEST_F(SynthesisGraphRun, AFinishedMovieThatCannotReplaceTheOldFileIsKeptUnderItsTemporaryName) {
    putFile(output, "old movie");
    SynthesisGraph synthesis(graph);
    ASSERT_EQ(synthesis.build(request()), SynthesisBuild::Built);
    ASSERT_EQ(run(synthesis), SynthesisOutcome::Completed);
    // Another program holds the old movie open and lets nobody delete it.
    const HANDLE held = CreateFileW(wide(output), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const SynthesisFinish finished = synthesis.finish(true);
    CloseHandle(held);
    EXPECT_EQ(finished, SynthesisFinish::KeptUnderTemporaryName);
    EXPECT_EQ(fileBytes(output), "old movie");
    EXPECT_EQ(aviVideoChunks(synthesis.writtenPath()).size(), std::size_t(dshowbase_test::kFrames));
}

TEST_F(SynthesisGraphRun, AnsweringNoRunsTheGraphAgainAndTheSameFileIsFinished) {
    SynthesisGraph synthesis(graph);
    ASSERT_EQ(synthesis.build(request()), SynthesisBuild::Built);
    ui.answers = {false};
    ui.onStarted = [this] { pauseFromAnotherThread(); };
    EXPECT_EQ(run(synthesis), SynthesisOutcome::Completed);
    EXPECT_EQ(ui.questions.size(), 1u);
    ASSERT_EQ(synthesis.finish(true), SynthesisFinish::Replaced);
    EXPECT_EQ(aviVideoChunks(output).size(), std::size_t(dshowbase_test::kFrames));
}

TEST_F(SynthesisGraphRun, RefusedOutputChecksStopTheBuildBeforeAnyFileIsMade) {
    SynthesisGraph synthesis(graph);
    SynthesisRequest refused = request();
    int checks = 0;
    refused.checkOutput = [&] {
        ++checks;
        return std::optional<std::u16string>();
    };
    EXPECT_EQ(synthesis.build(refused), SynthesisBuild::OutputRefused);
    EXPECT_EQ(checks, 1);
    EXPECT_TRUE(graph.filterNames().empty());
    EXPECT_TRUE(namesIn(folder.path()).empty());
}

TEST_F(SynthesisGraphRun, AGraphWhoseMultiplexerGetsNoStreamIsRefusedInsteadOfRunningForever) {
    SynthesisGraph synthesis(graph);
    EXPECT_EQ(synthesis.build(request(nullRenderer)), SynthesisBuild::NotConnected);
    EXPECT_EQ(synthesis.finish(false), SynthesisFinish::Discarded);
    EXPECT_TRUE(namesIn(folder.path()).empty());
}

TEST_F(SynthesisGraphRun, AMissingMovieOrCaptionFilterStopsTheBuild) {
    SynthesisGraph synthesis(graph);
    SynthesisRequest missing = request();
    missing.inputPath = folder / u"無い.avi";
    EXPECT_EQ(synthesis.build(missing), SynthesisBuild::NoSource);
    SynthesisRequest noFilter = request([](ComPtr<IBaseFilter>&) { return REGDB_E_CLASSNOTREG; });
    EXPECT_EQ(synthesis.build(noFilter), SynthesisBuild::NoCaptionFilter);
    EXPECT_EQ(synthesis.lastResult(), REGDB_E_CLASSNOTREG);
    EXPECT_EQ(synthesis.finish(false), SynthesisFinish::Discarded);
    EXPECT_TRUE(namesIn(folder.path()).empty());
}

TEST_F(SynthesisGraphRun, ThroughAVideoEncoderEveryFrameDecodesToWhatTheFilterMade) {
    const TestEncoderRegistration registration;
    ASSERT_EQ(registration.result(), S_OK);
    const std::u16string name(reinterpret_cast<const char16_t*>(kTestEncoderName));
    const EncoderTables tables = buildEncoderTables();
    const auto listed = [&](const std::vector<std::u16string>& table) {
        return std::find(table.begin(), table.end(), name) != table.end();
    };
    EXPECT_TRUE(listed(tables.videoEncoderFilters));
    EXPECT_FALSE(listed(tables.audioEncoderFilters));

    SynthesisRequest throughEncoder = request();
    throughEncoder.encoders = &tables;
    throughEncoder.videoEncoder = name;
    SynthesisGraph synthesis(graph);
    ASSERT_EQ(synthesis.build(throughEncoder), SynthesisBuild::Built);
    ASSERT_TRUE(graph.videoEncoder());
    const std::vector<std::u16string> filters = graph.filterNames();
    EXPECT_NE(std::find(filters.begin(), filters.end(), name), filters.end()) << "added under its friendly name";
    ASSERT_EQ(run(synthesis), SynthesisOutcome::Completed);
    ASSERT_EQ(synthesis.finish(true), SynthesisFinish::Replaced);

    const std::vector<std::string> written = aviVideoChunks(output);
    ASSERT_EQ(written.size(), std::size_t(dshowbase_test::kFrames));
    for (int n = 0; n < dshowbase_test::kFrames; ++n) {
        const std::vector<uint8_t> decoded =
            decodeTestEncoderFrame(written[n], dshowbase_test::kWidth, dshowbase_test::kHeight);
        EXPECT_TRUE(std::string(decoded.begin(), decoded.end()) == invertedFrame(n)) << "frame " << n;
    }
}

}  // namespace
}  // namespace qucap::test
