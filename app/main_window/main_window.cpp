// The main window's procedure and the operations it offers to the pages.
#include "app/main_window/main_window.h"

#include <windows.h>

#include <commctrl.h>

#include "app/core/main_window/main_controls.h"
#include "app/core/main_window/main_window_texts.h"
#include "app/core/main_window/save_sequence.h"
#include "app/main_window/app_state.h"
#include "app/main_window/movie_analysis_worker.h"
#include "app/main_window/parts.h"
#include "app/preview/preview.h"
#include "app/tabs/help_host.h"
#include "app/tabs/page.h"
#include "app/tabs/synthesis_page.h"
#include "app/tabs/timeline_page.h"
#include "app/tabs/timing_strip_window.h"
#include "captiondata/io/ui.h"
#include "dshowbase/com_guard.h"
#include "resources/app/resource.h"
#include "win32/wide.h"

namespace qucap {
namespace {

// The state the controls were last refreshed for: entering Stopped clears the message line.
PlayState refreshedState = PlayState::NoMedia;

void setItemText(int id, std::u16string_view view) {
    const std::u16string text(view);
    SetDlgItemTextW(app().mainWindow, id, wide(text));
}

// Scroll position 0, caption lines empty, counters zeroed, video area black.
void resetPreviewPosition() {
    HWND main = app().mainWindow;
    SetScrollPos(GetDlgItem(main, IDC_POSITION_SCROLL), SB_CTL, 0, TRUE);
    setItemText(IDC_CAPTION_LINE1, u"");
    setItemText(IDC_CAPTION_LINE2, u"");
    setItemText(IDC_FRAME_COUNTER, kFrameCounterReset);
    setItemText(IDC_TIME_COUNTER, kTimeCounterReset);
    RECT area;
    if (controlRect(main, IDC_VIDEO_AREA, area)) InvalidateRect(main, &area, FALSE);
}

void paintVideoArea(HWND main) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(main, &paint);
    RECT area;
    if (controlRect(main, IDC_VIDEO_AREA, area)) FillRect(dc, &area, HBRUSH(GetStockObject(BLACK_BRUSH)));
    EndPaint(main, &paint);
}

INT_PTR mainProcedureUnguarded(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The procedure the system calls: mainProcedureUnguarded, with no exception let through.
INT_PTR CALLBACK mainProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return guardWindowProc(kProgramTitle, INT_PTR(FALSE), [&] {
        return mainProcedureUnguarded(window, message, wParam, lParam);
    });
}

INT_PTR mainProcedureUnguarded(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            initialiseMainWindow(window);
            return TRUE;
        case WM_SIZE:
            resizeMainWindow(LOWORD(lParam), HIWORD(lParam));
            return TRUE;
        case WM_PAINT:
            paintVideoArea(window);
            return TRUE;
        case WM_NOTIFY:
            return handleMainNotify(*reinterpret_cast<NMHDR*>(lParam));
        case WM_COMMAND:
            return handleMainCommand(LOWORD(wParam));
        case WM_INITMENUPOPUP:
            applyMenuState(HMENU(wParam));
            return TRUE;
        case WM_CLOSE:
            endProgram();
            return TRUE;
        case WM_DESTROY:
            PostQuitMessage(0);
            return TRUE;
        case WM_HSCROLL:
            if (HWND(lParam) == GetDlgItem(window, IDC_POSITION_SCROLL) && app().initialised && !synthesisThreadAlive())
                previewScrolled(window, LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case kPreviewTickMessage:
            showPreviewDisplay(window);
            refreshTimingStrip();
            return TRUE;
        case kPreviewEndedMessage:
            if (!previewThreadEnded(lParam)) return TRUE;
            if (wParam != 0) {  // the movie played to its end
                app().liveTiming = false;
                refreshControls();
            }
            refreshCurrentPage();
            resumeMovieAnalysis();
            return TRUE;
        case kAnalysisProgressMessage:
            movieAnalysisProgress(wParam, lParam);
            return TRUE;
        case kAnalysisEndedMessage:
            movieAnalysisEnded(lParam);
            refreshCurrentPage();
            return TRUE;
    }
    return FALSE;
}

}  // namespace

