#pragma once
// The black box behind a caption (border type 4): one rectangle per body
// line with text and one per ruby line whose body has text.
#include <cstdint>
#include <vector>

#include "filter/core/canvas.h"
#include "filter/core/glyph_cell.h"
#include "filter/core/layout/layouter.h"
#include "filter/core/rasteriser.h"

namespace qucap {

// The rectangles in fill order (bodies of line 1 and 2, then their rubies),
// each limited to a frame of frameWidth x frameHeight; rectangles left empty
// by the limiting are dropped.
std::vector<PixelRect> blackBoxRects(const RowLayout& layout, const FilterFonts& fonts, GlyphRasteriser& measurer,
                                     int32_t frameWidth, int32_t frameHeight);

}  // namespace qucap
