#pragma once
// The text of a window or control, whatever its length.
#include <windows.h>

#include <string>

namespace qucap {

std::u16string windowText(HWND window);

}  // namespace qucap
