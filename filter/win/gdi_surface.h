#pragma once
// Frame surfaces GDI can draw on: a DIB section of the output format selected
// into a memory device context, with the canvas that draws the time display,
// the watermark and the black box on it.
#include <windows.h>

#include <memory>
#include <optional>
#include <vector>

#include "filter/core/canvas.h"
#include "filter/win/dc_fonts.h"
#include "win32/handles.h"

namespace qucap {

class GdiCanvas : public FrameCanvas {
public:
    explicit GdiCanvas(HDC dc) : dc_(dc), fonts_(dc) {}
    // TextOutW in the font; opaque: black on white, transparent: the colour only.
    void drawText(const FontSpec& font, int32_t x, int32_t y, std::u16string_view text, TextStyle style) override;
    void fillBlack(const PixelRect& rect) override;
    void flush() override;

private:
    HDC dc_;
    DcFonts fonts_;
};

class GdiSurface : public FrameSurface {
public:
    // Nothing when GDI cannot make the bitmap (see `make`).
    static std::unique_ptr<GdiSurface> make(const SurfaceGeometry& geometry);
    ~GdiSurface() override;
    GdiSurface(const GdiSurface&) = delete;
    GdiSurface& operator=(const GdiSurface&) = delete;

    FrameBuffer frame() override { return frame_; }
    FrameCanvas& canvas() override { return *canvas_; }
    const SurfaceGeometry& geometry() const { return geometry_; }

private:
    GdiSurface(const SurfaceGeometry& geometry, GdiObject<HBITMAP> bitmap, void* bits);

    // Declared in this order so that the bitmap is deselected, then the
    // context deleted, then the bitmap, also when the constructor throws.
    SurfaceGeometry geometry_;
    GdiObject<HBITMAP> bitmap_;
    MemoryDc dc_;
    std::optional<SelectedObject> selection_;
    FrameBuffer frame_;
    std::unique_ptr<GdiCanvas> canvas_;  // released first: it deselects its fonts
};

// One surface per geometry, kept until the factory goes: a filter sees only
// the few geometries of its connections.
class GdiSurfaceFactory : public FrameSurfaceFactory {
public:
    // Nothing for a width or height of 0, a depth other than 24 or 32 bits,
    // a picture larger than kMaxSide on a side, or when GDI fails.
    FrameSurface* surface(const SurfaceGeometry& geometry) override;

    static constexpr int32_t kMaxSide = 16384;

private:
    std::vector<std::unique_ptr<GdiSurface>> surfaces_;
};

}  // namespace qucap