bool controlRect(HWND main, int id, RECT& rect) {
    HWND control = GetDlgItem(main, id);
    if (!control || !GetWindowRect(control, &rect)) return false;
    MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&rect), 2);
    return true;
}

bool registerMainWindowClass(HINSTANCE instance) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefDlgProcW;
    // 30 bytes are what the dialog manager keeps per window on 32-bit
    // Windows; a 64-bit dialog needs DLGWINDOWEXTRA, which is larger.
    windowClass.cbWndExtra = DLGWINDOWEXTRA > 30 ? DLGWINDOWEXTRA : 30;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = HBRUSH(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = reinterpret_cast<const wchar_t*>(kWindowClassName.data());
    if (RegisterClassW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
    // The timeline tab's strip is a control of its dialog: its class comes first.
    return registerTimingStripClass(instance);
}

HWND createMainWindow(HINSTANCE instance, int showCommand) {
    app().instance = instance;
    HWND window = CreateDialogParamW(instance, MAKEINTRESOURCEW(IDD_MAIN), nullptr, mainProcedure, 0);
    if (!window) return nullptr;
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    return window;
}

void refreshControls() {
    AppState& state = app();
    HWND main = state.mainWindow;
    if (!main) return;
    const PlayState now = state.playState;
    MainControlFlags flags{state.captions.pendingEdit(), state.liveTiming, synthesisThreadAlive()};
    for (const ControlEnabling& control : mainControlStates(now, flags))
        EnableWindow(GetDlgItem(main, control.id), control.enabled);
    setItemText(IDC_PLAY_PAUSE, playButtonText(now));
    if (resetsPreviewPosition(now)) resetPreviewPosition();
    if (clearsMessageOnEntry(refreshedState, now)) setMessage(u"");
    refreshedState = now;
    if (!state.captionsInPreview) {
        const std::u16string title(kWindowTitle);
        SetWindowTextW(main, wide(title));
    }
}

void refreshCurrentPage() {
    AppState& state = app();
    if (!state.initialised) return;
    if (Page* page = state.pages[std::size_t(state.currentTab)].get()) page->refresh();
}

void reloadSelectedRow() {
    AppState& state = app();
    const int row = state.captions.selection();
    if (row < 0) return;
    for (int tab : {kCaptionCreationTab, kDisplayPositionTab})
        if (Page* page = state.pages[std::size_t(tab)].get()) page->showRow(row);
}

void setMessage(std::u16string_view text) {
    if (app().mainWindow) setItemText(IDC_MESSAGE_LINE, text);
}

void commitPendingEdit() {
    AppState& state = app();
    if (!state.initialised || !editsCaptionRow(state.currentTab)) return;
    if (Page* page = state.pages[std::size_t(state.currentTab)].get()) page->commitEdit();
}

void setPendingEdit(bool pending) {
    app().captions.setPendingEdit(pending);
    applySaveButtonState();
}

void applySaveButtonState() {
    AppState& state = app();
    if (!state.mainWindow) return;
    MainControlFlags flags{state.captions.pendingEdit(), state.liveTiming, synthesisThreadAlive()};
    for (const ControlEnabling& control : mainControlStates(state.playState, flags))
        if (control.id == IDC_SAVE_TO_LIST) EnableWindow(GetDlgItem(state.mainWindow, control.id), control.enabled);
}

int saveAll(bool stopAtFirstFailure) { return runSaveSequence(projectSaveSteps(), stopAtFirstFailure); }

bool isDroppedKey(const MSG& message) { return message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE; }

void dispatchMessage(MSG& message) {
    if (isDroppedKey(message)) return;
    HWND main = app().mainWindow;
    if (main && IsDialogMessageW(main, &message)) return;
    // The modeless help window has its own keyboard navigation.
    HWND help = helpHostWindow();
    if (help && IsDialogMessageW(help, &message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

}  // namespace qucap
