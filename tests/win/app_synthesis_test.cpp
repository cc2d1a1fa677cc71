// The synthesis tab driven in-process: the test encoder chosen, the demo
// movie burnt from the page with progress and the completion text, the
// same frames as "Qucapcmd render" writes through that encoder; the abort
// answered Yes and No; the overwrite question asked again for another file;
// the SAMI and SRT buttons writing what the console tool writes; the filter
// list. The test encoder is registered for every process (its module through
// regsvr32), so the console tool started beside the test finds it too.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>

#include "app/core/main_window/main_window_texts.h"
#include "app/core/media/synthesis_progress.h"
#include "app/core/media/synthesis_start.h"
#include "app/core/synthesis/synthesis_tab.h"
#include "app/main_window/app_state.h"
#include "app/media/synthesis_graph.h"
#include "app/tabs/synthesis_page.h"
#include "resources/app/page_ids.h"
#include "resources/app/resource.h"
#include "tests/support/test_encoder/test_encoder.h"
#include "tests/win/app_window_fixture.h"
#include "tests/win/filter_module.h"
#include "tests/win/test_media.h"
#include "win32/wide.h"

namespace qucap::test {
namespace {

const std::u16string kEncoder(reinterpret_cast<const char16_t*>(kTestEncoderName));

// Runs a command line and waits for it (3 minutes at most); its exit code, or -1.
long runAndWait(std::u16string command) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, reinterpret_cast<wchar_t*>(command.data()), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process))
        return -1;
    const DWORD waited = WaitForSingleObject(process.hProcess, 180'000);
    DWORD code = DWORD(-1);
    if (waited == WAIT_OBJECT_0) GetExitCodeProcess(process.hProcess, &code);
    else TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return long(code);
}

std::u16string inQuotes(const std::u16string& text) { return u"\"" + text + u"\""; }

long qucapcmd(const std::u16string& arguments) {
    return runAndWait(inQuotes(windowsPathOf(QUCAP_PROGRAM_DIR) + u"\\Qucapcmd.exe") + u" " + arguments);
}

// The test encoder's module registered for every process during the test.
struct SharedTestEncoder {
    SharedTestEncoder() : module(inQuotes(windowsPathOf(QUCAP_TEST_ENCODER_MODULE))) {
        registered = runAndWait(u"regsvr32.exe /s " + module) == 0;
    }
    ~SharedTestEncoder() { runAndWait(u"regsvr32.exe /s /u " + module); }
    std::u16string module;
    bool registered = false;
};

void writeFile(const std::u16string& path, const std::string& bytes) {
    std::ofstream(std::filesystem::path(reinterpret_cast<const wchar_t*>(path.c_str())), std::ios::binary) << bytes;
}

bool exists(const std::u16string& path) { return GetFileAttributesW(wide(path)) != INVALID_FILE_ATTRIBUTES; }

class SynthesisTabTest : public AppWindowTest {
protected:
    void SetUp() override {
        AppWindowTest::SetUp();
        encoder_ = std::make_unique<SharedTestEncoder>();
    }
    void TearDown() override {
        // A run still going is aborted and answered Yes before the window ends.
        if (page() && page()->threadAlive()) {
            boxes_->answerNext({IDYES});
            click(kAbortSynthesisButton);
            waitForEnd();
        }
        AppWindowTest::TearDown();
        encoder_.reset();
    }

