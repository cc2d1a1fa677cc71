#pragma once
// Drawing on a frame held outside the bitmap GDI draws on: the conversion
// and all pixel work write the output sample itself, and only what GDI draws
// passes through the bitmap. For each text or fill, the rectangle it may
// touch is copied from the frame into the bitmap, GDI draws there, and the
// rectangle's colour bytes are copied back; the frame's fourth bytes are
// never touched, so what GDI draws keeps the picture's fourth byte.
#include <cstdint>
#include <string_view>

#include "filter/core/canvas.h"
#include "filter/core/frame.h"
#include "filter/core/rasteriser.h"

namespace qucap {

class RelayCanvas : public FrameCanvas {
public:
    // `bitmap` is what `canvas` draws on; `frame` has the same geometry in other memory.
    RelayCanvas(FrameCanvas& canvas, GlyphRasteriser& measurer, const FrameBuffer& bitmap, const FrameBuffer& frame);

    void drawText(const FontSpec& font, int32_t x, int32_t y, std::u16string_view text, TextStyle style) override;
    void fillBlack(const PixelRect& rect) override;
    void flush() override;

private:
    // The rectangle within the frame, or an empty one.
    PixelRect clipped(int64_t left, int64_t top, int64_t right, int64_t bottom) const;
    void copyIn(const PixelRect& rect);
    void copyBack(const PixelRect& rect);

    FrameCanvas& canvas_;
    GlyphRasteriser& measurer_;
    FrameBuffer bitmap_;
    FrameBuffer frame_;
};

}  // namespace qucap
