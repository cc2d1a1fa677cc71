#pragma once
// The rectangle a GDI text may touch: its cell grown by half its height on
// every side, for glyphs that reach past their cell; a turned text may lie
// on any side of its position. Not clipped to any frame.
#include <algorithm>
#include <cstdint>
#include <string_view>

#include "filter/core/rasteriser.h"

namespace qucap {

struct WideRect {
    int64_t left = 0, top = 0, right = 0, bottom = 0;
};

inline WideRect textReach(GlyphRasteriser& measurer, const FontSpec& font, int32_t x, int32_t y,
                          std::u16string_view text) {
    const TextExtent extent = measurer.textExtent(font, text);
    const int64_t height = std::max(extent.cy, font.height);
    const int64_t width = extent.cx > 0 ? extent.cx : height * int64_t(text.size());
    const int64_t margin = height / 2 + 1;
    if (font.escapement == 0) return {x - margin, y - margin, x + width + margin, y + height + margin};
    const int64_t reach = width + height + margin;
    return {x - reach, y - reach, x + reach, y + reach};
}

}  // namespace qucap
