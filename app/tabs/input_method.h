#pragma once
// The input method editor of an edit control: open for typing Japanese
// names and captions, closed for paths, times and numbers.
#include <windows.h>

namespace qucap {

void setInputMethodOpen(HWND edit, bool open);

}  // namespace qucap
