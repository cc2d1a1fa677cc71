#include "app/import/srt_cue_text.h"

#include <cstdint>

#include "app/import/css_colour.h"
#include "app/import/text_scan.h"
#include "captiondata/markup/markup.h"

namespace qucap {
namespace {

struct EffectTag {
    std::u16string_view name;
    EffectBit bit;
};
constexpr std::array<EffectTag, 4> kEffectTags{{
    {u"b", kBold},
    {u"i", kItalic},
    {u"u", kUnderline},
    {u"s", kStrikeOut},
}};

struct Entity {
    std::u16string_view name;
    char16_t character;
};
constexpr std::array<Entity, 6> kEntities{{
    {u"amp", u'&'}, {u"lt", u'<'}, {u"gt", u'>'}, {u"nbsp", u'\u00A0'}, {u"quot", u'"'}, {u"apos", u'\''},
}};
constexpr std::size_t kEntityMax = 10;  // "&#x10FFFF;"

std::u16string dropNote(std::u16string_view what) { return std::u16string(what) + u" は字幕の行に持てないため外しました"; }

// The character of "&#NNN;" or "&#xHH;" (`digits` after "#"); nothing for
// a value that is no character.
std::optional<char32_t> numericEntity(std::u16string_view digits) {
    const bool hex = !digits.empty() && (digits.front() == u'x' || digits.front() == u'X');
    if (hex) digits.remove_prefix(1);
    if (digits.empty()) return std::nullopt;
    uint32_t value = 0;
    for (const char16_t c : digits) {
        const int digit = digitValue(c, hex);
        if (digit < 0) return std::nullopt;
        value = value * (hex ? 16 : 10) + uint32_t(digit);
        if (value > 0x10FFFF) return std::nullopt;
    }
    if (value == 0 || (value >= 0xD800 && value <= 0xDFFF)) return std::nullopt;
    return char32_t(value);
}

// The entity at text[at] == '&' decoded onto `out`; its length, or 0 when
// it is no entity (the "&" is then a character).
std::size_t decodeEntity(std::u16string_view text, std::size_t at, std::u16string& out) {
    const std::size_t semicolon = text.substr(at, kEntityMax + 1).find(u';');
    if (semicolon == std::u16string_view::npos) return 0;
    const std::u16string_view name = text.substr(at + 1, semicolon - 1);
    if (!name.empty() && name.front() == u'#') {
        const auto cp = numericEntity(name.substr(1));
        if (!cp) return 0;
        appendUtf16(out, *cp);
        return semicolon + 1;
    }
    for (const Entity& entity : kEntities) {
        if (equalsIgnoringAsciiCase(name, entity.name)) {
            out += entity.character;
            return semicolon + 1;
        }
    }
    return 0;
}

// The colour of a <font color> value: a CSS colour, or six hex digits
// without their "#", as some tools write them.
std::optional<Rgb> fontColour(std::u16string_view value) {
    if (const auto rgb = parseCssColour(value)) return rgb;
    if (value.size() == 6) return parseCssColour(u"#" + std::u16string(value));
    return std::nullopt;
}

struct Attribute {
    std::u16string_view name, value;
};

// The next `name=value` (value quoted or not, or missing) of a tag's
// attribute text, removed from it; nothing at its end.
std::optional<Attribute> takeAttribute(std::u16string_view& text) {
    text = trimmedBlanks(text);
    if (text.empty()) return std::nullopt;
    std::size_t end = 0;
    while (end < text.size() && text[end] != u'=' && !isBlankCharacter(text[end])) ++end;
    Attribute attribute{text.substr(0, end), {}};
    text = trimmedBlanks(text.substr(end));
    if (text.empty() || text.front() != u'=') return attribute;
    text = trimmedBlanks(text.substr(1));
    if (!text.empty() && (text.front() == u'"' || text.front() == u'\'')) {
        const std::size_t close = text.find(text.front(), 1);
        attribute.value = text.substr(1, close == std::u16string_view::npos ? std::u16string_view::npos : close - 1);
        text = close == std::u16string_view::npos ? std::u16string_view{} : text.substr(close + 1);
    } else {
        end = 0;
        while (end < text.size() && !isBlankCharacter(text[end])) ++end;
        attribute.value = text.substr(0, end);
        text.remove_prefix(end);
    }
    return attribute;
}

std::size_t tagNameLength(std::u16string_view inside) {
    std::size_t length = 0;
    while (length < inside.size() && (isAsciiLetter(inside[length]) || isAsciiDigit(inside[length]))) ++length;
    return length;
}

// Whether the text between "<" and ">" is written as a tag: a name, then
// nothing, "/", or blanks and attributes whose names start with a letter.
// Anything else ("a <b & c> d") is text.
bool isTagShape(std::u16string_view inside) {
    if (!inside.empty() && inside.front() == u'/') inside.remove_prefix(1);
    std::u16string_view rest = inside.substr(tagNameLength(inside));
    if (!rest.empty() && rest.back() == u'/') rest.remove_suffix(1);
    if (rest.empty()) return true;
    if (!isBlankCharacter(rest.front())) return false;
    while (const auto attribute = takeAttribute(rest))
        if (attribute->name.empty() || !isAsciiLetter(attribute->name.front())) return false;
    return true;
}

}  // namespace

ImportStyle SrtCueText::style() const {
    ImportStyle style;
    for (std::size_t i = 0; i < kEffectTags.size(); ++i)
        if (effectDepth_[i] > 0) style.effects |= kEffectTags[i].bit;
    if (!fontColours_.empty()) style.colour = fontColours_.back();
    return style;
}

void SrtCueText::addLine(std::u16string_view text) {
    if (!firstLine_) lines_.breakLine();
    firstLine_ = false;
    std::u16string plain;
    const auto flush = [&] {
        lines_.append(plain, style());
        plain.clear();
    };
    for (std::size_t at = 0; at < text.size();) {
        const char16_t c = text[at];
        const bool tagStart = c == u'<' && at + 1 < text.size() &&
                              (isAsciiLetter(text[at + 1]) ||
                               (text[at + 1] == u'/' && at + 2 < text.size() && isAsciiLetter(text[at + 2])));
        const bool blockStart = c == u'{' && at + 1 < text.size() && text[at + 1] == u'\\';
        if (tagStart || blockStart) {
            // A tag runs to the first ">", a block to the first "}", with no
            // other opening before it; else the "<" or "{" is a character.
            const std::size_t end = text.find_first_of(tagStart ? u"<>" : u"{}", at + 1);
            if (end != std::u16string_view::npos && text[end] == (tagStart ? u'>' : u'}') &&
                (!tagStart || isTagShape(text.substr(at + 1, end - at - 1)))) {
                flush();
                if (tagStart) {
                    tag(text.substr(at + 1, end - at - 1));
                } else {
                    notes_.note(cueLine_, dropNote(excerpt(text.substr(at, end - at + 1))));
                }
                at = end + 1;
                continue;
            }
        }
        if (c == u'&') {
            if (const std::size_t length = decodeEntity(text, at, plain)) {
                at += length;
                continue;
            }
        }
        plain += c;
        ++at;
    }
    flush();
}

void SrtCueText::tag(std::u16string_view inside) {
    const bool closing = !inside.empty() && inside.front() == u'/';
    if (closing) inside.remove_prefix(1);
    const std::size_t nameEnd = tagNameLength(inside);
    const std::u16string_view name = inside.substr(0, nameEnd);
    for (std::size_t i = 0; i < kEffectTags.size(); ++i) {
        if (!equalsIgnoringAsciiCase(name, kEffectTags[i].name)) continue;
        if (!closing) ++effectDepth_[i];
        else if (effectDepth_[i] > 0) --effectDepth_[i];
        return;
    }
    if (equalsIgnoringAsciiCase(name, u"font")) {
        if (!closing) fontTag(inside.substr(nameEnd));
        else if (!fontColours_.empty()) fontColours_.pop_back();
        return;
    }
    if (equalsIgnoringAsciiCase(name, u"br")) {
        lines_.breakLine();
        return;
    }
    notes_.note(cueLine_, u"<" + excerpt(name) + u"> のタグは字幕の行に持てないため外しました");
}

void SrtCueText::fontTag(std::u16string_view attributes) {
    std::optional<Rgb> colour = fontColours_.empty() ? std::nullopt : fontColours_.back();
    while (const auto attribute = takeAttribute(attributes)) {
        if (equalsIgnoringAsciiCase(attribute->name, u"color")) {
            if (const auto rgb = fontColour(attribute->value)) {
                colour = rgb;
            } else {
                notes_.note(cueLine_, u"色「" + excerpt(attribute->value) + u"」が読めないため、<font color> の指定を外しました");
            }
        } else {
            notes_.note(cueLine_, u"<font " + excerpt(attribute->name) + u"> の指定は字幕の行に持てないため外しました");
        }
    }
    fontColours_.push_back(colour);
}

}  // namespace qucap
