#include "app/import/css_colour.h"

#include <array>
#include <cstdint>
#include <string>

#include "app/import/text_scan.h"
#include "captiondata/text/u16.h"

namespace qucap {
namespace {

struct NamedColour {
    std::u16string_view name;
    Rgb rgb;
};
// The TTML names (HTML's sixteen with magenta, cyan), the grey spelling and
// the CSS names subtitle files most often carry.
constexpr std::array<NamedColour, 27> kNamedColours{{
    {u"black", {0, 0, 0}},         {u"silver", {192, 192, 192}}, {u"gray", {128, 128, 128}},
    {u"grey", {128, 128, 128}},    {u"white", {255, 255, 255}},  {u"maroon", {128, 0, 0}},
    {u"red", {255, 0, 0}},         {u"purple", {128, 0, 128}},   {u"fuchsia", {255, 0, 255}},
    {u"magenta", {255, 0, 255}},   {u"green", {0, 128, 0}},      {u"lime", {0, 255, 0}},
    {u"olive", {128, 128, 0}},     {u"yellow", {255, 255, 0}},   {u"navy", {0, 0, 128}},
    {u"blue", {0, 0, 255}},        {u"teal", {0, 128, 128}},     {u"aqua", {0, 255, 255}},
    {u"cyan", {0, 255, 255}},      {u"orange", {255, 165, 0}},   {u"pink", {255, 192, 203}},
    {u"brown", {165, 42, 42}},     {u"gold", {255, 215, 0}},     {u"darkred", {139, 0, 0}},
    {u"darkgreen", {0, 100, 0}},   {u"darkblue", {0, 0, 139}},   {u"lightblue", {173, 216, 230}},
}};

std::optional<CssColour> hexColour(std::u16string_view digits) {
    for (const char16_t c : digits)
        if (hexDigitValue(c) < 0) return std::nullopt;
    const auto channel = [&](std::size_t at, std::size_t width) {
        return width == 1 ? uint8_t(hexDigitValue(digits[at]) * 17) : uint8_t(hexDigitValue(digits[at]) * 16 + hexDigitValue(digits[at + 1]));
    };
    if (digits.size() == 3 || digits.size() == 4)
        return CssColour{{channel(0, 1), channel(1, 1), channel(2, 1)}, digits.size() == 4 && channel(3, 1) == 0};
    if (digits.size() == 6 || digits.size() == 8)
        return CssColour{{channel(0, 2), channel(2, 2), channel(4, 2)}, digits.size() == 8 && channel(6, 2) == 0};
    return std::nullopt;
}

// An alpha of 0, in any of its spellings ("0", "0.0", "0%").
bool isZeroAlpha(std::u16string_view text) {
    text = trimmedWhiteSpace(text);
    return !text.empty() && text.find_first_not_of(u"0.%") == std::u16string_view::npos;
}

// One channel of rgb(): an integer 0 to 255 (values beyond are clamped), or
// a percentage; decimals are allowed in either.
std::optional<uint8_t> channelValue(std::u16string_view text) {
    text = trimmedWhiteSpace(text);
    const bool percent = !text.empty() && text.back() == u'%';
    if (percent) text.remove_suffix(1);
    if (text.empty()) return std::nullopt;
    double value = 0, scale = 0;
    for (const char16_t c : text) {
        if (c == u'.' && scale == 0) {
            scale = 1;
        } else if (c >= u'0' && c <= u'9') {
            if (scale > 0) scale /= 10;
            value = scale > 0 ? value + (c - u'0') * scale : value * 10 + (c - u'0');
            if (value > 1e6) value = 1e6;
        } else {
            return std::nullopt;
        }
    }
    if (percent) value = value * 255 / 100;
    return uint8_t(value >= 255 ? 255 : value + 0.5);
}

std::optional<CssColour> functionColour(std::u16string_view inside, std::size_t channels) {
    std::array<std::u16string_view, 4> parts;
    std::size_t count = 0;
    for (std::size_t comma; count < 4; inside.remove_prefix(comma + 1)) {
        comma = inside.find(u',');
        parts[count++] = inside.substr(0, comma);
        if (comma == std::u16string_view::npos) break;
    }
    if (count != channels) return std::nullopt;
    Rgb rgb;
    uint8_t* targets[] = {&rgb.r, &rgb.g, &rgb.b};
    for (std::size_t i = 0; i < 3; ++i) {
        const std::optional<uint8_t> value = channelValue(parts[i]);
        if (!value) return std::nullopt;
        *targets[i] = *value;
    }
    if (channels == 4 && trimmedWhiteSpace(parts[3]).empty()) return std::nullopt;
    return CssColour{rgb, channels == 4 && isZeroAlpha(parts[3])};
}

}  // namespace

std::optional<Rgb> parseCssColour(std::u16string_view text) {
    const std::optional<CssColour> colour = readCssColour(text);
    if (!colour || equalsIgnoringAsciiCase(trimmedWhiteSpace(text), u"transparent")) return std::nullopt;
    return colour->rgb;
}

std::optional<CssColour> readCssColour(std::u16string_view text) {
    text = trimmedWhiteSpace(text);
    if (text.empty()) return std::nullopt;
    if (equalsIgnoringAsciiCase(text, u"transparent")) return CssColour{{}, true};
    if (text.front() == u'#') return hexColour(text.substr(1));
    for (const auto& [prefix, channels] : {std::pair{std::u16string_view(u"rgba("), std::size_t(4)},
                                           std::pair{std::u16string_view(u"rgb("), std::size_t(3)}}) {
        if (text.size() > prefix.size() && equalsIgnoringAsciiCase(text.substr(0, prefix.size()), prefix) &&
            text.back() == u')')
            return functionColour(text.substr(prefix.size(), text.size() - prefix.size() - 1), channels);
    }
    for (const NamedColour& named : kNamedColours)
        if (equalsIgnoringAsciiCase(text, named.name)) return CssColour{named.rgb};
    return std::nullopt;
}

}  // namespace qucap
