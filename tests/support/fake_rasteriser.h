#pragma once
// Deterministic stand-ins for GDI: glyphs are boxes whose size follows the
// font height, coverage follows a fixed pattern, and text is measured from the
// same advances. Exact pixel tests of layout and effects run on these.
#include <memory>
#include <string>
#include <vector>

#include "filter/core/canvas.h"
#include "filter/core/rasteriser.h"

namespace qucap::test {

// For a font of cell height h (horizontal): full-width characters advance h,
// ASCII h / 2; the black box is (advance - 2) x (h * 3 / 4), origin
// (1, h * 3 / 4), ascent h * 7 / 8; bold glyphs are fully covered. A vertical font (escapement 2700) swaps the
// advance into cellIncY. Spaces (U+0020, U+3000) have no ink (size 0).
// Characters in `failing` cannot be rasterised.
class FakeRasteriser : public GlyphRasteriser {
public:
    std::optional<RasterGlyph> rasterise(const FontSpec& font, char16_t character) override;
    TextExtent textExtent(const FontSpec& font, std::u16string_view text) override;
    int32_t ascent(const FontSpec& font) override;

    static int32_t advanceOf(const FontSpec& font, char16_t character);

    std::u16string failing;
    int rasteriseCalls = 0;
    std::vector<FontSpec> fontsUsed;  // every font asked for, in order
};

struct CanvasCall {
    std::u16string what;  // "text" or "fill"
    std::u16string text;
    FontSpec font;
    int32_t x = 0, y = 0;
    TextStyle style;
    PixelRect rect;
};

// Draws text as one filled box per character (advance x height: black on
// white when opaque, the text colour when transparent) and fills rectangles
// black, all clipped to the frame; records every call.
class FakeCanvas : public FrameCanvas {
public:
    explicit FakeCanvas(FrameBuffer frame) : frame_(frame) {}
    void drawText(const FontSpec& font, int32_t x, int32_t y, std::u16string_view text, TextStyle style) override;
    void fillBlack(const PixelRect& rect) override;
    void flush() override { ++flushes; }

    void setFrame(FrameBuffer frame) { frame_ = frame; }

    std::vector<CanvasCall> calls;
    int flushes = 0;

private:
    void fill(const PixelRect& rect, uint32_t colour);
    FrameBuffer frame_;
};

// Surfaces in plain memory, one kept per geometry.
class FakeSurfaceFactory : public FrameSurfaceFactory {
public:
    FakeSurfaceFactory();
    ~FakeSurfaceFactory() override;  // out of line: Surface is complete only there
    FrameSurface* surface(const SurfaceGeometry& geometry) override;
    int created = 0;

private:
    struct Surface;
    std::vector<std::unique_ptr<Surface>> surfaces_;
};

}  // namespace qucap::test
