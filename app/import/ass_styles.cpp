#include "app/import/ass_styles.h"

#include <array>

#include "app/import/text_scan.h"
#include "captiondata/markup/markup.h"

namespace qucap {
namespace {

constexpr std::array<std::u16string_view, 23> kV4PlusStyleFields{
    u"Name",      u"Fontname", u"Fontsize", u"PrimaryColour", u"SecondaryColour", u"OutlineColour",
    u"BackColour", u"Bold",     u"Italic",   u"Underline",     u"StrikeOut",       u"ScaleX",
    u"ScaleY",    u"Spacing",  u"Angle",    u"BorderStyle",   u"Outline",         u"Shadow",
    u"Alignment", u"MarginL",  u"MarginR",  u"MarginV",       u"Encoding"};
constexpr std::array<std::u16string_view, 18> kV4StyleFields{
    u"Name",     u"Fontname",    u"Fontsize", u"PrimaryColour", u"SecondaryColour", u"TertiaryColour",
    u"BackColour", u"Bold",      u"Italic",   u"BorderStyle",   u"Outline",         u"Shadow",
    u"Alignment", u"MarginL",    u"MarginR",  u"MarginV",       u"AlphaLevel",      u"Encoding"};
constexpr std::array<std::u16string_view, 10> kEventFields{u"Layer",   u"Start",   u"End",     u"Style",  u"Name",
                                                           u"MarginL", u"MarginR", u"MarginV", u"Effect", u"Text"};

struct EffectField {
    std::u16string_view name;
    EffectBit bit;
};
constexpr std::array<EffectField, 3> kEffectFields{{
    {u"Italic", kItalic},
    {u"Underline", kUnderline},
    {u"StrikeOut", kStrikeOut},
}};
// SSA called the outline colour the tertiary one.
constexpr std::array<std::u16string_view, 2> kOutlineFields{u"OutlineColour", u"TertiaryColour"};

std::u16string styleKey(std::u16string_view name) {
    name = trimmedBlanks(name);
    if (!name.empty() && name.front() == u'*') name.remove_prefix(1);
    return asciiLowered(name);
}

}  // namespace

AssFormat::AssFormat(std::span<const std::u16string_view> names) {
    for (const std::u16string_view name : names) add(name);
}

void AssFormat::add(std::u16string_view name) { indexes_.emplace(asciiLowered(trimmedBlanks(name)), size_++); }

AssFormat AssFormat::parse(std::u16string_view formatValue) {
    AssFormat format({});
    for (const std::u16string_view name : splitFields(formatValue, formatValue.size() + 1)) format.add(name);
    return format;
}

std::optional<std::size_t> AssFormat::indexOf(std::u16string_view name) const {
    const auto found = indexes_.find(asciiLowered(name));
    if (found == indexes_.end()) return std::nullopt;
    return found->second;
}

AssFormat defaultV4PlusStyleFormat() { return AssFormat(kV4PlusStyleFields); }
AssFormat defaultV4StyleFormat() { return AssFormat(kV4StyleFields); }
AssFormat defaultEventFormat() { return AssFormat(kEventFields); }

std::vector<std::u16string_view> splitFields(std::u16string_view value, std::size_t count) {
    std::vector<std::u16string_view> fields;
    if (count == 0) return fields;
    for (std::size_t comma; fields.size() + 1 < count && (comma = value.find(u',')) != std::u16string_view::npos;) {
        fields.push_back(value.substr(0, comma));
        value.remove_prefix(comma + 1);
    }
    fields.push_back(value);
    return fields;
}

std::optional<Rgb> assColour(std::u16string_view text) {
    text = trimmedBlanks(text);
    uint64_t value = 0;
    if (!text.empty() && text.front() == u'&') text.remove_prefix(1);
    if (!text.empty() && (text.front() == u'H' || text.front() == u'h')) {
        text.remove_prefix(1);
        if (!text.empty() && text.back() == u'&') text.remove_suffix(1);
        if (text.empty() || text.size() > 8) return std::nullopt;
        for (const char16_t c : text) {
            const int digit = hexDigitValue(c);
            if (digit < 0) return std::nullopt;
            value = value * 16 + uint64_t(digit);
        }
    } else {
        // SSA's decimal value; a negative one keeps its low bytes.
        const bool negative = !text.empty() && text.front() == u'-';
        if (negative) text.remove_prefix(1);
        if (text.empty() || text.size() > 10) return std::nullopt;
        for (const char16_t c : text) {
            if (!isAsciiDigit(c)) return std::nullopt;
            value = value * 10 + uint64_t(c - u'0');
        }
        if (negative) value = uint64_t(0) - value;
    }
    return Rgb{uint8_t(value & 0xFF), uint8_t(value >> 8 & 0xFF), uint8_t(value >> 16 & 0xFF)};
}

bool assBold(int32_t value) { return value == -1 || value == 1 || value >= 600; }

AssStyles::Added AssStyles::add(std::span<const std::u16string_view> fields, const AssFormat& format) {
    const auto field = [&](std::u16string_view name) -> std::optional<std::u16string_view> {
        const auto index = format.indexOf(name);
        if (!index || *index >= fields.size()) return std::nullopt;
        return trimmedBlanks(fields[*index]);
    };
    Added added;
    const auto colour = [&](std::u16string_view text) {
        const auto rgb = assColour(text);
        if (!rgb) added.unreadableColours.push_back(text);
        return rgb;
    };
    AssStyle style;
    if (const auto font = field(u"Fontname")) style.vertical = !font->empty() && font->front() == u'@';
    if (const auto primary = field(u"PrimaryColour")) style.style.colour = colour(*primary);
    for (const std::u16string_view name : kOutlineFields)
        if (const auto outline = field(name)) style.style.border = colour(*outline);
    if (const auto bold = field(u"Bold"); bold && assBold(readLeadingInt(*bold))) style.style.effects |= kBold;
    for (const EffectField& effect : kEffectFields)
        if (const auto value = field(effect.name); value && readLeadingInt(*value) != 0) style.style.effects |= effect.bit;
    added.name = field(u"Name").value_or(u"");
    byName_[styleKey(added.name)] = style;
    return added;
}

const AssStyle* AssStyles::find(std::u16string_view name) const {
    const auto found = byName_.find(styleKey(name));
    return found == byName_.end() ? nullptr : &found->second;
}

}  // namespace qucap
