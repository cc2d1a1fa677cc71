#include "filter/core/effects/effects.h"

#include "captiondata/project/project_keys.h"
#include "filter/core/effects/black_box.h"
#include "filter/core/effects/pixel_ops.h"
#include "filter/core/effects/ring_order.h"

namespace qucap {

namespace {

// One ring offset of one placed bitmap: every ink pixel moved by (dx, dy),
// written opaque or blended against the snapshot; pixels off the frame are skipped.
void drawRingCopy(const PlacedBitmap& placed, RingOffset offset, const RingPaint& paint, FrameBuffer& frame,
                  const FrameBuffer& snapshot) {
    const CoverageView ink = coverageOf(placed.bitmap);
    if (ink.empty()) return;
    const int64_t left = int64_t(placed.x) + offset.dx;
    const int64_t top = int64_t(placed.y) + offset.dy;
    const IndexRange cols = indexesInside(left, ink.width, frame.width);
    const IndexRange rows = indexesInside(top, ink.height, frame.height);
    if (cols.empty() || rows.empty()) return;
    for (int32_t r = rows.first; r < rows.last; ++r) {
        const uint8_t* coverage = ink.row(r);
        const int32_t y = int32_t(top + r);
        for (int32_t col = cols.first; col < cols.last; ++col) {
            if (coverage[col] == 0) continue;
            const int32_t x = int32_t(left + col);
            uint8_t* p = frame.pixel(x, y);
            if (paint.opaque)
                writePixel(p, paint.colour);
            else
                blendPixel(p, paint.colour, paint.weight, snapshot.pixel(x, y));
        }
    }
}

void drawRings(const RowLayout& layout, const BorderSettings& border, FrameBuffer& frame,
               const FrameBuffer& snapshot) {
    // Blended rings need the background of every frame pixel; without a
    // matching snapshot they are left out rather than read out of bounds.
    if (border.gradation != 1 && !snapshotFits(frame, snapshot)) return;
    forEachCellRing(layout, border, [&](int32_t ring, int, std::size_t, const GlyphCell& cell, const RingPaint& paint) {
        forEachCellBitmap(cell, [&](const PlacedBitmap& placed) {
            for (const RingOffset& offset : ringOffsets(border.type, ring))
                drawRingCopy(placed, offset, paint, frame, snapshot);
        });
    });
}

// A placed bitmap blended by its coverage against the frame itself.
void blendGlyph(const PlacedBitmap& placed, PixelColour colour, FrameBuffer& frame) {
    const CoverageView ink = coverageOf(placed.bitmap);
    if (ink.empty()) return;
    const IndexRange cols = indexesInside(placed.x, ink.width, frame.width);
    const IndexRange rows = indexesInside(placed.y, ink.height, frame.height);
    if (cols.empty() || rows.empty()) return;
    for (int32_t r = rows.first; r < rows.last; ++r) {
        const uint8_t* coverage = ink.row(r);
        uint8_t* p = frame.pixel(placed.x + cols.first, placed.y + r);
        for (int32_t col = cols.first; col < cols.last; ++col, p += frame.bytesPerPixel) {
            // Coverage never exceeds 64; a larger byte counts as full cover.
            const int32_t v = std::min<int32_t>(coverage[col], 64);
            if (v != 0) blendPixel(p, colour, v, p);
        }
    }
}

}  // namespace

void drawOutlineEffect(const RowLayout& layout, const BorderSettings& border, const FilterFonts& fonts,
                       GlyphRasteriser& measurer, FrameBuffer& frame, const FrameBuffer& snapshot, FrameCanvas& canvas) {
    if (isBorderType(border.type, BorderType::BlackBox)) {
        for (const PixelRect& rect : blackBoxRects(layout, fonts, measurer, frame.width, frame.height))
            canvas.fillBlack(rect);
        canvas.flush();
        return;
    }
    if (!drawsRings(border) || !drawableFrame(frame)) return;
    canvas.flush();  // whatever GDI drew before must be in memory first
    drawRings(layout, border, frame, snapshot);
}

void drawGlyphs(const RowLayout& layout, int textIndex, FrameBuffer& frame) {
    if (textIndex < 0 || textIndex > 3 || !drawableFrame(frame)) return;
    for (const GlyphCell& cell : layout.cells[std::size_t(textIndex)]) {
        const PixelColour colour = pixelColourOf(cell.bodyColour);
        forEachCellBitmap(cell, [&](const PlacedBitmap& placed) { blendGlyph(placed, colour, frame); });
    }
}

}  // namespace qucap
