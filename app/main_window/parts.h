#pragma once
// The pieces of the main window, one file each: initialisation, resizing,
// notifications and commands, the menu, the save steps and the end.
#include <windows.h>

#include "app/core/main_window/save_sequence.h"

namespace qucap {

// main_window_init.cpp: the initialisation steps, then the tabs and pages.
void initialiseMainWindow(HWND window);

// main_window_resize.cpp
void resizeMainWindow(int width, int height);

// main_window_commands.cpp: tab changes, row selection, commands.
INT_PTR handleMainNotify(const NMHDR& header);
INT_PTR handleMainCommand(int id);

// main_window_menu.cpp
void applyMenuState(HMENU popup);

// main_window_end.cpp: the save steps of the loaded project, ending, teardown.
SaveSteps projectSaveSteps();
void endProgram();
void tearDownMainWindow();

// Button 1004 follows the pending-edit flag.
void applySaveButtonState();

// The tab control's display area, where the pages stand, in the main
// window's client coordinates.
RECT pageRectangle(HWND main);

// A control's rectangle in the main window's client coordinates.
bool controlRect(HWND main, int id, RECT& rect);

}  // namespace qucap
