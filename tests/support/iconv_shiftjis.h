#pragma once
// Host Shift-JIS decoder through iconv (code page 932).
#include "captiondata/text/decode.h"

namespace qucap::test {

class IconvShiftJisDecoder : public ShiftJisDecoder {
public:
    std::optional<std::u16string> decode(std::string_view bytes) const override;
};

}  // namespace qucap::test
