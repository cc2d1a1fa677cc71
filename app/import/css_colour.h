#pragma once
// Colour values as CSS, WebVTT's STYLE blocks, TTML's tts:color and SRT's
// <font color> write them.
#include <optional>
#include <string_view>

#include "captiondata/markup/rich_format.h"

namespace qucap {

// A colour name (the HTML and TTML names and the common CSS ones, any case),
// "#rgb", "#rgba", "#rrggbb", "#rrggbbaa", "rgb(r, g, b)" or
// "rgba(r, g, b, a)" (channels as 0 to 255 or percentages; TTML's alpha 0 to
// 255, CSS's 0 to 1), with white space around it. The alpha is not kept.
// Nothing for anything else, and for "transparent".
std::optional<Rgb> parseCssColour(std::u16string_view text);

// A colour as parseCssColour reads it, with whether it is fully transparent:
// "transparent", or an alpha of 0 ("#rgb0", "#rrggbb00", "rgba(r, g, b, 0)").
struct CssColour {
    Rgb rgb;
    bool transparent = false;
};
std::optional<CssColour> readCssColour(std::u16string_view text);

}  // namespace qucap
