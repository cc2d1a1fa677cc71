#include "filter/core/layout/glyph_bitmap.h"

#include <algorithm>
#include <cstring>

namespace qucap {
namespace {

int32_t paddedRow(int32_t width) { return (width + 3) & ~3; }

// Moves each row of an upright bitmap (rows of `rowBytes`) into a wider row
// of rowBytes + margin bytes, shifted right by (h - r) / 3.
std::vector<uint8_t> slanted(const std::vector<uint8_t>& upright, int32_t rowBytes, int32_t height, int32_t margin) {
    const int32_t slantedRow = rowBytes + margin;
    std::vector<uint8_t> result(std::size_t(slantedRow) * std::size_t(height), 0);
    for (int32_t r = height - 1; r >= 0; --r) {
        const int32_t shift = (height - r) / 3;
        std::memcpy(result.data() + std::size_t(r) * slantedRow + shift, upright.data() + std::size_t(r) * rowBytes,
                    std::size_t(rowBytes));
    }
    return result;
}

}  // namespace

int32_t italicMargin(int32_t height) { return (height / 3 + 3) / 4 * 4; }

std::optional<RasterisedGlyph> rasteriseGlyph(GlyphRasteriser& rasteriser, const FontSpec& font, char16_t character,
                                              bool italic) {
    std::optional<RasterGlyph> raster = rasteriser.rasterise(font, character);
    if (!raster) return std::nullopt;

    RasterisedGlyph glyph;
    glyph.metrics = raster->metrics;
    const int32_t width = std::max(raster->metrics.blackBoxX, 0);
    const int32_t height = std::max(raster->metrics.blackBoxY, 0);
    const int32_t rowBytes = paddedRow(width);

    // The upright block has exactly the black-box size; whatever the
    // rasteriser delivered beyond it is not read, and what it left short
    // (nothing at all for a character without ink) stays zero.
    std::vector<uint8_t> upright(std::size_t(rowBytes) * std::size_t(height), 0);
    std::copy_n(raster->bytes.begin(), std::min(raster->bytes.size(), upright.size()), upright.begin());

    glyph.bitmap.height = height;
    if (italic) {
        const int32_t margin = italicMargin(height);
        glyph.bitmap.width = rowBytes + margin;
        glyph.bitmap.bytes = slanted(upright, rowBytes, height, margin);
    } else {
        glyph.bitmap.width = width;
        glyph.bitmap.bytes = std::move(upright);
    }
    return glyph;
}

}  // namespace qucap
