#pragma once
// Shift-JIS decoder of the Windows shells: MultiByteToWideChar on code page
// 932 with MB_ERR_INVALID_CHARS, so invalid bytes are refused, not replaced.
#include "captiondata/text/decode.h"

namespace qucap {

class Win32ShiftJisDecoder : public ShiftJisDecoder {
public:
    std::optional<std::u16string> decode(std::string_view bytes) const override;
};

}  // namespace qucap
