#include "tests/support/fake_rasteriser.h"

#include <algorithm>
#include <memory>

namespace qucap::test {

namespace {

bool isVertical(const FontSpec& font) { return font.escapement == 2700; }
bool hasNoInk(char16_t c) { return c == u' ' || c == u'\u3000'; }

}  // namespace

int32_t FakeRasteriser::advanceOf(const FontSpec& font, char16_t character) {
    return character < 0x80 ? font.height / 2 : font.height;
}

std::optional<RasterGlyph> FakeRasteriser::rasterise(const FontSpec& font, char16_t character) {
    ++rasteriseCalls;
    fontsUsed.push_back(font);
    if (failing.find(character) != std::u16string::npos) return std::nullopt;
    const int32_t advance = advanceOf(font, character);
    RasterGlyph glyph;
    GlyphMetrics& m = glyph.metrics;
    m.blackBoxX = std::max(1, advance - 2);
    m.blackBoxY = std::max(1, font.height * 3 / 4);
    m.originX = 1;
    m.originY = m.blackBoxY;
    if (isVertical(font)) {
        m.cellIncY = int16_t(advance);
    } else {
        m.cellIncX = int16_t(advance);
    }
    if (hasNoInk(character)) return glyph;
    const int32_t rowBytes = (m.blackBoxX + 3) & ~3;
    glyph.bytes.assign(std::size_t(rowBytes) * m.blackBoxY, 0);
    for (int32_t r = 0; r < m.blackBoxY; ++r)
        for (int32_t c = 0; c < m.blackBoxX; ++c) {
            const bool corner = (r == 0 || r == m.blackBoxY - 1) && (c == 0 || c == m.blackBoxX - 1);
            // Bold glyphs are fully covered, others follow a pattern of 1..64.
            const int value = font.weight >= 700 ? 64 : (r * 7 + c * 3 + character) % 64 + 1;
            glyph.bytes[std::size_t(r) * rowBytes + c] = corner ? 0 : uint8_t(value);
        }
    return glyph;
}

TextExtent FakeRasteriser::textExtent(const FontSpec& font, std::u16string_view text) {
    TextExtent extent;
    for (char16_t c : text) extent.cx += advanceOf(font, c);
    extent.cy = text.empty() ? 0 : font.height;
    return extent;
}

int32_t FakeRasteriser::ascent(const FontSpec& font) { return font.height * 7 / 8; }

void FakeCanvas::fill(const PixelRect& rect, uint32_t colour) {
    for (int32_t y = std::max(rect.top, 0); y < std::min(rect.bottom, frame_.height); ++y)
        for (int32_t x = std::max(rect.left, 0); x < std::min(rect.right, frame_.width); ++x) {
            uint8_t* p = frame_.pixel(x + 1, y + 1);
            p[0] = blueOf(colour);
            p[1] = greenOf(colour);
            p[2] = redOf(colour);
            if (frame_.bytesPerPixel == 4) p[3] = 0;
        }
}

void FakeCanvas::drawText(const FontSpec& font, int32_t x, int32_t y, std::u16string_view text, TextStyle style) {
    calls.push_back({u"text", std::u16string(text), font, x, y, style, {}});
    for (char16_t c : text) {
        const int32_t advance = FakeRasteriser::advanceOf(font, c);
        if (!style.transparent) fill({x, y, x + advance, y + font.height}, 0x00FFFFFF);
        fill({x + 1, y + 1, x + advance - 1, y + font.height - 1}, style.transparent ? style.colour : 0);
        x += advance;
    }
}

void FakeCanvas::fillBlack(const PixelRect& rect) {
    calls.push_back({u"fill", {}, {}, 0, 0, {}, rect});
    fill(rect, 0);
}

struct FakeSurfaceFactory::Surface : FrameSurface {
    explicit Surface(const SurfaceGeometry& g) : geometry(g), canvas_(FrameBuffer{}) {
        buffer.bits = nullptr;
        buffer.width = g.width;
        buffer.height = g.height < 0 ? -g.height : g.height;
        buffer.bytesPerPixel = g.bitsPerPixel / 8;
        buffer.stride = rowBytesOf(g.width, g.bitsPerPixel);
        buffer.topDown = g.height < 0;
        memory.assign(buffer.byteSize(), 0);
        buffer.bits = memory.data();
        canvas_.setFrame(buffer);
    }
    FrameBuffer frame() override { return buffer; }
    FrameCanvas& canvas() override { return canvas_; }

    SurfaceGeometry geometry;
    std::vector<uint8_t> memory;
    FrameBuffer buffer;
    FakeCanvas canvas_;
};

FakeSurfaceFactory::FakeSurfaceFactory() = default;
FakeSurfaceFactory::~FakeSurfaceFactory() = default;

FrameSurface* FakeSurfaceFactory::surface(const SurfaceGeometry& geometry) {
    if (geometry.width <= 0 || geometry.height == 0 || (geometry.bitsPerPixel != 24 && geometry.bitsPerPixel != 32))
        return nullptr;
    for (auto& s : surfaces_)
        if (s->geometry == geometry) return s.get();
    surfaces_.push_back(std::make_unique<Surface>(geometry));
    ++created;
    return surfaces_.back().get();
}

}  // namespace qucap::test
