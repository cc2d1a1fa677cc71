#pragma once
// What every modal dialog of the program does when it opens: stand in the
// middle of the screen (6 pixels above) and show the program's icon.
#include <windows.h>

namespace qucap {

void centreDialogOnScreen(HWND dialog);
void showProgramIcon(HWND dialog);
// The module holding the program's resources.
HINSTANCE programResources();

}  // namespace qucap
