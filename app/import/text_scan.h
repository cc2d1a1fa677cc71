#pragma once
// Small scanning helpers the readers share.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "captiondata/text/u16.h"

namespace qucap {

inline bool isBlankCharacter(char16_t c) { return c == u' ' || c == u'\t' || c == u'\f' || c == u'\v'; }

inline std::u16string_view trimmedBlanks(std::u16string_view text) {
    while (!text.empty() && isBlankCharacter(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlankCharacter(text.back())) text.remove_suffix(1);
    return text;
}

inline bool isBlankLine(std::u16string_view text) { return trimmedBlanks(text).empty(); }

// White space as CSS, HTML and WebVTT count it: blanks and line ends.
inline bool isWhiteSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f'; }

inline std::u16string_view trimmedWhiteSpace(std::u16string_view text) {
    while (!text.empty() && isWhiteSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && isWhiteSpace(text.back())) text.remove_suffix(1);
    return text;
}

// White space as XML counts it, in the UTF-8 text of an attribute and in a text.
inline bool isXmlSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
inline bool isXmlSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

inline std::string_view trimmedXmlSpace(std::string_view text) {
    while (!text.empty() && isXmlSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && isXmlSpace(text.back())) text.remove_suffix(1);
    return text;
}

// ASCII letters in lower case, every other unit as it is.
inline std::u16string asciiLowered(std::u16string_view text) {
    std::u16string lowered(text);
    for (char16_t& c : lowered)
        if (c >= u'A' && c <= u'Z') c = char16_t(c + (u'a' - u'A'));
    return lowered;
}

// The value of a hexadecimal digit, or -1.
inline int hexDigitValue(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

inline bool isAsciiDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
// The value of a decimal (or, with `hex`, hexadecimal) digit, or -1.
inline int digitValue(char16_t c, bool hex) { return hex ? hexDigitValue(c) : isAsciiDigit(c) ? c - u'0' : -1; }

// The words of `text` between runs of white space, in order.
inline std::vector<std::u16string_view> wordsOf(std::u16string_view text) {
    std::vector<std::u16string_view> words;
    for (std::size_t at = 0; at < text.size();) {
        while (at < text.size() && isWhiteSpace(text[at])) ++at;
        std::size_t end = at;
        while (end < text.size() && !isWhiteSpace(text[end])) ++end;
        if (end > at) words.push_back(text.substr(at, end - at));
        at = end;
    }
    return words;
}
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
