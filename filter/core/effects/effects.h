#pragma once
// Outline effects (round border, stepped shadow, black box) and the blending
// of glyphs into a frame.
#include <cstdint>

#include "filter/core/canvas.h"
#include "filter/core/frame.h"
#include "filter/core/glyph_cell.h"
#include "filter/core/layout/layouter.h"
#include "filter/core/rasteriser.h"

namespace qucap {

struct BorderSettings {
    int32_t type = 1;  // 1 border, 2 shadow, 3 none, 4 black box
    int32_t gradation = 0;
    int32_t mainWidth = 3;
    int32_t rubyWidth = 1;
    bool operator==(const BorderSettings&) const = default;
};

// DrawOutlineEffect: rings of types 1 and 2 blended against `snapshot` (the
// frame as it was before the caption), or the black box of type 4 filled
// through the canvas (measured with the fonts as held); nothing for type 3.
void drawOutlineEffect(const RowLayout& layout, const BorderSettings& border, const FilterFonts& fonts,
                       GlyphRasteriser& measurer, FrameBuffer& frame, const FrameBuffer& snapshot, FrameCanvas& canvas);

// DrawGlyphs: the cells of one text index blended into the frame by coverage.
void drawGlyphs(const RowLayout& layout, int textIndex, FrameBuffer& frame);

}  // namespace qucap
