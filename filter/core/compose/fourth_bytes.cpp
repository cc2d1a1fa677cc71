#include "filter/core/compose/fourth_bytes.h"

#include <algorithm>

#include "filter/core/compose/text_reach.h"

namespace qucap {

FourthByteKeepingCanvas::FourthByteKeepingCanvas(FrameCanvas& canvas, GlyphRasteriser& measurer,
                                                 const FrameBuffer& frame, KeptFourthBytes& kept)
    : canvas_(canvas), measurer_(measurer), frame_(frame), kept_(kept) {
    kept_.areas.clear();
    kept_.bytes.clear();
}

FourthByteKeepingCanvas::~FourthByteKeepingCanvas() {
    if (!kept_.areas.empty()) flush();
}

void FourthByteKeepingCanvas::drawText(const FontSpec& font, int32_t x, int32_t y, std::u16string_view text,
                                       TextStyle style) {
    if (frame_.bytesPerPixel == 4 && !text.empty()) {
        const WideRect reach = textReach(measurer_, font, x, y, text);
        keep(reach.left, reach.top, reach.right, reach.bottom);
    }
    canvas_.drawText(font, x, y, text, style);
}

void FourthByteKeepingCanvas::fillBlack(const PixelRect& rect) {
    keep(rect.left, rect.top, rect.right, rect.bottom);
    canvas_.fillBlack(rect);
}

void FourthByteKeepingCanvas::flush() {
    canvas_.flush();
    putBack();
}

void FourthByteKeepingCanvas::keep(int64_t left, int64_t top, int64_t right, int64_t bottom) {
    if (frame_.bytesPerPixel != 4 || frame_.bits == nullptr) return;
    const PixelRect rect{int32_t(std::max<int64_t>(left, 0)), int32_t(std::max<int64_t>(top, 0)),
                         int32_t(std::min<int64_t>(right, frame_.width)),
                         int32_t(std::min<int64_t>(bottom, frame_.height))};
    if (rect.right <= rect.left || rect.bottom <= rect.top) return;
    const std::size_t offset = kept_.bytes.size();
    kept_.areas.push_back({rect, offset});
    kept_.bytes.resize(offset + std::size_t(rect.right - rect.left) * std::size_t(rect.bottom - rect.top));
    uint8_t* to = kept_.bytes.data() + offset;
    for (int32_t y = rect.top; y < rect.bottom; ++y) {
        const uint8_t* from = frame_.pixel(rect.left + 1, y + 1) + 3;
        for (int32_t x = rect.left; x < rect.right; ++x, from += 4) *to++ = *from;
    }
}

void FourthByteKeepingCanvas::putBack() {
    // Latest first: where areas overlap, the earliest holds the bytes from
    // before any drawing, whether or not GDI had drawn when a later one was kept.
    for (auto area = kept_.areas.rbegin(); area != kept_.areas.rend(); ++area) {
        const PixelRect& rect = area->rect;
        const uint8_t* from = kept_.bytes.data() + area->offset;
        for (int32_t y = rect.top; y < rect.bottom; ++y) {
            uint8_t* to = frame_.pixel(rect.left + 1, y + 1) + 3;
            for (int32_t x = rect.left; x < rect.right; ++x, to += 4) *to = *from++;
        }
    }
    kept_.areas.clear();
    kept_.bytes.clear();
}

}  // namespace qucap
