#pragma once
// Turns the bytes of a text file into UTF-16, whatever encoding it came in.
#include <optional>
#include <string>
#include <string_view>

namespace qucap {

// Seam to the platform's Shift-JIS (code page 932) conversion.
class ShiftJisDecoder {
public:
    virtual ~ShiftJisDecoder() = default;
    // The decoded text, or nothing when the bytes are not valid Shift-JIS.
    virtual std::optional<std::u16string> decode(std::string_view bytes) const = 0;
};

// Byte-order mark FF FE: UTF-16LE; FE FF: UTF-16BE (an odd last byte is
// dropped). Without a mark: UTF-8 when the bytes are valid UTF-8 (a leading
// EF BB BF is skipped), else Shift-JIS when valid, else one character per byte.
std::u16string decodeTextFile(std::string_view bytes, const ShiftJisDecoder& shiftJis);

bool isValidUtf8(std::string_view bytes);

}  // namespace qucap
