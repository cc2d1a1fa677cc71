#include "win32/win32_shiftjis.h"

#include <windows.h>

#include <climits>

namespace qucap {

std::optional<std::u16string> Win32ShiftJisDecoder::decode(std::string_view bytes) const {
    if (bytes.empty()) return std::u16string();
    if (bytes.size() > INT_MAX) return std::nullopt;
    const int length = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(), int(bytes.size()), nullptr, 0);
    if (length <= 0) return std::nullopt;
    std::u16string text(std::size_t(length), u'\0');
    MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(), int(bytes.size()),
                        reinterpret_cast<wchar_t*>(text.data()), length);
    return text;
}

}  // namespace qucap
