// Where a synthesis spends its time, for tools/bench_stages.sh (skipped
// unless QUCAP_STAGES_PROJECT names a project and QUCAP_STAGES_PROGRAM the
// folder of Qucapsyf.ax): the movie read by its source and splitter into
// null renderers; the same in the picture type the caption filter takes (the
// splitter's conversion); the same through the caption filter; and the whole
// synthesis as "Qucapcmd render" runs it (multiplexer, file writer, run
// loop, finish). Each graph runs without a clock, as fast as it can; the
// best of five runs counts. The differences name each component's share.
// The caption filter's own step times in both graphs, against the same
// frames composed in-process from one warm buffer (its ComposeFrame cost).
// And the timing analysis of a movie (tools/bench_analysis.sh, skipped unless
// QUCAP_ANALYSIS_MOVIE names one).
#include <windows.h>
// In this order: the second header uses the first one's types.
#include <dshow.h>
#include <dvdmedia.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/media/caption_filter.h"
#include "app/media/com_apartment.h"
#include "app/media/directshow_ids.h"
#include "app/media/movie_analysis.h"
#include "app/media/movie_source.h"
#include "app/media/pins.h"
#include "app/media/sample_grabber.h"
#include "app/media/synthesis_graph.h"
#include "app/media/synthesis_run.h"
#include "captiondata/project/project_settings.h"
#include "filter/core/compose/compositor.h"
#include "filter/core/filter_tables.h"
#include "filter/win/drive_types.h"
#include "filter/win/gdi_rasteriser.h"
#include "filter/win/gdi_surface.h"
#include "filter/win/iqucapsyf_step_times.h"
#include "tests/support/platform_shiftjis.h"
#include "tests/win/environment_variable.h"
#include "tests/win/temp_folder.h"
#include "win32/win32_file_system.h"

namespace qucap::test {
namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// Answers the interruption question Yes and keeps no lines.
class QuietUi : public Ui {
public:
    void messageBox(std::u16string_view, std::u16string_view, MessageIcon) override {}
    bool askYesNo(std::u16string_view, std::u16string_view) override { return true; }
    void setMessage(std::u16string_view) override {}
    std::optional<std::u16string> askSaveFileName(const SaveFileRequest&) override { return std::nullopt; }
};

// The splitter's audio, where there is one, into a null renderer of its own.
void renderAudioToNull(FilterGraph& graph) {
    ComPtr<IEnumFilters> filters;
    if (FAILED(graph.graph()->EnumFilters(filters.put()))) return;
    ComPtr<IBaseFilter> filter;
    while (filters->Next(1, filter.put(), nullptr) == S_OK) {
        const ComPtr<IPin> audio = findFreeOutputPin(filter.get(), MEDIATYPE_Audio);
        if (!audio) continue;
        ComPtr<IBaseFilter> sink;
        if (FAILED(graph.addNewFilter(kClsidNullRenderer, L"Audio Null", sink))) return;
        graph.graph()->Connect(audio.get(), findFreePin(sink.get(), PINDIR_INPUT).get());
        return;
    }
}

// The picture the caption filter takes in: its kind, size and frame time.
// Wine's splitter offers YUY2 with a VIDEOINFOHEADER, which the filter
// refuses, and then converts to RGB32 itself: the warm composing must take
// the same kind of picture as the graph, or it times a different step.
struct FilterInput {
    GUID subtype = MEDIASUBTYPE_YUY2;
    int32_t bits = 16;
    int32_t width = 0, height = 0;
    int64_t frameTime = 0;  // 100-ns units

