#include "filter/win/gdi_rasteriser.h"

#include <functional>
#include <string>

namespace qucap {

namespace {

constexpr UINT kGray8Bitmap = GGO_GRAY8_BITMAP;  // 6: coverage 0..64, rows padded to 4

MAT2 identityMatrix() {
    MAT2 m{};
    m.eM11.value = 1;
    m.eM22.value = 1;
    return m;
}

GlyphMetrics metricsOf(const GLYPHMETRICS& gm) {
    GlyphMetrics m;
    m.blackBoxX = int32_t(gm.gmBlackBoxX);
    m.blackBoxY = int32_t(gm.gmBlackBoxY);
    m.originX = gm.gmptGlyphOrigin.x;
    m.originY = gm.gmptGlyphOrigin.y;
    m.cellIncX = gm.gmCellIncX;
    m.cellIncY = gm.gmCellIncY;
    return m;
}

std::size_t combine(std::size_t seed, std::size_t value) { return seed ^ (value + 0x9E3779B9u + (seed << 6) + (seed >> 2)); }

}  // namespace

std::size_t GdiRasteriser::FontKeyHash::operator()(const FontSpec& font) const {
    std::size_t h = std::hash<std::u16string>{}(font.face);
    h = combine(h, std::hash<int32_t>{}(font.height));
    h = combine(h, std::hash<int32_t>{}(font.escapement));
    return combine(h, std::hash<int32_t>{}(font.weight));
}

std::size_t GdiRasteriser::GlyphKeyHash::operator()(const GlyphKey& key) const {
    return combine(FontKeyHash{}(key.font), key.character);
}

GdiRasteriser::GdiRasteriser() : fonts_(dc_.get()) {}

GdiRasteriser::~GdiRasteriser() = default;

std::optional<RasterGlyph> GdiRasteriser::rasteriseWithGdi(const FontSpec& font, char16_t character) {
    if (dc_.get() == nullptr || !fonts_.select(font)) return std::nullopt;
    ++gdiGlyphCalls_;
    const MAT2 identity = identityMatrix();
    GLYPHMETRICS gm{};
    const DWORD size = GetGlyphOutlineW(dc_.get(), character, kGray8Bitmap, &gm, 0, nullptr, &identity);
    if (size == GDI_ERROR) return std::nullopt;
    RasterGlyph glyph;
    glyph.metrics = metricsOf(gm);
    if (size == 0) return glyph;
    glyph.bytes.assign(size, 0);
    if (GetGlyphOutlineW(dc_.get(), character, kGray8Bitmap, &gm, size, glyph.bytes.data(), &identity) == GDI_ERROR)
        return std::nullopt;
    glyph.metrics = metricsOf(gm);
    // The layout reads exactly the padded rows of the black box; should GDI
    // ever report a different size, the bitmap is cut or padded with zeros
    // to that shape rather than read past its end.
    const std::size_t rowBytes = (std::size_t(glyph.metrics.blackBoxX) + 3) & ~std::size_t(3);
    glyph.bytes.resize(rowBytes * std::size_t(glyph.metrics.blackBoxY), 0);
    return glyph;
}

void GdiRasteriser::remember(const GlyphKey& key, const std::optional<RasterGlyph>& glyph) {
    const std::size_t bytes = glyph ? glyph->bytes.size() : 0;
    if (bytes > kMaxCachedBytes) return;  // a giant glyph is not worth the others
    if (glyphs_.size() >= kMaxCachedGlyphs || cachedBytes_ + bytes > kMaxCachedBytes) {
        glyphs_.clear();
        cachedBytes_ = 0;
    }
    glyphs_.emplace(key, glyph);
    cachedBytes_ += bytes;
}

std::optional<RasterGlyph> GdiRasteriser::rasterise(const FontSpec& font, char16_t character) {
    GlyphKey key{font, character};
    if (auto found = glyphs_.find(key); found != glyphs_.end()) return found->second;
    std::optional<RasterGlyph> glyph = rasteriseWithGdi(font, character);
    remember(key, glyph);
    return glyph;
}

TextExtent GdiRasteriser::textExtent(const FontSpec& font, std::u16string_view text) {
    if (text.empty() || dc_.get() == nullptr || !fonts_.select(font)) return {};
    SIZE size{};
    if (!GetTextExtentPoint32W(dc_.get(), reinterpret_cast<const wchar_t*>(text.data()), int(text.size()), &size))
        return {};
    return {size.cx, size.cy};
}

int32_t GdiRasteriser::ascent(const FontSpec& font) {
    if (auto found = ascents_.find(font); found != ascents_.end()) return found->second;
    if (dc_.get() == nullptr || !fonts_.select(font)) return 0;
    TEXTMETRICW metrics{};
    if (!GetTextMetricsW(dc_.get(), &metrics)) return 0;
    if (ascents_.size() >= DcFonts::kMaxFonts) ascents_.clear();
    ascents_.emplace(font, metrics.tmAscent);
    return metrics.tmAscent;
}

}  // namespace qucap
