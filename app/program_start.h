#pragma once
// The process start of the program: one instance, the window class, the
// rich-edit library, the main window and the message loop.
#include <windows.h>

namespace qucap {

// Runs the program to its end; the process's exit code (always 0).
int runProgram(HINSTANCE instance, int showCommand);

// Runs the message loop until the quit message.
void runMessageLoop();

}  // namespace qucap