    // The demo movie's project loaded, the synthesis tab shown, the output set.
    bool openDemo() {
        if (!movie_ || !encoder_->registered) return false;
        projectFile_ = createProject(u"合成", *movie_, 720);
        if (projectFile_.empty() || !openMainWindow()) return false;
        loadOfferedProject();
        if (!app().projectLoaded) return false;
        openTab(kSynthesisTab);
        return page() != nullptr;
    }
    SynthesisPage* page() const {
        return app().initialised ? dynamic_cast<SynthesisPage*>(app().pages[std::size_t(kSynthesisTab)].get()) : nullptr;
    }
    HWND pageWindow() const { return page()->window(); }
    void click(int id) {
        SendMessageW(pageWindow(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(GetDlgItem(pageWindow(), id)));
    }
    // Picks the test encoder in the video list, as the user does.
    bool chooseTestEncoder() {
        HWND combo = GetDlgItem(pageWindow(), kVideoEncoderCombo);
        const LRESULT index = SendMessageW(combo, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(kTestEncoderName));
        if (index == CB_ERR) return false;
        SendMessageW(combo, CB_SETCURSEL, WPARAM(index), 0);
        SendMessageW(pageWindow(), WM_COMMAND, MAKEWPARAM(kVideoEncoderCombo, CBN_SELCHANGE), LPARAM(combo));
        return true;
    }
    // Pumps until the thread's end was taken; the progress texts seen.
    std::vector<std::u16string> waitForEnd() {
        std::vector<std::u16string> progress;
        const auto until = std::chrono::steady_clock::now() + std::chrono::minutes(3);
        while (page()->threadAlive() && std::chrono::steady_clock::now() < until) {
            pumpMessages(50);
            const std::u16string text = controlText(pageWindow(), kProgressArea);
            if (!text.empty() && (progress.empty() || progress.back() != text)) progress.push_back(text);
        }
        return progress;
    }
    std::u16string messageLine() const { return controlText(main(), IDC_MESSAGE_LINE); }

    std::optional<std::u16string> movie_ = testMovie("demo.avi");
    std::unique_ptr<SharedTestEncoder> encoder_;
    std::u16string projectFile_;
};

TEST_F(SynthesisTabTest, TheChosenEncoderBurnsTheDemoAsTheConsoleToolDoes) {
    if (!movie_) GTEST_SKIP() << "no demo movie (QUCAP_TEST_MEDIA)";
    ASSERT_TRUE(openDemo());
    HWND combo = GetDlgItem(pageWindow(), kVideoEncoderCombo);
    EXPECT_EQ(windowText(combo), u" 選択して下さい");
    EXPECT_EQ(controlText(pageWindow(), kAudioEncoderCombo), u" 標準のエンコーダを使う");
    EXPECT_FALSE(controlEnabled(pageWindow(), kStartSynthesisButton)) << "no encoder chosen";
    ASSERT_TRUE(chooseTestEncoder());
    EXPECT_TRUE(controlEnabled(pageWindow(), kStartSynthesisButton));

    const std::u16string output = *documents_ / u"字幕入り.avi";
    app().settings.outputMoviePath = output;
    click(kStartSynthesisButton);
    EXPECT_EQ(app().playState.load(), PlayState::Synthesizing);
    EXPECT_FALSE(controlEnabled(pageWindow(), kStartSynthesisButton));
    EXPECT_TRUE(controlEnabled(pageWindow(), kAbortSynthesisButton));
    EXPECT_FALSE(controlEnabled(main(), IDC_TABS));
    const auto started = std::chrono::steady_clock::now();
    const std::vector<std::u16string> progress = waitForEnd();
    const auto took = std::chrono::steady_clock::now() - started;

    EXPECT_TRUE(boxes_->texts().empty()) << "no question and no warning";
    EXPECT_EQ(app().playState.load(), PlayState::SynthesisDone);
    EXPECT_EQ(messageLine().rfind(kFinishedPrefix, 0), 0u) << "the completion text";
    EXPECT_EQ(messageLine().size(), kFinishedPrefix.size() + 8) << "hh:mm:ss";
    if (took > std::chrono::seconds(3)) {
        ASSERT_FALSE(progress.empty()) << "the bar showed the percentage";
        for (const std::u16string& text : progress) EXPECT_EQ(text.back(), u'%') << "progress text";
    }
    EXPECT_EQ(controlText(pageWindow(), kProgressArea), u"") << "the bar ends empty";
    EXPECT_EQ(windowText(combo), u" 選択して下さい") << "a new synthesis needs a new choice";
    EXPECT_FALSE(controlEnabled(pageWindow(), kStartSynthesisButton));
    EXPECT_TRUE(controlEnabled(main(), IDC_PLAY_PAUSE)) << "the preview is usable again";

    const std::u16string console = *documents_ / u"コンソール.avi";
    ASSERT_EQ(qucapcmd(u"render " + inQuotes(projectFile_) + u" --out " + inQuotes(console) + u" --video-encoder " +
                       inQuotes(kEncoder) + u" --yes"),
              0L);
    const std::vector<std::string> fromPage = aviVideoChunks(output);
    EXPECT_EQ(fromPage.size(), 300u);
    EXPECT_TRUE(fromPage == aviVideoChunks(console)) << "the same frames as Qucapcmd render writes";
    ASSERT_FALSE(fromPage.empty());
    EXPECT_FALSE(decodeTestEncoderFrame(fromPage.front(), 720, 480).empty()) << "frames of the test encoder";
}

TEST_F(SynthesisTabTest, AbortAnsweredYesKeepsTheOldOutputAndNoGoesOnToTheEnd) {
    if (!movie_) GTEST_SKIP() << "no demo movie (QUCAP_TEST_MEDIA)";
    ASSERT_TRUE(openDemo());
    const std::u16string output = *documents_ / u"古い.avi";
    writeFile(output, "old movie");
    app().settings.outputMoviePath = output;

    // Yes to the overwrite question, then abort and Yes to the interruption question.
    ASSERT_TRUE(chooseTestEncoder());
    boxes_->answerNext({IDYES, IDYES});
    click(kStartSynthesisButton);
    ASSERT_TRUE(page()->threadAlive());
    click(kAbortSynthesisButton);
    EXPECT_EQ(app().playState.load(), PlayState::Paused);
    // While the thread lives no preview may start on its graph.
    for (int id : {IDC_PLAY_PAUSE, IDC_STOP, IDC_FRAME_BACK, IDC_FRAME_FORWARD, IDC_POSITION_SCROLL})
        EXPECT_FALSE(controlEnabled(main(), id)) << id;
    SendMessageW(main(), WM_COMMAND, IDC_PLAY_PAUSE, 0);
    EXPECT_EQ(app().playState.load(), PlayState::Paused) << "play is refused";
    waitForEnd();
    EXPECT_EQ(boxes_->texts(), (std::vector<std::u16string>{std::u16string(kOutputExistsQuestion),
                                                            std::u16string(kInterruptionQuestion)}));
    EXPECT_EQ(messageLine(), kProcessingInterrupted);
    EXPECT_EQ(app().playState.load(), PlayState::SynthesisDone);
    EXPECT_EQ(fileBytes(output), "old movie") << "the old output is untouched";
    EXPECT_FALSE(exists(temporaryOutputName(output))) << "nothing half-written is left";

    // The same file again: its replacement was agreed to, so only the
    // interruption question comes; No goes on writing to the end.
    boxes_->clear();
    ASSERT_TRUE(chooseTestEncoder());
    boxes_->answerNext({IDNO});
    click(kStartSynthesisButton);
    click(kAbortSynthesisButton);
    waitForEnd();
    EXPECT_EQ(boxes_->texts(), std::vector<std::u16string>{std::u16string(kInterruptionQuestion)});
    EXPECT_EQ(messageLine().rfind(kFinishedPrefix, 0), 0u);
    EXPECT_EQ(aviVideoChunks(output).size(), 300u);

    // Another existing file is asked about again; No and a cancelled save
    // dialog refuse the start and leave it.
    boxes_->clear();
    const std::u16string other = *documents_ / u"別の.avi";
    writeFile(other, "another");
    app().settings.outputMoviePath = other;
    ASSERT_TRUE(chooseTestEncoder());
    boxes_->answerNext({IDNO});
    ModalSteps cancel;
    runModal([&] { click(kStartSynthesisButton); }, [] { return findSaveDialog(L"動画ﾌｧｲﾙ"); }, cancel);
    EXPECT_FALSE(page()->threadAlive());
    EXPECT_EQ(boxes_->texts(), std::vector<std::u16string>{std::u16string(kOutputExistsQuestion)});
    EXPECT_EQ(fileBytes(other), "another");
    EXPECT_EQ(app().playState.load(), PlayState::Stopped);
}

TEST_F(SynthesisTabTest, TheExportButtonsWriteWhatTheConsoleToolWritesAndTheFilterListNamesTheGraph) {
    if (!movie_) GTEST_SKIP() << "no demo movie (QUCAP_TEST_MEDIA)";
    ASSERT_TRUE(openDemo());
    struct Export {
        int button;
        std::wstring_view kind;
        std::u16string name, verb;
        std::u16string done;
    };
    const Export exports[] = {
        {kExportSamiButton, L"SAMIﾌｧｲﾙ", u"字幕.smi", u"export-sami", u"SAMIファイルを出力しました。"},
        {kExportSrtButton, L"SRTﾌｧｲﾙ", u"字幕.srt", u"export-srt", u"SRTファイルを出力しました。"},
    };
    for (const Export& e : exports) {
        boxes_->clear();
        const std::u16string path = *documents_ / e.name;
        ModalSteps steps;
        steps.steps = {[&](HWND dialog) { answerSaveDialog(dialog, path); }};
        runModal([&] { click(e.button); }, [&] { return findSaveDialog(e.kind); }, steps);
        pumpMessages();
        ASSERT_EQ(boxes_->texts().size(), 1u);
        EXPECT_EQ(boxes_->texts()[0].rfind(e.done, 0), 0u) << "the completion box";
        const std::u16string console = *documents_ / (u"コンソール" + e.name);
        ASSERT_EQ(qucapcmd(e.verb + u" " + inQuotes(projectFile_) + u" " + inQuotes(console)), 0L);
        EXPECT_FALSE(fileBytes(path).empty());
        EXPECT_EQ(fileBytes(path), fileBytes(console)) << "byte-equal to the console tool's file";
    }

    boxes_->clear();
    click(kFilterListButton);
    pumpMessages();
    ASSERT_EQ(boxes_->texts().size(), 1u);
    const std::u16string list = boxes_->texts()[0];
    EXPECT_EQ(list.rfind(u"登録されているフィルタ\n", 0), 0u) << "the heading";
    EXPECT_GT(std::count(list.begin(), list.end(), u'\n'), 1) << "the loaded graph's filters: " << wide(list);
}

}  // namespace
}  // namespace qucap::test
