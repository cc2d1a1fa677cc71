#pragma once
// Turns the bytes of a text file into UTF-16, whatever encoding it came in,
// and tells what could not be read.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qucap {

// Seam to the platform's Shift-JIS (code page 932) conversion.
class ShiftJisDecoder {
public:
    virtual ~ShiftJisDecoder() = default;
    // The decoded text, or nothing when the bytes are not valid Shift-JIS.
    virtual std::optional<std::u16string> decode(std::string_view bytes) const = 0;
};

// Stands for a byte (or a pair of bytes) that is no Shift-JIS character.
inline constexpr char16_t kUnreadableCharacter = u'\uFFFD';

struct DecodedText {
    std::u16string text;
    // Where kUnreadableCharacter stands in `text` for bytes of a file without
    // a mark that are neither UTF-8 nor Shift-JIS, in order.
    std::vector<std::size_t> unreadable;

    // Whether the bytes can be a text file at all: no control character but
    // tab, CR, LF and SUB (the old end-of-file mark), and at most one
    // character in eight unreadable. A picture or other binary file is not.
    bool isText() const;
};

// Byte-order mark FF FE: UTF-16LE; FE FF: UTF-16BE (an odd last byte is
// dropped). Without a mark: UTF-8 when the bytes are valid UTF-8 (a leading
// EF BB BF is skipped), else Shift-JIS character by character: every byte
// that starts no Shift-JIS character, and every pair the platform does not
// know, becomes kUnreadableCharacter, and the rest of the file reads as it is.
DecodedText decodeText(std::string_view bytes, const ShiftJisDecoder& shiftJis);
std::u16string decodeTextFile(std::string_view bytes, const ShiftJisDecoder& shiftJis);

bool isValidUtf8(std::string_view bytes);

}  // namespace qucap
