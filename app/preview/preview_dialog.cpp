#include "app/preview/preview_dialog.h"

#include "app/core/main_window/main_window_texts.h"
#include "app/core/preview/preview_layout.h"
#include "app/main_window/app_state.h"
#include "app/main_window/dialog_placement.h"
#include "app/media/preview_control.h"
#include "app/preview/preview.h"
#include "captiondata/io/ui.h"
#include "dshowbase/com_guard.h"
#include "resources/app/resource.h"

namespace qucap {
namespace {

// The controls below and beside the video area, moved with its growth.
constexpr int kMovedControls[] = {IDC_FRAME_POSITION_LABEL, IDC_FRAME_COUNTER, IDC_POSITION_SCROLL, IDC_TIME_COUNTER,
                                  IDC_FRAME_BACK, IDC_PLAY_PAUSE, IDC_FRAME_FORWARD, IDC_STOP, IDCANCEL};

RECT clientRectOf(HWND dialog, int id) {
    RECT rect{};
    GetWindowRect(GetDlgItem(dialog, id), &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

ClientSize sizeOf(const RECT& rect) { return {rect.right - rect.left, rect.bottom - rect.top}; }

// Sizes the dialog for the video, centres the video area in it and moves
// the other controls by the growth.
void fitToVideo(HWND dialog) {
    RECT window{}, client{}, workArea{};
    GetWindowRect(dialog, &window);
    GetClientRect(dialog, &client);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    const RECT area = clientRectOf(dialog, IDC_VIDEO_AREA);
    const PreviewDialogMetrics metrics{sizeOf(window), sizeOf(client),
                                       ControlRect{area.left, area.top, area.right - area.left, area.bottom - area.top},
                                       sizeOf(workArea),
                                       {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}};
    const PreviewDialogLayout layout = previewDialogLayout(metrics, {app().movie.width, app().movie.height});
    for (int id : kMovedControls) {
        const RECT at = clientRectOf(dialog, id);
        SetWindowPos(GetDlgItem(dialog, id), nullptr, at.left + layout.dx, at.top + layout.dy, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    const ControlRect& video = layout.videoArea;
    MoveWindow(GetDlgItem(dialog, IDC_VIDEO_AREA), video.left, video.top, video.width, video.height, TRUE);
    SetWindowPos(dialog, nullptr, layout.position.x, layout.position.y, layout.window.width, layout.window.height,
                 SWP_NOZORDER);
}

void paintVideoArea(HWND dialog) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(dialog, &paint);
    const RECT area = clientRectOf(dialog, IDC_VIDEO_AREA);
    FillRect(dc, &area, HBRUSH(GetStockObject(BLACK_BRUSH)));
    EndPaint(dialog, &paint);
}

// "終了(&Q)", Escape and the close box: the preview stops, the video window
// leaves the dialog and the graph is emptied.
void close(HWND dialog) {
    AppState& state = app();
    state.playState = PlayState::Stopped;
    stopGraph(state.graph);
    joinPreviewThread();
    detachVideoWindow(state.graph);
    state.graph.emptyGraph();
    EndDialog(dialog, IDCANCEL);
}

void command(HWND dialog, int id) {
    switch (id) {
        case IDC_PLAY_PAUSE: return dialogPlayPressed(dialog);
        case IDC_STOP: return dialogStopPressed(dialog);
        case IDC_FRAME_BACK:
        case IDC_FRAME_FORWARD: return dialogStepPressed(dialog, id);
        case IDCANCEL: return close(dialog);
        default: return;
    }
}

INT_PTR previewProcedureUnguarded(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The procedure the system calls: previewProcedureUnguarded, with no exception let through.
INT_PTR CALLBACK previewProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return guardWindowProc(kProgramTitle, INT_PTR(FALSE), [&] {
        return previewProcedureUnguarded(dialog, message, wParam, lParam);
    });
}

INT_PTR previewProcedureUnguarded(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            fitToVideo(dialog);
            showProgramIcon(dialog);
            attachVideo(dialog);
            refreshPreviewButtons(dialog);
            return TRUE;
        case WM_COMMAND: command(dialog, LOWORD(wParam)); return TRUE;
        case WM_HSCROLL:
            if (HWND(lParam) == GetDlgItem(dialog, IDC_POSITION_SCROLL))
                previewScrolled(dialog, LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_PAINT: paintVideoArea(dialog); return TRUE;
        case kPreviewTickMessage: showPreviewDisplay(dialog); return TRUE;
        case kPreviewEndedMessage:
            if (!previewThreadEnded(lParam)) return TRUE;
            showPreviewDisplay(dialog);
            refreshPreviewButtons(dialog);
            return TRUE;
        default: return FALSE;
    }
}

}  // namespace

void showPreviewDialog(HWND owner) {
    DialogBoxParamW(programResources(), MAKEINTRESOURCEW(IDD_PREVIEW), owner, previewProcedure, 0);
}

}  // namespace qucap
