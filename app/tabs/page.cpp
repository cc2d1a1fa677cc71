#include "app/tabs/page.h"

#include <vector>

#include "app/tabs/help_host.h"
#include "captiondata/io/ui.h"
#include "dshowbase/com_guard.h"
#include "resources/app/resource.h"
#include "win32/wide.h"

namespace qucap {

Page::~Page() { destroy(); }

bool Page::create(HINSTANCE instance, HWND parent, int dialogId) {
    window_ = CreateDialogParamW(instance, MAKEINTRESOURCEW(dialogId), parent, procedure, LPARAM(this));
    return window_ != nullptr;
}

void Page::destroy() {
    if (window_) DestroyWindow(window_);
    window_ = nullptr;
}

void Page::shiftControl(int id, int dx, int dWidth) const {
    HWND control = item(id);
    RECT r;
    if (!control || !GetWindowRect(control, &r)) return;
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&r), 2);
    MoveWindow(control, r.left + dx, r.top, r.right - r.left + dWidth, r.bottom - r.top, TRUE);
}

std::u16string Page::itemText(int id, int limit) const {
    std::vector<wchar_t> buffer(std::size_t(limit) + 1, L'\0');
    GetDlgItemTextW(window_, id, buffer.data(), limit + 1);
    return reinterpret_cast<const char16_t*>(buffer.data());
}

void Page::setItemText(int id, std::u16string_view view) const {
    const std::u16string text(view);
    SetDlgItemTextW(window_, id, wide(text));
}

void Page::fillChoices(int id, std::span<const std::u16string_view> choices) const {
    fillCombo(item(id), choices);
    SendMessageW(item(id), CB_SETCURSEL, 0, 0);
}

namespace {

// Messages whose result the dialog manager takes from the procedure's own
// return value instead of DWLP_MSGRESULT.
bool returnsResultDirectly(UINT message) {
    return (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) || message == WM_COMPAREITEM ||
           message == WM_VKEYTOITEM || message == WM_CHARTOITEM || message == WM_QUERYDRAGICON ||
           message == WM_INITDIALOG;
}

}  // namespace

INT_PTR CALLBACK Page::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return guardWindowProc(kProgramTitle, INT_PTR(FALSE), [&] { return dispatch(window, message, wParam, lParam); });
}

INT_PTR Page::dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* page = reinterpret_cast<Page*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, LONG_PTR(page));
        page->window_ = window;
        page->initialise();
        return TRUE;
    }
    auto* page = reinterpret_cast<Page*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!page) return FALSE;
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        page->window_ = nullptr;
        return FALSE;
    }
    INT_PTR result = TRUE;
    if (!page->handle(message, wParam, lParam, result)) return FALSE;
    if (returnsResultDirectly(message)) return result;
    SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
    return TRUE;
}

bool TemplatePage::handle(UINT message, WPARAM wParam, LPARAM, INT_PTR& result) {
    if (message != WM_COMMAND || LOWORD(wParam) != IDC_PAGE_HELP || !helpIndex_) return false;
    openHelp(helpIndex_, window());
    result = TRUE;
    return true;
}

}  // namespace qucap
