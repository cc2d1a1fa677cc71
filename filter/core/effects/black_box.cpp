#include "filter/core/effects/black_box.h"

#include <algorithm>
#include <array>
#include <optional>

namespace qucap {

namespace {

// A rectangle before limiting; wide integers so that far-off positions
// cannot overflow.
struct WideRect {
    int64_t left = 0, top = 0, right = 0, bottom = 0;
};

std::optional<PixelRect> limited(const WideRect& r, int32_t frameWidth, int32_t frameHeight) {
    const int64_t left = std::max<int64_t>(r.left, 0);
    const int64_t top = std::max<int64_t>(r.top, 0);
    const int64_t right = std::min<int64_t>(r.right, frameWidth);
    const int64_t bottom = std::min<int64_t>(r.bottom, frameHeight);
    if (right <= left || bottom <= top) return std::nullopt;
    return PixelRect{int32_t(left), int32_t(top), int32_t(right), int32_t(bottom)};
}

bool hasText(const RowLayout& layout, int textIndex) { return !layout.plainTexts[std::size_t(textIndex)].empty(); }

// Where every box starts along the line: the first body glyph of line 1 or
// 2, whichever lies nearer the start; nothing when neither body has text.
std::optional<int64_t> boxStart(const RowLayout& layout) {
    const bool first = hasText(layout, 0), second = hasText(layout, 2);
    if (first && second) return std::min(layout.bodyCoordinates[0][0], layout.bodyCoordinates[1][0]);
    if (first) return layout.bodyCoordinates[0][0];
    if (second) return layout.bodyCoordinates[1][0];
    return std::nullopt;
}

}  // namespace

std::vector<PixelRect> blackBoxRects(const RowLayout& layout, const FilterFonts& fonts, GlyphRasteriser& measurer,
                                     int32_t frameWidth, int32_t frameHeight) {
    std::vector<PixelRect> rects;
    const std::optional<int64_t> start = boxStart(layout);
    if (!start) return rects;
    const int64_t sb = *start;
    auto add = [&](const WideRect& r) {
        if (auto rect = limited(r, frameWidth, frameHeight)) rects.push_back(*rect);
    };

    // The end of each line's body box along the line, before limiting.
    std::array<std::optional<int64_t>, 2> lineEnd;
    for (int line = 0; line < 2; ++line) {
        const int body = line * 2;
        if (!hasText(layout, body)) continue;
        const TextExtent extent = measurer.textExtent(fonts.main, layout.plainTexts[std::size_t(body)]);
        const int64_t p = layout.positions[std::size_t(body)];
        const WideRect r = layout.vertical
                               ? WideRect{p - extent.cy - 3, sb - 6, p + 1, sb + extent.cx + 1}
                               : WideRect{sb - 6, p - 6, sb + extent.cx + 1, p + extent.cy + 1};
        lineEnd[std::size_t(line)] = layout.vertical ? r.bottom : r.right;
        add(r);
    }
    for (int line = 0; line < 2; ++line) {
        const int ruby = line * 2 + 1;
        const auto& end = lineEnd[std::size_t(line)];
        if (!hasText(layout, ruby) || !end) continue;
        const TextExtent extent = measurer.textExtent(fonts.ruby, layout.plainTexts[std::size_t(ruby)]);
        const int64_t p = layout.positions[std::size_t(ruby)];
        add(layout.vertical ? WideRect{p - extent.cy - 3, sb - 6, p + 1, *end}
                            : WideRect{sb - 6, p - 6, *end, p + extent.cy + 1});
    }
    return rects;
}

}  // namespace qucap