    PictureKind kind() const { return subtype == MEDIASUBTYPE_YUY2 ? PictureKind::Yuy2 : PictureKind::Rgb; }
};

std::string describe(const FilterInput& input) {
    const std::string kind = input.kind() == PictureKind::Yuy2 ? "YUY2" : "RGB" + std::to_string(input.bits);
    return kind + " " + std::to_string(input.width) + "x" + std::to_string(std::abs(input.height));
}

// The picture of a connection type the filter takes, from its format block.
void readFilterInput(const AM_MEDIA_TYPE& type, FilterInput& input) {
    const BITMAPINFOHEADER* header = nullptr;
    int64_t frameTime = 0;
    if (type.formattype == FORMAT_VideoInfo && type.cbFormat >= sizeof(VIDEOINFOHEADER)) {
        const auto* info = reinterpret_cast<const VIDEOINFOHEADER*>(type.pbFormat);
        header = &info->bmiHeader;
        frameTime = info->AvgTimePerFrame;
    } else if (type.formattype == FORMAT_VideoInfo2 && type.cbFormat >= sizeof(VIDEOINFOHEADER2)) {
        const auto* info = reinterpret_cast<const VIDEOINFOHEADER2*>(type.pbFormat);
        header = &info->bmiHeader;
        frameTime = info->AvgTimePerFrame;
    }
    if (header == nullptr) return;
    input = {type.subtype, header->biBitCount, header->biWidth, header->biHeight, frameTime};
}

// Switches the caption filter's step times on, before a run.
void keepStepTimes(IBaseFilter* filter) {
    ComPtr<IQucapsyfStepTimes> times;
    if (ComPtr<IBaseFilter>::share(filter).query(kIidIQucapsyfStepTimes, times) == S_OK) times->KeepStepTimes(TRUE);
}

// The step times after a run, and the size and frame time of its input.
SampleStepTimes stepTimesOf(IBaseFilter* filter, FilterInput* input) {
    SampleStepTimes sums;
    ComPtr<IQucapsyfStepTimes> times;
    if (ComPtr<IBaseFilter>::share(filter).query(kIidIQucapsyfStepTimes, times) == S_OK) times->GetStepTimes(&sums);
    AM_MEDIA_TYPE type{};
    ComPtr<IPin> in;
    ComPtr<IEnumPins> pins;
    if (input != nullptr && SUCCEEDED(filter->EnumPins(pins.put())) && pins->Next(1, in.put(), nullptr) == S_OK &&
        SUCCEEDED(in->ConnectionMediaType(&type))) {
        readFilterInput(type, *input);
        CoTaskMemFree(type.pbFormat);
        if (type.pUnk != nullptr) type.pUnk->Release();
    }
    return sums;
}

// The movie into null renderers: through the caption filter when `maker` is
// given, or else through a Sample Grabber that takes only `subtype` when that
// is given (so the splitter converts to what the filter takes); the
// seconds from run to completion, or -1 when it did not run.
double runIntoNullRenderers(const std::u16string& movie, const FilterMaker& maker, SampleStepTimes* steps = nullptr,
                            FilterInput* input = nullptr, const GUID* subtype = nullptr) {
    FilterGraph graph;
    if (graph.createGraph() != 0) return -1;
    ComPtr<IBaseFilter> source, caption, gate, sink;
    ComPtr<ISampleGrabber> grabber;
    if (maker && FAILED(addCaptionFilter(graph, maker, caption))) return -1;
    if (!maker && subtype != nullptr && FAILED(addVideoSampleGrabber(graph, gate, grabber, *subtype))) return -1;
    if (FAILED(graph.addSourceFilter(movie, source)) || FAILED(graph.addNewFilter(kClsidNullRenderer, L"Null", sink)))
        return -1;
    if (IBaseFilter* between = caption ? caption.get() : gate.get()) {
        connectMovieTo(graph, source.get(), between);
        graph.graph()->Connect(findFreePin(between, PINDIR_OUTPUT).get(), findFreePin(sink.get(), PINDIR_INPUT).get());
    } else {
        connectMovieTo(graph, source.get(), sink.get());
    }
    renderAudioToNull(graph);
    graph.removeClock();
    if (caption) keepStepTimes(caption.get());
    const Clock::time_point start = Clock::now();
    if (FAILED(graph.run())) return -1;
    long code = 0;
    graph.events()->WaitForCompletion(INFINITE, &code);
    const double seconds = secondsSince(start);
    graph.stop();
    if (caption && steps != nullptr) *steps = stepTimesOf(caption.get(), input);
    graph.releaseGraph();
    return seconds;
}

// The compositor the filter runs, with the project's settings and tables,
// composing `frames` sample times of a picture of the input's kind and size
// from one warm buffer into another, as the ComposeFrame benchmark does; its
// step times.
SampleStepTimes composeWarm(const Io& io, const std::u16string& program, const FilterInput& input, int64_t frames) {
    const FilterSettings settings = readFilterSettings(io, program + u"\\Qucapsyf.ax");
    FilterTables tables;
    loadFilterTables(io, Win32DriveTypes{}, settings, tables);
    GdiRasteriser rasteriser;
    GdiSurfaceFactory surfaces;
    FrameCompositor compositor(rasteriser, surfaces);
    compositor.initialise(settings, tables.captions, tables.boxes, tables.colours);
    const int32_t rows = std::abs(input.height);
    const std::size_t rowBytes = (std::size_t(input.width) * std::size_t(input.bits) / 8 + 3) & ~std::size_t(3);
    std::vector<uint8_t> picture(rowBytes * std::size_t(rows), 0x80);
    std::vector<uint8_t> output(std::size_t(input.width) * rows * 4);
    ComposeRequest request;
    request.input = picture.data();
    request.inputSize = picture.size();
    request.inputFormat = {input.kind(), input.width, input.height, input.bits, {}};
    request.output = output.data();
    request.outputSize = output.size();
    request.outputFormat = {PictureKind::Rgb, input.width, input.height, 32, {}};
    // One frame first, so the fonts and the first layout are made outside the sums.
    request.times = SampleTimes{0, input.frameTime};
    compositor.composeFrame(request);
    compositor.stopwatch().enable(true);
    for (int64_t frame = 0; frame < frames; ++frame) {
        request.times = SampleTimes{frame * input.frameTime, (frame + 1) * input.frameTime};
        compositor.stopwatch().countSample();
        compositor.composeFrame(request);
    }
    return compositor.stopwatch().times();
}

double millisecondsPerSample(const SampleStepTimes& times, SampleStep from, SampleStep to) {
    int64_t sum = 0;
    for (std::size_t step = std::size_t(from); step <= std::size_t(to); ++step) sum += times.nanoseconds[step];
    return times.samples > 0 ? double(sum) / 1e6 / double(times.samples) : 0;
}

// The filter's steps per sample in the graph into null renderers, in the
// synthesis, and composed warm; then the composing steps' sums and ratios.
void printStepTable(const SampleStepTimes& graph, const SampleStepTimes& synthesis, const SampleStepTimes& warm,
                    const FilterInput& input) {
    std::printf("steps | the caption filter takes %s from the splitter; composed warm from the same\n",
                describe(input).c_str());
    std::printf("steps | %-36s | null renderers | synthesis | warm in-process (ms a sample)\n", "step of the caption filter");
    for (std::size_t k = 0; k < kSampleStepCount; ++k) {
        const auto step = SampleStep(k);
        std::printf("steps | %-36s | %8.3f | %8.3f | %8.3f\n", std::string(kSampleStepNames[k]).c_str(),
                    millisecondsPerSample(graph, step, step), millisecondsPerSample(synthesis, step, step),
                    millisecondsPerSample(warm, step, step));
    }
    const double inGraph = millisecondsPerSample(graph, SampleStep::Surface, SampleStep::FinalFlush);
    const double inSynthesis = millisecondsPerSample(synthesis, SampleStep::Surface, SampleStep::FinalFlush);
    const double composed = millisecondsPerSample(warm, SampleStep::Surface, SampleStep::FinalFlush);
    const double own = millisecondsPerSample(graph, SampleStep::OutputSample, SampleStep::FinalFlush);
    std::printf("steps | composing (bitmap to last flush): %.3f ms in the graph, %.3f ms in the synthesis, %.3f ms warm: "
                "%.2f and %.2f times warm\n",
                inGraph, inSynthesis, composed, composed > 0 ? inGraph / composed : 0,
                composed > 0 ? inSynthesis / composed : 0);
    std::printf("steps | the filter's own time a sample (output sample to last flush) in the graph: %.3f ms, "
                "%.2f times warm composing; %lld and %lld samples\n",
                own, composed > 0 ? own / composed : 0, (long long)graph.samples, (long long)synthesis.samples);
}

struct WholeRun {
    double build = -1, run = -1, finish = -1;
    FileWriteStats writer;
    FinishTimes finishSteps;
    SampleStepTimes filterSteps;
};

// The synthesis as the console's render runs it, into `output`.
WholeRun runSynthesis(const std::u16string& movie, const FilterMaker& maker, const std::u16string& output) {
    WholeRun whole;
    FilterGraph graph;
    SynthesisGraph synthesis(graph);
    SynthesisRequest request;
    request.inputPath = movie;
    request.makeCaptionFilter = maker;
    request.timeFileWrites = true;
    request.checkOutput = [&] { return std::optional<std::u16string>(output); };
    Clock::time_point start = Clock::now();
    if (synthesis.build(request) != SynthesisBuild::Built) return whole;
    whole.build = secondsSince(start);
    QuietUi ui;
    SynthesisRunSetup setup;
    setup.graph = &graph;
    setup.multiplexer = synthesis.multiplexer();
    setup.outputPath = synthesis.outputPath();
    setup.ui = &ui;
    setup.progress = [](int) {};
    SynthesisRun run(setup);
    keepStepTimes(graph.captionFilter().get());
    start = Clock::now();
    if (!run.start() || run.wait() != SynthesisOutcome::Completed) return whole;
    whole.run = secondsSince(start);
    whole.filterSteps = stepTimesOf(graph.captionFilter().get(), nullptr);
    start = Clock::now();
    synthesis.finish(true);
    whole.finish = secondsSince(start);
    whole.finishSteps = synthesis.finishTimes();
    whole.writer = synthesis.writerStats();
    return whole;
}

TEST(SynthesisStages, Benchmark) {
    const std::u16string project = environmentVariable(L"QUCAP_STAGES_PROJECT");
    const std::u16string program = environmentVariable(L"QUCAP_STAGES_PROGRAM");
    if (project.empty() || program.empty()) GTEST_SKIP() << "QUCAP_STAGES_PROJECT or QUCAP_STAGES_PROGRAM is not set";
    ComApartment com;
    ASSERT_TRUE(com.ready());
    Win32FileSystem files;
    QuietUi ui;
    const Io io{files, ui, platformShiftJis()};
    ProjectSettings settings;
    ASSERT_EQ(LoadProjectSettings(io, project, settings), 0);
    // The filter reads the project named beside its module, as for a render.
    ASSERT_EQ(recordLastProject(io, program + u"\\Qucapadd.ini", project), 0);
    const FilterMaker maker = captionFilterMaker(program);
    TempFolder folder;

    double source = 1e9, converted = 1e9, filtered = 1e9, firstWhole = 0, firstSource = 0;
    WholeRun best;
    SampleStepTimes filteredSteps;
    FilterInput input;
    for (int round = 0; round < 5; ++round) {
        const double read = runIntoNullRenderers(settings.inputMoviePath, nullptr);
        if (round == 0) firstSource = read;
        source = std::min(source, read);
        SampleStepTimes steps;
        const double through = runIntoNullRenderers(settings.inputMoviePath, maker, &steps, &input);
        if (through < filtered) filteredSteps = steps;
        filtered = std::min(filtered, through);
        // The same picture type without the filter: what the splitter's
        // conversion to the filter's input costs on its own.
        const double typed = runIntoNullRenderers(settings.inputMoviePath, nullptr, nullptr, nullptr, &input.subtype);
        ASSERT_GT(typed, 0) << "the movie did not run in the caption filter's input type";
        converted = std::min(converted, typed);
        // A render into a new file: the last round's movie is not replaced.
        const std::u16string output = folder / u"出力.avi";
        DeleteFileW(reinterpret_cast<const wchar_t*>(output.c_str()));
        const WholeRun whole = runSynthesis(settings.inputMoviePath, maker, output);
        ASSERT_GT(whole.run, 0) << "the synthesis did not complete";
        if (round == 0) firstWhole = whole.build + whole.run + whole.finish;
        if (best.run < 0 || whole.run < best.run) best = whole;
    }
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    const double writer = double(best.writer.ioTicks) / double(frequency.QuadPart);
    const double total = best.build + best.run + best.finish;
    // The graphs grow stage by stage; the streams and the multiplexer run on
    // threads of their own, so a stage's share is its graph's growth.
    auto row = [total](const char* graph, double seconds, double share) {
        std::printf("stages | %-52s | %6.3f s | %+6.3f s | %5.1f %%\n", graph, seconds, share, 100 * share / total);
    };
    row("building the synthesis graph (ours)", best.build, best.build);
    row("source and splitter into null renderers", source, source);
    row("+ the splitter's conversion to the filter's input", converted, converted - source);
    row("+ caption filter (ours)", filtered, filtered - converted);
    row("+ multiplexer and file writer: the synthesis run", best.run, best.run - filtered);
    std::printf("stages | %-52s | %6.3f s |          | %5.1f %%\n", "  of it the file writer's system calls (ours)", writer,
                100 * writer / total);
    row("finish: stop, close, frame count, rename", best.finish, best.finish);
    const FinishTimes& steps = best.finishSteps;
    std::printf("stages | %-52s | stop %.3f s, close %.3f s, emptying %.3f s, count %.4f s, rename %.3f s\n",
                "  of it", steps.stop, steps.close, steps.emptying, steps.count, steps.rename);
    std::printf("stages | %-52s | %6.3f s |\n", "whole synthesis", total);
    // The process's first graphs also start Wine's media libraries (GStreamer).
    std::printf("stages | %-52s | %6.3f s |\n", "the process's first graph (source into null renderers)", firstSource);
    std::printf("stages | %-52s | %6.3f s |\n", "the process's first synthesis", firstWhole);
    std::printf("stages | project's own share (filter, file writer): %.1f %%; file writer: %lld writes of the "
                "multiplexer in %lld system writes, %lld seeks, %.1f MB\n",
                100 * (filtered - converted + writer) / total, (long long)best.writer.streamWrites,
                (long long)best.writer.systemWrites, (long long)best.writer.seeks, double(best.writer.bytes) / 1e6);
    ASSERT_GT(input.width, 0) << "the caption filter's input type was not read";
    printStepTable(filteredSteps, best.filterSteps, composeWarm(io, program, input, filteredSteps.samples), input);
}

// The one pass the program runs after a load (the cuts and the sound
// peaks); the best of three.
TEST(MovieAnalysisBench, OnePass) {
    const std::u16string movie = environmentVariable(L"QUCAP_ANALYSIS_MOVIE");
    if (movie.empty()) GTEST_SKIP() << "QUCAP_ANALYSIS_MOVIE is not set";
    ComApartment com;
    ASSERT_TRUE(com.ready());
    double best = 1e9;
    MovieAnalysis analysis;
    for (int round = 0; round < 3; ++round) {
        const Clock::time_point start = Clock::now();
        analysis = analyseMovie(movie, {.shots = true, .sound = true});
        best = std::min(best, secondsSince(start));
        ASSERT_EQ(analysis.shots.outcome, AnalysisOutcome::Done);
        ASSERT_EQ(analysis.sound.outcome, AnalysisOutcome::Done);
    }
    std::printf("analysis | %-44s %6.2f s (%lld frames, %zu cuts)\n", "one pass: cuts and peaks (the program)", best,
                static_cast<long long>(analysis.shots.cuts.frames), analysis.shots.cuts.cuts.size());
}

}  // namespace
}  // namespace qucap::test
