#pragma once
// The help window: a modeless, resizable pop-up that shows the help page of
// one tab and scrolls it when the window is smaller than the page.
#include <windows.h>

namespace qucap {

// Shows help page `index` (1 to 6, the tabs with a help button). The window
// is created owned by `parentPage` when none is open; while one is open it
// keeps the page it shows. Other indexes show nothing.
void openHelp(int index, HWND parentPage);

// The open help window, or null when none is open.
HWND helpHostWindow();

}  // namespace qucap
