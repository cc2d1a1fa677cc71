#include "app/tabs/page.h"

#include "app/tabs/help_host.h"
#include "resources/app/resource.h"

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

INT_PTR CALLBACK Page::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
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
