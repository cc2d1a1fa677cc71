#include "captiondata/text/decode.h"

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

std::u16string decodeBytewise(std::string_view bytes) {
    std::u16string out(bytes.size(), u'\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) out[i] = static_cast<unsigned char>(bytes[i]);
    return out;
}

bool startsWith(std::string_view bytes, std::string_view prefix) {
    return bytes.substr(0, prefix.size()) == prefix;
}

}  // namespace

bool isValidUtf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        const auto seq = nextUtf8Sequence(bytes, i);
        if (!seq) return false;
        i += seq->length;
    }
    return true;
}

std::u16string decodeTextFile(std::string_view bytes, const ShiftJisDecoder& shiftJis) {
    if (startsWith(bytes, "\xFF\xFE")) return decodeUtf16(bytes.substr(2), false);
    if (startsWith(bytes, "\xFE\xFF")) return decodeUtf16(bytes.substr(2), true);
    const std::string_view body = startsWith(bytes, "\xEF\xBB\xBF") ? bytes.substr(3) : bytes;
    if (isValidUtf8(body)) return fromUtf8(body);
    if (auto text = shiftJis.decode(bytes)) return *std::move(text);
    return decodeBytewise(bytes);
}

}  // namespace qucap
