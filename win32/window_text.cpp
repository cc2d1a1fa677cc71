#include "win32/window_text.h"

namespace qucap {

std::u16string windowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::u16string text(std::size_t(length) + 1, u'\0');
    const int got = GetWindowTextW(window, reinterpret_cast<wchar_t*>(text.data()), length + 1);
    text.resize(std::size_t(got > 0 ? got : 0));
    return text;
}

}  // namespace qucap
