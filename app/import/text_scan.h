#pragma once
// Small scanning helpers the line-based readers (SRT, ASS) share.
#include <cstddef>
#include <string>
#include <string_view>

#include "captiondata/text/u16.h"

namespace qucap {

inline bool isBlankCharacter(char16_t c) { return c == u' ' || c == u'\t' || c == u'\f' || c == u'\v'; }

inline std::u16string_view trimmedBlanks(std::u16string_view text) {
    while (!text.empty() && isBlankCharacter(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlankCharacter(text.back())) text.remove_suffix(1);
    return text;
}

inline bool isBlankLine(std::u16string_view text) { return trimmedBlanks(text).empty(); }

inline bool isAsciiDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
inline bool isAsciiLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

inline bool startsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix) {
    return text.size() >= prefix.size() && equalsIgnoringAsciiCase(text.substr(0, prefix.size()), prefix);
}

// The text without a leading byte-order mark, should the decoder have left one.
inline std::u16string_view withoutMark(std::u16string_view text) {
    if (!text.empty() && text.front() == u'\uFEFF') text.remove_prefix(1);
    return text;
}

// A piece of the file quoted in a note, cut to a readable length.
inline std::u16string excerpt(std::u16string_view text, std::size_t maxUnits = 40) {
    if (text.size() <= maxUnits) return std::u16string(text);
    return std::u16string(text.substr(0, maxUnits)) + u"…";
}

}  // namespace qucap
