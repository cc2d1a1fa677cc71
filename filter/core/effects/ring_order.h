#pragma once
// The order in which the rings of a laid-out row are drawn, and what each
// ring of each cell is drawn with. The direct ring pass and the precomputed
// ring plate both walk this order, so the last write to a pixel is the same.
#include <algorithm>
#include <cstdint>

#include "captiondata/project/project_keys.h"
#include "filter/core/effects/effects.h"
#include "filter/core/effects/pixel_ops.h"
#include "filter/core/effects/ring_maps.h"

namespace qucap {

// What one ring of one cell is drawn with: opaque colour (gradation 1), or
// the colour blended against the snapshot with `weight` (0..48).
struct RingPaint {
    PixelColour colour;
    int32_t weight = 0;
    bool opaque = false;
    bool operator==(const RingPaint&) const = default;
};

// The border type's rings are drawn at all (types 1 and 2).
inline bool drawsRings(const BorderSettings& border) { return borderTypeDrawsRings(border.type); }

// Border width of text index k: the body width for 0 and 2, the ruby width
// for 1 and 3; limited to 0 (no rings) .. 9.
inline int32_t ringWidthOf(const BorderSettings& border, int textIndex) {
    const int32_t width = textIndex % 2 == 0 ? border.mainWidth : border.rubyWidth;
    return std::clamp<int32_t>(width, 0, kMaxRing);
}

inline RingPaint ringPaintOf(const GlyphCell& cell, const BorderSettings& border, int32_t width, int32_t ring) {
    return {pixelColourOf(ringColour(cell.borderStart, cell.borderEnd, width, ring)), ringWeight(width, ring),
            border.gradation == 1};
}

// fn(ring, textIndex, cellIndex, cell, paint) for ring 9 down to 1, text 0..3
// within a ring, cells in order, for every text whose width reaches the ring.
// A text holds at most kMaxCellsPerText cells; any beyond are not ringed.
template <typename Fn>
void forEachCellRing(const RowLayout& layout, const BorderSettings& border, Fn&& fn) {
    if (!drawsRings(border)) return;
    for (int32_t ring = kMaxRing; ring >= 1; --ring)
        for (int k = 0; k < 4; ++k) {
            const int32_t width = ringWidthOf(border, k);
            if (ring > width) continue;
            const auto& cells = layout.cells[std::size_t(k)];
            const std::size_t count = std::min<std::size_t>(cells.size(), kMaxCellsPerText);
            for (std::size_t i = 0; i < count; ++i)
                fn(ring, k, i, cells[i], ringPaintOf(cells[i], border, width, ring));
        }
}

// fn(placed bitmap) for the glyph, then its underline and its strike when it has them.
template <typename Fn>
void forEachCellBitmap(const GlyphCell& cell, Fn&& fn) {
    fn(cell.glyph);
    if (cell.underline) fn(*cell.underline);
    if (cell.strike) fn(*cell.strike);
}

}  // namespace qucap
