#pragma once
// Seam to the platform's glyph rasteriser and text measurer (GDI on Windows,
// a deterministic fake in tests). Fonts are described by value; the
// implementation creates and caches whatever it needs for each description.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qucap {

// What the filter passes to CreateFontW; every other argument is fixed
// (width 0, no italic/underline/strike-out, Shift-JIS, antialiased quality).
struct FontSpec {
    std::u16string face;
    int32_t height = 0;      // cell height, positive
    int32_t escapement = 0;  // and orientation: 0 horizontal, 2700 vertical
    int32_t weight = 400;    // 700 bold

    bool operator==(const FontSpec&) const = default;
};

// Metrics of GetGlyphOutlineW.
struct GlyphMetrics {
    int32_t blackBoxX = 0;  // w
    int32_t blackBoxY = 0;  // h
    int32_t originX = 0;    // ox
    int32_t originY = 0;    // oy
    int16_t cellIncX = 0;
    int16_t cellIncY = 0;
};

// A glyph as GGO_GRAY8_BITMAP gives it with the identity matrix: coverage 0
// to 64 per byte, rows padded to 4 bytes; `bytes` is empty when the
// rasteriser reported a size of 0 (a character without ink).
struct RasterGlyph {
    GlyphMetrics metrics;
    std::vector<uint8_t> bytes;
};

struct TextExtent {
    int32_t cx = 0;
    int32_t cy = 0;
};

class GlyphRasteriser {
public:
    virtual ~GlyphRasteriser() = default;
    // Nothing when the platform cannot produce the glyph.
    virtual std::optional<RasterGlyph> rasterise(const FontSpec& font, char16_t character) = 0;
    // GetTextExtentPoint32W; an empty text measures 0.
    virtual TextExtent textExtent(const FontSpec& font, std::u16string_view text) = 0;
    // tmAscent of GetTextMetricsW.
    virtual int32_t ascent(const FontSpec& font) = 0;
};

}  // namespace qucap
