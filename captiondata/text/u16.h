#pragma once
// Small helpers on UTF-16 text shared by every reader and writer.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qucap {

// Lenient decimal read: leading white space, an optional sign, digits;
// whatever follows is ignored, no digits gives 0. Saturates at the 32-bit range.
int32_t readLeadingInt(std::u16string_view text);

// Digits only, at most kWholeNumberMax (a count or a time typed by a user);
// nothing for any other text.
inline constexpr int64_t kWholeNumberMax = 1'000'000'000;
std::optional<int64_t> wholeNumber(std::u16string_view text);

// Plain decimal, '-' for negative values, no padding.
std::u16string toDecimal(int64_t value);

// ASCII letters compared without regard to case; every other unit exactly.
bool equalsIgnoringAsciiCase(std::u16string_view a, std::u16string_view b);

// UTF-16 to UTF-8; a lone surrogate becomes U+FFFD.
std::string toUtf8(std::u16string_view text);

// One well-formed UTF-8 sequence (no overlong forms, no surrogates).
struct Utf8Sequence {
    char32_t codePoint;
    std::size_t length;
};
// The sequence starting at `at` (at < text.size()), or nothing when it is malformed.
std::optional<Utf8Sequence> nextUtf8Sequence(std::string_view text, std::size_t at);

// One code point (at most U+10FFFF) appended as UTF-16.
void appendUtf16(std::u16string& out, char32_t cp);

// UTF-8 to UTF-16; invalid sequences become U+FFFD.
std::u16string fromUtf8(std::string_view text);

// Cuts a text to at most `maxUnits` UTF-16 units.
inline std::u16string truncated(std::u16string_view text, std::size_t maxUnits) {
    return std::u16string(text.substr(0, maxUnits));
}

}  // namespace qucap
