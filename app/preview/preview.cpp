#include "app/preview/preview.h"

#include <commctrl.h>
#include <objbase.h>

#include <memory>
#include <utility>

#include "app/core/caption_creation/caption_tab.h"
#include "app/core/caption_list/caption_validation.h"
#include "app/core/file_selection/file_selection_tab.h"
#include "app/core/main_window/main_window_texts.h"
#include "app/core/preview/preview_display.h"
#include "app/main_window/app_state.h"
#include "app/main_window/main_window.h"
#include "app/main_window/movie_analysis_worker.h"
#include "app/main_window/parts.h"
#include "app/media/caption_filter.h"
#include "app/media/message_wait.h"
#include "app/media/preview_control.h"
#include "app/media/preview_graphs.h"
#include "app/preview/preview_dialog.h"
#include "captiondata/io/ui.h"
#include "dshowbase/com_guard.h"
#include "resources/app/resource.h"
#include "win32/project_handover.h"
#include "win32/shared_block_writer.h"
#include "win32/wide.h"

namespace qucap {
namespace {

constexpr DWORD kSliceMs = 100;

bool isMainWindow(HWND host) { return host == app().mainWindow; }

void setText(HWND host, int id, std::u16string_view view) {
    const std::u16string text(view);
    SetDlgItemTextW(host, id, wide(text));
}

// The seek of every preview operation: while the captions are drawn, the
// filter first learns the target through the shared control block. A block
// that cannot be written is told once per preview, and the seek happens.
// `graph` is the user interface thread's record, or the preview thread's own.
void seekPreview(FilterGraph& graph, int64_t target) {
    AppState& state = app();
    if (state.captionsInPreview) {
        const int32_t milliseconds = int32_t(target / 10'000);
        const SharedBlockWrite written = writeSharedBlock(milliseconds);
        if (written != SharedBlockWrite::Written && !state.sharedBlockWarned.exchange(true))
            state.ui.warn(written == SharedBlockWrite::NotFound ? kSharedBlockNotFound : kSharedBlockMapFailed,
                          Deliverable::Program);
    }
    // A graph stopped around the seek (see repositionGraph) is not the end
    // of a running preview: its thread waits on.
    state.repositioning = true;
    repositionGraph(graph, target);
    state.repositioning = false;
}

void seekPreview(int64_t target) { seekPreview(app().graph, target); }

PreviewPosition previewPositionOf(FilterGraph& graph) {
    return PreviewPosition(app().movie, currentPosition(graph), graph.seekingAvailable());
}

// What a preview thread is given: its host, its number and the graph
// marshalled for it.
struct PreviewThreadStart {
    HWND host = nullptr;
    uint32_t number = 0;
    MarshalledInterface graph;
};

// The thread's last message: wParam 1 when the movie played to its end;
// lParam the thread's number and whether it stopped the graph, which makes
// the preview Stopped. The thread itself leaves the play state alone.
void postEnded(const PreviewThreadStart& start, bool completed, bool stopped) {
    PostMessageW(start.host, kPreviewEndedMessage, completed ? 1 : 0, LPARAM(start.number) * 2 + (stopped ? 1 : 0));
}

// The preview thread on its own record of the graph: seeks to the pending
// target, runs the graph and waits for its end in slices, telling the host
// after each slice. It ends when the graph completes or stops running (a
// pause or a stop of the user).
void runPreview(const PreviewThreadStart& start, FilterGraph& graph) {
    AppState& state = app();
    if (const int64_t target = state.pendingSeekTarget.exchange(0)) seekPreview(graph, target);
    runGraph(graph);
    long code = 0;
    bool completed = false;
    bool stopped = false;
    if (!graph.seekingAvailable()) {
        completed = SUCCEEDED(graph.events()->WaitForCompletion(INFINITE, &code));
        stopGraph(graph);
        stopped = true;
    } else {
        HRESULT waited = E_ABORT;
        while ((waited = graph.events()->WaitForCompletion(kSliceMs, &code)) == E_ABORT &&
               (graphRunning(graph) || state.repositioning)) {
            PostMessageW(start.host, kPreviewTickMessage, 0, 0);
            dispatchOnePendingMessage();
        }
        completed = SUCCEEDED(waited) && code == EC_COMPLETE;
        if (completed) {
            stopGraph(graph);
            seekPreview(graph, previewPositionOf(graph).seekToStart());
            stopped = true;
        }
    }
    postEnded(start, completed, stopped);
}

// The thread's entry. The graph's interfaces are taken in the thread's own
// apartment from the marshalled stream and let go before it ends. A run
// that could not start or ended in an exception still tells its host it
// ended (the preview is then Stopped), so the host closes the thread's handle.
DWORD WINAPI previewThreadMain(void* parameter) {
    std::unique_ptr<PreviewThreadStart> start(static_cast<PreviewThreadStart*>(parameter));
    const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    const bool ran = guardWindowProc(kProgramTitle, false, [&] {
        FilterGraph graph;
        if (graph.takeMarshalled(start->graph, app().graph) != 0) return false;
        runPreview(*start, graph);
        return true;
    });
    if (!ran) postEnded(*start, false, true);
    start.reset();
    if (SUCCEEDED(com)) CoUninitialize();
    return 0;
}

void startPreviewThread(HWND host) {
    AppState& state = app();
    stopMovieAnalysis();  // one worker thread at a time
    joinPreviewThread();
    if (state.pendingSeekTarget == 0)
        state.pendingSeekTarget = pendingSeekTarget(previewPosition().currentTimeMs(), state.settings.rewindSeconds);
    state.sharedBlockWarned = false;
    auto start = std::make_unique<PreviewThreadStart>();
    start->host = host;
    start->number = ++state.previewThreadNumber;
    start->graph = state.graph.marshalForThread();
    DWORD id = 0;
    if (start->graph) state.previewThread.reset(CreateThread(nullptr, 0, previewThreadMain, start.get(), 0, &id));
    if (!state.previewThread) {
        state.playState = PlayState::Stopped;
        return;
    }
    start.release();  // the thread's now
}

// Whether the graph runs; when it does not, the preview is Stopped.
bool isRunning() {
    if (graphRunning(app().graph)) return true;
    app().playState = PlayState::Stopped;
    return false;
}

// The captioned preview: the project saved as the filter reads it, the
// graph through the filter, then the modal preview dialog.
void playWithCaptions() {
    AppState& state = app();
    joinPreviewThread();
    {
        const ProjectHandOver handOver;
        SaveSteps steps = projectSaveSteps();
        steps.commitEdit = {};
        if (runSaveSequence(steps, true) != 0) return;
        const PreviewBuild built = buildCaptionPreview(state.graph, state.settings.inputMoviePath,
                                                      captionFilterMaker(state.paths.programFolder));
        if (built != PreviewBuild::Built) {
            setMessage(kRenderingFailed);
            state.captionsInPreview = false;
            return;
        }
    }
    showPreviewDialog(state.mainWindow);
    state.captionsInPreview = false;
    state.playState = PlayState::Stopped;
    refreshControls();
    refreshCurrentPage();
    resumeMovieAnalysis();
}

void playInMainWindow() {
    AppState& state = app();
    if (state.playState != PlayState::Paused) {
        joinPreviewThread();
        if (buildPlainPreview(state.graph, state.settings.inputMoviePath, state.movie) != PreviewBuild::Built) {
            setMessage(kRenderingFailed);
            return;
        }
        attachVideo(state.mainWindow);
    }
    state.playState = PlayState::Playing;
    refreshControls();
    refreshCurrentPage();
    startPreviewThread(state.mainWindow);
    setMessage(kStopBeforeLeaving);
}

void afterStep(HWND host) {
    showPreviewDisplay(host);
    if (!isMainWindow(host)) refreshPreviewButtons(host);
}

using SeekTarget = int64_t (PreviewPosition::*)() const;

SeekTarget stepTarget(int id) { return id == IDC_FRAME_BACK ? &PreviewPosition::stepBack : &PreviewPosition::stepForward; }

}  // namespace

PreviewPosition previewPosition() { return previewPositionOf(app().graph); }

void seekPreviewTo(int64_t position) {
    AppState& state = app();
    if (state.playState == PlayState::NoMedia || state.synthesisRunning || !state.graph.graph()) return;
    seekPreview(position);
    showPreviewDisplay(state.mainWindow);
    refreshControls();
}

void playPressed() {
    AppState& state = app();
    const PlayState now = state.playState;
    // After a synthesis the graph is empty: play rebuilds it as from Stopped.
    if (now == PlayState::Stopped || now == PlayState::Paused || now == PlayState::SynthesisDone) {
        if (now == PlayState::SynthesisDone) state.playState = PlayState::Stopped;
        if (state.captions.pendingEdit()) {
            commitPendingEdit();
            setPendingEdit(false);
        }
        if (validateCaptionList(state.captions, state.ui) != 0) {
            state.liveTiming = false;
            state.playState = PlayState::Stopped;
            return;
        }
        state.captionsInPreview = IsDlgButtonChecked(state.mainWindow, IDC_PLAY_WITH_CAPTIONS) == BST_CHECKED;
        if (state.captionsInPreview)
            playWithCaptions();
        else
            playInMainWindow();
        return;
    }
    if (!isRunning()) return;
    state.playState = PlayState::Paused;
    pauseGraph(state.graph);
    refreshControls();
    showPreviewDisplay(state.mainWindow);
}

void stopPressed() {
    AppState& state = app();
    state.liveTiming = false;
    state.playState = PlayState::Stopped;
    stopGraph(state.graph);
    seekPreview(previewPosition().seekToStart());
    refreshControls();
    SetFocus(GetDlgItem(state.mainWindow, IDC_PLAY_PAUSE));
    reloadSelectedRow();
    refreshCurrentPage();
}

void replayFromRow(int64_t rowStartMs) {
    AppState& state = app();
    state.pendingSeekTarget = repeatStart(rowStartMs, previewPosition().currentTimeMs(), state.settings.rewindSeconds);
    HWND main = state.mainWindow;
    if (!main) return;
    CheckDlgButton(main, IDC_PLAY_WITH_CAPTIONS, BST_UNCHECKED);
    SendMessageW(main, WM_COMMAND, MAKEWPARAM(IDC_PLAY_PAUSE, BN_CLICKED), LPARAM(GetDlgItem(main, IDC_PLAY_PAUSE)));
    SetFocus(GetDlgItem(main, IDC_PLAY_PAUSE));
}

void stepPressed(int id) {
    seekPreview((previewPosition().*stepTarget(id))());
    showPreviewDisplay(app().mainWindow);
}

void previewScrolled(HWND host, int code, int thumbPosition) {
    const PreviewPosition at = previewPosition();
    const bool dragged = code == SB_THUMBTRACK;
    switch (code) {
        case SB_LINELEFT: seekPreview(at.stepBack()); break;
        case SB_LINERIGHT: seekPreview(at.stepForward()); break;
        case SB_PAGELEFT: seekPreview(at.pageBack()); break;
        case SB_PAGERIGHT: seekPreview(at.pageForward()); break;
        case SB_THUMBTRACK:
            SetScrollPos(GetDlgItem(host, IDC_POSITION_SCROLL), SB_CTL, thumbPosition, TRUE);
            app().lastScrollPosition = thumbPosition;
            seekPreview(at.seekToPercent(thumbPosition));
            break;
        default: return;
    }
    // While the thumb is dragged, the bar keeps the value it was dragged to.
    showPreviewDisplay(host, !dragged);
    if (isMainWindow(host))
        refreshControls();
    else
        refreshPreviewButtons(host);
}

void dialogPlayPressed(HWND dialog) {
    AppState& state = app();
    if (state.playState == PlayState::Stopped || state.playState == PlayState::Paused) {
        state.playState = PlayState::Playing;
        refreshPreviewButtons(dialog);
        startPreviewThread(dialog);
        return;
    }
    state.playState = PlayState::Paused;
    pauseGraph(state.graph);
    refreshPreviewButtons(dialog);
}

void dialogStopPressed(HWND dialog) {
    AppState& state = app();
    state.playState = PlayState::Stopped;
    stopGraph(state.graph);
    seekPreview(previewPosition().seekToStart());
    showPreviewDisplay(dialog);
    refreshPreviewButtons(dialog);
    SetFocus(GetDlgItem(dialog, IDC_PLAY_PAUSE));
    InvalidateRect(GetDlgItem(dialog, IDC_VIDEO_AREA), nullptr, TRUE);
}

void dialogStepPressed(HWND dialog, int id) {
    seekPreview((previewPosition().*stepTarget(id))());
    afterStep(dialog);
}

void showPreviewDisplay(HWND host, bool withPositionBar) {
    AppState& state = app();
    const PreviewPosition at = previewPosition();
    if (isMainWindow(host)) {
        const CaptionLines lines = captionLinesAt(state.captions.captionTable(), at.currentTimeMs());
        setText(host, IDC_CAPTION_LINE1, lines.first);
        setText(host, IDC_CAPTION_LINE2, lines.second);
    }
    const CounterTexts counters = counterTexts(at);
    setText(host, IDC_FRAME_COUNTER, counters.frame);
    setText(host, IDC_TIME_COUNTER, counters.time);
    const int scroll = at.scrollPosition();
    if (!withPositionBar || scroll == state.lastScrollPosition) return;
    state.lastScrollPosition = scroll;
    SetScrollPos(GetDlgItem(host, IDC_POSITION_SCROLL), SB_CTL, scroll, TRUE);
}

int attachVideo(HWND host) {
    AppState& state = app();
    state.previewHost = host;
    if (placeVideoWindow(state.graph, GetDlgItem(host, IDC_VIDEO_AREA), {state.movie.width, state.movie.height}) != 0)
        return -1;
    SCROLLINFO bar{sizeof bar, SIF_RANGE | SIF_PAGE | SIF_POS, 0, kLastScrollPosition, 1, 0, 0};
    SetScrollInfo(GetDlgItem(host, IDC_POSITION_SCROLL), SB_CTL, &bar, TRUE);
    state.lastScrollPosition = 0;
    for (int id : {IDC_FRAME_COUNTER, IDC_TIME_COUNTER}) {
        SendDlgItemMessageW(host, id, WM_SETFONT, WPARAM(state.drawing.counterFont.get()), TRUE);
        setText(host, id, u"");
    }
    return 0;
}

void refreshPreviewButtons(HWND host) {
    AppState& state = app();
    if (isMainWindow(host)) return refreshControls();
    for (const ControlEnabling& control : previewDialogControlStates(state.playState))
        EnableWindow(GetDlgItem(host, control.id), control.enabled);
    setText(host, IDC_PLAY_PAUSE, playButtonText(state.playState));
    if (state.captionsInPreview && state.previewHost) {
        const std::u16string title = previewDialogTitle(state.settings.inputMoviePath);
        SetWindowTextW(state.previewHost, wide(title));
    }
}

bool previewThreadEnded(LPARAM report) {
    AppState& state = app();
    if (uint32_t(report / 2) != state.previewThreadNumber) return false;
    // The thread stopped the graph of a preview still playing; a state the
    // user interface thread set since then stays.
    if (report % 2 != 0 && state.playState == PlayState::Playing) state.playState = PlayState::Stopped;
    joinPreviewThread();
    return true;
}

void joinPreviewThread() {
    AppState& state = app();
    if (!state.previewThread) return;
    // The thread ends on its own once the graph stops running.
    waitDispatching({state.previewThread.get()}, INFINITE);
    state.previewThread.reset();
}

}  // namespace qucap
