#pragma once
// The platform's glyph rasteriser and text measurer: GDI on a memory device
// context. Rasterised glyphs are kept by (font, character), so frames that
// show the same caption again do not call GDI for them.
#include <windows.h>

#include <cstddef>
#include <optional>
#include <unordered_map>

#include "filter/core/rasteriser.h"
#include "filter/win/dc_fonts.h"

namespace qucap {

class GdiRasteriser : public GlyphRasteriser {
public:
    GdiRasteriser();
    ~GdiRasteriser() override;
    GdiRasteriser(const GdiRasteriser&) = delete;
    GdiRasteriser& operator=(const GdiRasteriser&) = delete;

    // GetGlyphOutlineW in GGO_GRAY8_BITMAP with the identity matrix.
    std::optional<RasterGlyph> rasterise(const FontSpec& font, char16_t character) override;
    TextExtent textExtent(const FontSpec& font, std::u16string_view text) override;
    int32_t ascent(const FontSpec& font) override;

    // How many glyphs came from GDI rather than from the cache.
    int gdiGlyphCalls() const { return gdiGlyphCalls_; }

    // The cache is emptied when it would hold more glyphs or bytes than this.
    static constexpr std::size_t kMaxCachedGlyphs = 4096;
    static constexpr std::size_t kMaxCachedBytes = 16u << 20;

private:
    struct GlyphKey {
        FontSpec font;
        char16_t character = 0;
        bool operator==(const GlyphKey&) const = default;
    };
    struct GlyphKeyHash {
        std::size_t operator()(const GlyphKey& key) const;
    };
    struct FontKeyHash {
        std::size_t operator()(const FontSpec& font) const;
    };

    std::optional<RasterGlyph> rasteriseWithGdi(const FontSpec& font, char16_t character);
    void remember(const GlyphKey& key, const std::optional<RasterGlyph>& glyph);

    MemoryDc dc_;  // declared before the fonts, so it outlives their deselection
    DcFonts fonts_;
    std::unordered_map<GlyphKey, std::optional<RasterGlyph>, GlyphKeyHash> glyphs_;
    std::size_t cachedBytes_ = 0;
    std::unordered_map<FontSpec, int32_t, FontKeyHash> ascents_;
    int gdiGlyphCalls_ = 0;
};

}  // namespace qucap
