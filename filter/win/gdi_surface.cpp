#include "filter/win/gdi_surface.h"

#include <cstdlib>
#include <utility>

namespace qucap {

namespace {

bool acceptable(const SurfaceGeometry& g) {
    const int64_t rows = g.height < 0 ? -int64_t(g.height) : int64_t(g.height);
    const auto withinSide = [](int64_t n) { return n > 0 && n <= GdiSurfaceFactory::kMaxSide; };
    return withinSide(g.width) && withinSide(rows) && (g.bitsPerPixel == 24 || g.bitsPerPixel == 32);
}

}  // namespace

void GdiCanvas::drawText(const FontSpec& font, int32_t x, int32_t y, std::u16string_view text, TextStyle style) {
    if (text.empty() || !fonts_.select(font)) return;
    if (style.transparent) {
        SetBkMode(dc_, TRANSPARENT);
        SetTextColor(dc_, style.colour);
    } else {
        // The context is reused across frames, so its default colours are
        // put back for each opaque text.
        SetBkMode(dc_, OPAQUE);
        SetTextColor(dc_, RGB(0, 0, 0));
        SetBkColor(dc_, RGB(255, 255, 255));
    }
    TextOutW(dc_, x, y, reinterpret_cast<const wchar_t*>(text.data()), int(text.size()));
}

void GdiCanvas::fillBlack(const PixelRect& rect) {
    const RECT r{rect.left, rect.top, rect.right, rect.bottom};
    FillRect(dc_, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

void GdiCanvas::flush() { GdiFlush(); }

std::unique_ptr<GdiSurface> GdiSurface::make(const SurfaceGeometry& geometry) {
    if (!acceptable(geometry)) return nullptr;
    BITMAPINFO info{};
    BITMAPINFOHEADER& header = info.bmiHeader;
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = geometry.width;
    header.biHeight = geometry.height;
    header.biPlanes = 1;
    header.biBitCount = WORD(geometry.bitsPerPixel);
    header.biCompression = BI_RGB;
    void* bits = nullptr;
    GdiObject<HBITMAP> bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || bits == nullptr) return nullptr;
    std::unique_ptr<GdiSurface> surface(new GdiSurface(geometry, std::move(bitmap), bits));
    if (!surface->canvas_) return nullptr;
    return surface;
}

GdiSurface::GdiSurface(const SurfaceGeometry& geometry, GdiObject<HBITMAP> bitmap, void* bits)
    : geometry_(geometry), bitmap_(std::move(bitmap)) {
    frame_.bits = static_cast<uint8_t*>(bits);
    frame_.width = geometry.width;
    frame_.height = std::abs(geometry.height);
    frame_.bytesPerPixel = geometry.bitsPerPixel / 8;
    frame_.stride = rowBytesOf(geometry.width, geometry.bitsPerPixel);
    frame_.topDown = geometry.height < 0;
    if (dc_.get() == nullptr) return;
    if (!selection_.emplace(dc_.get(), bitmap_.get())) return;
    canvas_ = std::make_unique<GdiCanvas>(dc_.get());
}

GdiSurface::~GdiSurface() = default;

FrameSurface* GdiSurfaceFactory::surface(const SurfaceGeometry& geometry) {
    for (auto& s : surfaces_)
        if (s->geometry() == geometry) return s.get();
    std::unique_ptr<GdiSurface> made = GdiSurface::make(geometry);
    if (made == nullptr) return nullptr;
    surfaces_.push_back(std::move(made));
    return surfaces_.back().get();
}

}  // namespace qucap
