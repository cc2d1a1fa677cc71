#include "app/main_window/movie_analysis_worker.h"

#include <algorithm>
#include <memory>

#include "app/main_window/app_state.h"
#include "app/media/cached_analysis.h"
#include "app/media/message_wait.h"
#include "captiondata/text/u16.h"
#include "dshowbase/com_guard.h"

namespace qucap {
namespace {

constexpr std::u16string_view kAnalysisNames[] = {u"カット", u"音声", u"カットと音声"};

struct AnalysisStart {
    HWND host = nullptr;
    uint32_t number = 0, thread = 0;
    std::u16string projectFile, moviePath;
    bool needCuts = false, needPeaks = false;
};

struct AnalysisResults {
    uint32_t number = 0, thread = 0;
    std::optional<CutList> cuts;
    std::optional<PeakTable> peaks;
};

AnalysisControl controlFor(const AnalysisStart& start, int analysis) {
    AnalysisControl control;
    control.stop = &app().analysisStop;
    control.progress = [host = start.host, analysis](int percent) {
        PostMessageW(host, kAnalysisProgressMessage, WPARAM(analysis), LPARAM(percent));
    };
    return control;
}

// Both in one pass over the movie; a part that cannot be read counts as
// found empty (no cuts to snap to, no wave), a stopped one stays missing.
void analyse(const AnalysisStart& start, AnalysisResults& results) {
    Win32FileSystem files;
    CachedAnalysis analysis = analysedWithCache(files, start.projectFile, start.moviePath,
                                                {.shots = start.needCuts, .sound = start.needPeaks},
                                                controlFor(start, start.needCuts && start.needPeaks ? 2
                                                                  : start.needCuts                  ? 0
                                                                                                    : 1));
    if (start.needCuts && analysis.shots.outcome != AnalysisOutcome::Stopped)
        results.cuts = analysis.shots.outcome == AnalysisOutcome::Done ? analysis.shots.cuts : CutList{};
    if (start.needPeaks && analysis.peaks.outcome != AnalysisOutcome::Stopped)
        results.peaks = std::move(analysis.peaks.peaks);
}

DWORD WINAPI analysisThreadMain(void* parameter) {
    std::unique_ptr<AnalysisStart> start(static_cast<AnalysisStart*>(parameter));
    auto results = std::make_unique<AnalysisResults>();
    results->number = start->number;
    results->thread = start->thread;
    const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    if (SUCCEEDED(com)) guardWindowProc(u"", false, [&] {
            analyse(*start, *results);
            return true;
        });
    if (SUCCEEDED(com)) CoUninitialize();
    if (PostMessageW(start->host, kAnalysisEndedMessage, 0, LPARAM(results.get()))) results.release();
    return 0;
}

bool somethingRuns() {
    const AppState& state = app();
    const PlayState play = state.playState;
    return play == PlayState::Playing || play == PlayState::Paused || state.synthesisRunning || state.previewThread;
}

}  // namespace

std::u16string analysisProgressText(int analysis, int percent) {
    return u"動画を解析しています（" + std::u16string(kAnalysisNames[std::size_t(std::clamp(analysis, 0, 2))]) + u"） " +
           toDecimal(percent) + u"%";
}

std::u16string analysisDoneText(std::size_t cuts) {
    return u"動画の解析が終わりました（カット " + toDecimal(int64_t(cuts)) + u" か所）";
}

void startMovieAnalysisForProject() {
    stopMovieAnalysis();
    AppState& state = app();
    state.analysisStoppedByUser = false;
    state.cuts.reset();
    state.soundPeaks.reset();
    ++state.analysisNumber;
    resumeMovieAnalysis();
}

void resumeMovieAnalysis() {
    AppState& state = app();
    if (!state.analyseMovies || state.analysisStoppedByUser || state.analysisThread || !state.projectLoaded || somethingRuns() || !state.mainWindow)
        return;
    if (state.cuts && state.soundPeaks) return;
    if (!state.files.isFile(state.settings.inputMoviePath)) return;
    auto start = std::make_unique<AnalysisStart>();
    start->host = state.mainWindow;
    start->number = state.analysisNumber;
    start->thread = ++state.analysisThreadNumber;
    start->projectFile = state.projectFile;
    start->moviePath = state.settings.inputMoviePath;
    start->needCuts = !state.cuts;
    start->needPeaks = !state.soundPeaks;
    state.analysisStop = false;
    DWORD id = 0;
    state.analysisThread.reset(CreateThread(nullptr, 0, analysisThreadMain, start.get(), 0, &id));
    if (state.analysisThread) start.release();  // the thread's now
}

void stopMovieAnalysis() {
    AppState& state = app();
    if (!state.analysisThread) return;
    state.analysisStop = true;
    // Taken out of the state first: the thread's ended message, dispatched
    // during the wait, must not close the handle being waited on.
    const OwnedHandle thread = std::move(state.analysisThread);
    waitDispatching({thread.get()}, INFINITE);
}

void stopMovieAnalysisByUser() {
    AppState& state = app();
    state.analysisStoppedByUser = true;
    stopMovieAnalysis();
    state.ui.setMessage(kAnalysisStopped);
}

void movieAnalysisProgress(WPARAM analysis, LPARAM percent) {
    if (app().analysisThread) app().ui.setMessage(analysisProgressText(int(analysis), int(percent)));
}

void movieAnalysisEnded(LPARAM results) {
    std::unique_ptr<AnalysisResults> taken(reinterpret_cast<AnalysisResults*>(results));
    AppState& state = app();
    // The thread that posted it has ended or is about to: its handle goes
    // (a thread stopped and waited for is gone already; a later one stays).
    if (taken && taken->thread == state.analysisThreadNumber && state.analysisThread) {
        // Messages go on meanwhile: the thread's last steps may need this one.
        const OwnedHandle thread = std::move(state.analysisThread);
        waitDispatching({thread.get()}, INFINITE);
    }
    if (!taken || taken->number != state.analysisNumber) return;
    if (taken->cuts) state.cuts = std::move(taken->cuts);
    if (taken->peaks) state.soundPeaks = std::move(taken->peaks);
    if (state.cuts && state.soundPeaks) state.ui.setMessage(analysisDoneText(state.cuts->cuts.size()));
}

}  // namespace qucap
