#pragma once
// Pictures of the program's windows for the documentation: a window's
// pixels (frame included) written as a 24-bit BMP. Only when
// QUCAP_SCREENSHOT_DIR names a folder; tools/screenshots.sh sets it.
#include <windows.h>

#include <string>
#include <string_view>

namespace qucap::test {

// The folder from QUCAP_SCREENSHOT_DIR (a Windows path), or empty.
std::u16string screenshotFolder();

// Writes `name`.bmp of the window into the screenshot folder; false when
// there is none or the picture could not be taken.
bool captureWindow(HWND window, std::u16string_view name);

}  // namespace qucap::test
