#include "filter/core/compose/relay_canvas.h"

#include <algorithm>
#include <cstring>

#include "filter/core/compose/text_reach.h"

namespace qucap {

RelayCanvas::RelayCanvas(FrameCanvas& canvas, GlyphRasteriser& measurer, const FrameBuffer& bitmap,
                         const FrameBuffer& frame)
    : canvas_(canvas), measurer_(measurer), bitmap_(bitmap), frame_(frame) {}

// Each drawing is copied in, drawn and copied back before the next, so
// drawings that overlap see each other as they would on one bitmap.
void RelayCanvas::drawText(const FontSpec& font, int32_t x, int32_t y, std::u16string_view text, TextStyle style) {
    if (text.empty()) return;
    const WideRect reach = textReach(measurer_, font, x, y, text);
    const PixelRect rect = clipped(reach.left, reach.top, reach.right, reach.bottom);
    if (rect.right <= rect.left) return;
    copyIn(rect);
    canvas_.drawText(font, x, y, text, style);
    canvas_.flush();
    copyBack(rect);
}

void RelayCanvas::fillBlack(const PixelRect& rect) {
    const PixelRect inside = clipped(rect.left, rect.top, rect.right, rect.bottom);
    if (inside.right <= inside.left) return;
    copyIn(inside);
    canvas_.fillBlack(rect);
    canvas_.flush();
    copyBack(inside);
}

void RelayCanvas::flush() {}  // every drawing is back in the frame already

PixelRect RelayCanvas::clipped(int64_t left, int64_t top, int64_t right, int64_t bottom) const {
    const PixelRect rect{int32_t(std::max<int64_t>(left, 0)), int32_t(std::max<int64_t>(top, 0)),
                         int32_t(std::min<int64_t>(right, frame_.width)),
                         int32_t(std::min<int64_t>(bottom, frame_.height))};
    return rect.right > rect.left && rect.bottom > rect.top ? rect : PixelRect{};
}

void RelayCanvas::copyIn(const PixelRect& rect) {
    const std::size_t bytes = std::size_t(rect.right - rect.left) * std::size_t(frame_.bytesPerPixel);
    for (int32_t y = rect.top; y < rect.bottom; ++y)
        std::memcpy(bitmap_.pixel(rect.left + 1, y + 1), frame_.pixel(rect.left + 1, y + 1), bytes);
}

void RelayCanvas::copyBack(const PixelRect& rect) {
    for (int32_t y = rect.top; y < rect.bottom; ++y) {
        const uint8_t* from = bitmap_.pixel(rect.left + 1, y + 1);
        uint8_t* to = frame_.pixel(rect.left + 1, y + 1);
        if (frame_.bytesPerPixel == 3) {
            std::memcpy(to, from, std::size_t(rect.right - rect.left) * 3);
            continue;
        }
        for (int32_t x = rect.left; x < rect.right; ++x, from += 4, to += 4) std::memcpy(to, from, 3);
    }
}

}  // namespace qucap
