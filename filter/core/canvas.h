#pragma once
// Seam to what GDI draws on a frame: text (time display, watermark) and the
// black box. Pixel work is plain code on the frame's memory; `flush` makes
// sure GDI has finished before that memory is read or written directly.
// GDI writes 0 into the fourth byte of what it draws; the compositor puts the
// picture's bytes back (compose/fourthbytes.h).
#include <cstdint>
#include <string_view>

#include "filter/core/frame.h"
#include "filter/core/rasteriser.h"

namespace qucap {

// GDI rectangle: left and top included, right and bottom excluded, in GDI
// pixel coordinates (0-based from the top-left).
struct PixelRect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const PixelRect&) const = default;
};

struct TextStyle {
    bool transparent = false;  // false: the device context's default black on opaque white
    uint32_t colour = 0;       // text colour when transparent
};

class FrameCanvas {
public:
    virtual ~FrameCanvas() = default;
    // TextOutW at GDI position (x, y), the text's top-left corner.
    virtual void drawText(const FontSpec& font, int32_t x, int32_t y, std::u16string_view text, TextStyle style) = 0;
    // FillRect with a solid black brush.
    virtual void fillBlack(const PixelRect& rect) = 0;
    virtual void flush() = 0;
};

// A frame bitmap GDI can draw on (a DIB section on Windows). `geometry`
// describes the output format: width and signed height of its header and its
// bit depth; the surface may be kept and reused while the geometry holds.
struct SurfaceGeometry {
    int32_t width = 0;   // biWidth of the output format
    int32_t height = 0;  // biHeight of the output format; negative: top-down
    int32_t bitsPerPixel = 32;
    bool operator==(const SurfaceGeometry&) const = default;
};

class FrameSurface {
public:
    virtual ~FrameSurface() = default;
    // The bitmap's memory; its `width` is the whole row of the header.
    virtual FrameBuffer frame() = 0;
    virtual FrameCanvas& canvas() = 0;
};

class FrameSurfaceFactory {
public:
    virtual ~FrameSurfaceFactory() = default;
    // A surface of this geometry, or nothing when it cannot be made.
    virtual FrameSurface* surface(const SurfaceGeometry& geometry) = 0;
};

}  // namespace qucap
