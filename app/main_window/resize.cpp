// Resizing: every control of the main window follows its rule, the pages
// follow the tab control's display area, and the list's columns are re-applied.
#include <windows.h>

#include <commctrl.h>

#include "app/main_window/app_state.h"
#include "app/main_window/caption_list_view.h"
#include "app/main_window/parts.h"
#include "app/tabs/page.h"
#include "resources/app/resource.h"

namespace qucap {
namespace {

void follow(HWND main, const ResizeRule& rule, int dx, int dy) {
    RECT r;
    if (!controlRect(main, rule.id, r)) return;
    MoveWindow(GetDlgItem(main, rule.id), r.left + rule.moveX * dx, r.top + rule.moveY * dy,
               r.right - r.left + rule.growX * dx, r.bottom - r.top + rule.growY * dy, TRUE);
}

void resizePages(HWND main, int dx) {
    const RECT area = pageRectangle(main);
    for (auto& page : app().pages) {
        if (!page || !page->window()) continue;
        MoveWindow(page->window(), area.left, area.top, area.right - area.left, area.bottom - area.top, TRUE);
        page->growRight(dx);
    }
}

}  // namespace

void resizeMainWindow(int width, int height) {
    AppState& state = app();
    HWND main = state.mainWindow;
    if (!main || !state.initialised) return;
    const auto step = resizeStep({width, height}, state.minimumClient, state.lastClient);
    if (!step) return;
    state.lastClient = step->last;
    if (step->dx == 0 && step->dy == 0) return;
    for (const ResizeRule& rule : mainResizeRules(step->dx)) {
        follow(main, rule, step->dx, step->dy);
        if (rule.id == IDC_TABS) resizePages(main, step->dx);
    }
    applyCaptionColumnWidths(GetDlgItem(main, IDC_CAPTION_LIST));
    InvalidateRect(main, nullptr, TRUE);
}

}  // namespace qucap
