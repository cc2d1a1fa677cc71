#include "captiondata/text/decode.h"

#include <algorithm>

#include "captiondata/text/u16.h"

namespace qucap {

namespace {

std::u16string decodeUtf16(std::string_view bytes, bool bigEndian) {
    std::u16string out(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto first = static_cast<unsigned char>(bytes[2 * i]);
        const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
        out[i] = bigEndian ? char16_t(first << 8 | second) : char16_t(second << 8 | first);
    }
    return out;
}

bool startsWith(std::string_view bytes, std::string_view prefix) {
    return bytes.substr(0, prefix.size()) == prefix;
}

bool inRange(unsigned char byte, unsigned char low, unsigned char high) { return byte >= low && byte <= high; }

// The length of the Shift-JIS character at `at`: 1 for ASCII and half-width
// katakana, 2 for a lead byte with a valid trail byte, 0 for a byte that
// starts no character.
std::size_t shiftJisLength(std::string_view bytes, std::size_t at) {
    const auto byte = static_cast<unsigned char>(bytes[at]);
    if (byte < 0x80 || inRange(byte, 0xA1, 0xDF)) return 1;
    if (!inRange(byte, 0x81, 0x9F) && !inRange(byte, 0xE0, 0xFC)) return 0;
    if (at + 1 >= bytes.size()) return 0;
    const auto trail = static_cast<unsigned char>(bytes[at + 1]);
    return inRange(trail, 0x40, 0x7E) || inRange(trail, 0x80, 0xFC) ? 2 : 0;
}

class ShiftJisReader {
public:
    ShiftJisReader(std::string_view bytes, const ShiftJisDecoder& decoder) : bytes_(bytes), decoder_(decoder) {}

    DecodedText read() {
        std::size_t runStart = 0;
        for (std::size_t at = 0; at < bytes_.size();) {
            const std::size_t length = shiftJisLength(bytes_, at);
            if (length > 0) {
                at += length;
                continue;
            }
            appendRun(runStart, at);
            appendUnreadable();
            runStart = ++at;
        }
        appendRun(runStart, bytes_.size());
        return std::move(out_);
    }

private:
    // A run of well-formed characters: in one call, or character by
    // character when the platform refuses the run (a pair it has no
    // character for).
    void appendRun(std::size_t begin, std::size_t end) {
        if (begin == end) return;
        if (auto text = decoder_.decode(bytes_.substr(begin, end - begin))) {
            out_.text += *text;
            return;
        }
        for (std::size_t at = begin; at < end;) {
            const std::size_t length = shiftJisLength(bytes_, at);
            if (auto one = decoder_.decode(bytes_.substr(at, length)))
                out_.text += *one;
            else
                appendUnreadable();
            at += length;
        }
    }

    void appendUnreadable() {
        out_.unreadable.push_back(out_.text.size());
        out_.text += kUnreadableCharacter;
    }

    std::string_view bytes_;
    const ShiftJisDecoder& decoder_;
    DecodedText out_;
};

bool isControl(char16_t c) {
    if (c == u'\t' || c == u'\r' || c == u'\n' || c == u'\x1A') return false;
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

}  // namespace

bool DecodedText::isText() const {
    if (unreadable.size() * 8 > text.size()) return false;
    return std::none_of(text.begin(), text.end(), isControl);
}

bool isValidUtf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        const auto seq = nextUtf8Sequence(bytes, i);
        if (!seq) return false;
        i += seq->length;
    }
    return true;
}

DecodedText decodeText(std::string_view bytes, const ShiftJisDecoder& shiftJis) {
    if (startsWith(bytes, "\xFF\xFE")) return {decodeUtf16(bytes.substr(2), false), {}};
    if (startsWith(bytes, "\xFE\xFF")) return {decodeUtf16(bytes.substr(2), true), {}};
    const std::string_view body = startsWith(bytes, "\xEF\xBB\xBF") ? bytes.substr(3) : bytes;
    if (isValidUtf8(body)) return {fromUtf8(body), {}};
    return ShiftJisReader(bytes, shiftJis).read();
}

std::u16string decodeTextFile(std::string_view bytes, const ShiftJisDecoder& shiftJis) {
    return decodeText(bytes, shiftJis).text;
}

}  // namespace qucap
