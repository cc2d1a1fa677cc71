#pragma once
// Builds the bytes of a text file as the system writes them:
// FF FE, then UTF-16 little-endian, every line ended by CR LF.
#include <string>
#include <string_view>

namespace qucap {

class Utf16FileBuilder {
public:
    Utf16FileBuilder() : bytes_("\xFF\xFE", 2) {}

    Utf16FileBuilder& text(std::u16string_view text) {
        for (const char16_t c : text) {
            bytes_ += char(c & 0xFF);
            bytes_ += char(c >> 8);
        }
        return *this;
    }
    Utf16FileBuilder& line(std::u16string_view line) { return text(line).text(u"\r\n"); }

    const std::string& bytes() const { return bytes_; }

private:
    std::string bytes_;
};

}  // namespace qucap
