#include "app/tabs/help_host.h"

#include "app/core/help/help_host.h"
#include "app/core/main_window/main_layout.h"
#include "app/main_window/app_state.h"
#include "app/main_window/dialog_placement.h"
#include "captiondata/io/ui.h"
#include "dshowbase/com_guard.h"
#include "resources/app/resource.h"

namespace qucap {
namespace {

// The one help window of the program and the scroll state of its page.
struct HelpWindowState {
    int index = 0;  // the help index last asked for
    HWND host = nullptr;
    HWND page = nullptr;
    HelpScrollState scroll;
    HelpPageLayout layout;
};

HelpWindowState& helpState() {
    static HelpWindowState state;
    return state;
}

ClientSize windowSize(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

void initialiseScrollBar(HWND host, int bar) {
    SCROLLINFO info{sizeof(info), SIF_RANGE | SIF_PAGE | SIF_POS, 0, kHelpScrollMax, kHelpScrollPage, 0, 0};
    SetScrollInfo(host, bar, &info, TRUE);
}

// Places the page for the host's client size and the current positions.
void layoutPage(HWND host) {
    HelpWindowState& state = helpState();
    if (!state.page) return;
    RECT client{};
    GetClientRect(host, &client);
    state.layout = layoutHelpPage(state.scroll, client.right, client.bottom);
    SetWindowPos(state.page, nullptr, state.layout.x, state.layout.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void scroll(HWND host, int bar, WPARAM wParam) {
    HelpWindowState& state = helpState();
    int& position = bar == SB_HORZ ? state.scroll.horizontalPosition : state.scroll.verticalPosition;
    const auto next = nextHelpScrollPosition(position, LOWORD(wParam), HIWORD(wParam));
    if (!next) return;
    position = *next;
    layoutPage(host);
    SetScrollPos(host, bar, -position, TRUE);
}

// Closes the page and the window; the next help button makes a new one.
void closeHelp() {
    HelpWindowState& state = helpState();
    HWND host = state.host;
    if (state.page) DestroyWindow(state.page);
    if (host) DestroyWindow(host);
}

HBRUSH helpBackgroundBrush() {
    HBRUSH shared = app().drawing.whiteBrush.get();
    return shared ? shared : HBRUSH(GetStockObject(WHITE_BRUSH));
}

// White backgrounds, static texts drawn without a background of their own.
bool paintsWhite(UINT message, WPARAM wParam, INT_PTR& result) {
    if (message != WM_CTLCOLORDLG && message != WM_CTLCOLORSTATIC) return false;
    if (message == WM_CTLCOLORSTATIC) SetBkMode(HDC(wParam), TRANSPARENT);
    result = INT_PTR(helpBackgroundBrush());
    return true;
}

bool isCloseCommand(UINT message, WPARAM wParam) {
    return message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL);
}

INT_PTR pageProcedureUnguarded(HWND, UINT message, WPARAM wParam, LPARAM);

// The procedure the system calls: pageProcedureUnguarded, with no exception let through.
INT_PTR CALLBACK pageProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return guardWindowProc(kProgramTitle, INT_PTR(FALSE), [&] {
        return pageProcedureUnguarded(window, message, wParam, lParam);
    });
}

INT_PTR pageProcedureUnguarded(HWND, UINT message, WPARAM wParam, LPARAM) {
    INT_PTR result = FALSE;
    if (paintsWhite(message, wParam, result)) return result;
    if (message == WM_INITDIALOG) return TRUE;
    if (isCloseCommand(message, wParam)) {
        closeHelp();
        return TRUE;
    }
    return FALSE;
}

// Creates the page of the current index as the host's child at (0, 0).
void createPage(HWND host) {
    HelpWindowState& state = helpState();
    const HelpPage* page = helpPage(state.index);
    state.scroll = {};
    state.page = CreateDialogParamW(programResources(), MAKEINTRESOURCEW(page->dialogId), host,
                                    pageProcedure, 0);
    if (!state.page) return;
    SetWindowPos(state.page, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const ClientSize size = windowSize(state.page);
    state.scroll.pageWidth = size.width;
    state.scroll.pageHeight = size.height;
    ShowWindow(state.page, SW_SHOW);
    SetWindowTextW(host, reinterpret_cast<const wchar_t*>(std::u16string(page->caption).c_str()));
}

INT_PTR hostProcedureUnguarded(HWND host, UINT message, WPARAM wParam, LPARAM);

// The procedure the system calls: hostProcedureUnguarded, with no exception let through.
INT_PTR CALLBACK hostProcedure(HWND host, UINT message, WPARAM wParam, LPARAM lParam) {
    return guardWindowProc(kProgramTitle, INT_PTR(FALSE), [&] {
        return hostProcedureUnguarded(host, message, wParam, lParam);
    });
}

INT_PTR hostProcedureUnguarded(HWND host, UINT message, WPARAM wParam, LPARAM) {
    HelpWindowState& state = helpState();
    INT_PTR result = FALSE;
    if (paintsWhite(message, wParam, result)) return result;
    switch (message) {
        case WM_INITDIALOG:
            state.host = host;
            centreDialogOnScreen(host);
            showProgramIcon(host);
            createPage(host);
            initialiseScrollBar(host, SB_HORZ);
            initialiseScrollBar(host, SB_VERT);
            layoutPage(host);
            return TRUE;
        case WM_SIZE: layoutPage(host); return TRUE;
        case WM_HSCROLL: scroll(host, SB_HORZ, wParam); return TRUE;
        case WM_VSCROLL: scroll(host, SB_VERT, wParam); return TRUE;
        case WM_CLOSE: closeHelp(); return TRUE;
        case WM_DESTROY:
            // Also when the owning page goes away with the help window open.
            state.host = nullptr;
            state.page = nullptr;
            return FALSE;
        default: break;
    }
    if (isCloseCommand(message, wParam)) {
        closeHelp();
        return TRUE;
    }
    return FALSE;
}

}  // namespace

void openHelp(int index, HWND parentPage) {
    if (!helpPage(index)) return;
    HelpWindowState& state = helpState();
    state.index = index;
    if (state.host) return;  // the open window keeps its page
    HWND host = CreateDialogParamW(programResources(), MAKEINTRESOURCEW(IDD_HELP_HOST), parentPage,
                                   hostProcedure, 0);
    if (!host) return;
    if (!state.page) {
        DestroyWindow(host);
        return;
    }
    ShowWindow(host, SW_SHOW);
}

HWND helpHostWindow() { return helpState().host; }

}  // namespace qucap
