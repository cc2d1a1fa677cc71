#pragma once
// RasteriseGlyph: a character of a font as a coverage bitmap (0 to 64 per
// byte, rows padded to 4 bytes) with its glyph metrics, upright or slanted
// for italic.
#include <cstdint>
#include <optional>

#include "filter/core/glyph_cell.h"
#include "filter/core/rasteriser.h"

namespace qucap {

struct RasterisedGlyph {
    CoverageBitmap bitmap;
    GlyphMetrics metrics;
};

// Bytes added to each row of an italic glyph h rows high: ((h / 3 + 3) / 4) x 4.
int32_t italicMargin(int32_t height);

// Nothing when the rasteriser cannot produce the character. A character
// without ink gives an all-zero bitmap of the black-box size. Italic glyphs
// are widened by the margin and row r is shifted right by (h - r) / 3 pixels.
std::optional<RasterisedGlyph> rasteriseGlyph(GlyphRasteriser& rasteriser, const FontSpec& font, char16_t character,
                                              bool italic);

}  // namespace qucap
