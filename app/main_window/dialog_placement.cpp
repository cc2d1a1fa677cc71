#include "app/main_window/dialog_placement.h"

#include "app/core/main_window/main_layout.h"
#include "app/main_window/app_state.h"
#include "resources/app/resource.h"

namespace qucap {

HINSTANCE programResources() { return app().instance ? app().instance : GetModuleHandleW(nullptr); }

void centreDialogOnScreen(HWND dialog) {
    RECT rect{};
    GetWindowRect(dialog, &rect);
    const ClientSize screen{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    const Point origin = centredWindowPosition(screen, {rect.right - rect.left, rect.bottom - rect.top});
    SetWindowPos(dialog, nullptr, origin.x, origin.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void showProgramIcon(HWND dialog) {
    HICON icon = LoadIconW(programResources(), MAKEINTRESOURCEW(IDI_PROGRAM));
    if (!icon) return;
    SendMessageW(dialog, WM_SETICON, ICON_BIG, LPARAM(icon));
    SendMessageW(dialog, WM_SETICON, ICON_SMALL, LPARAM(icon));
}

}  // namespace qucap
