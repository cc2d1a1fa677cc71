#include "filter/core/layout/row_preparation.h"

#include <algorithm>

#include "captiondata/markup/markup.h"

namespace qucap {

bool isVerticalRow(const CaptionRow& row) { return row.orientation == kVertical; }

std::array<int32_t, kTextCount> laidOutPositions(const CaptionRow& row, bool vertical, int32_t mainHeight,
                                                 int32_t rubyHeight, int32_t frameWidth) {
    std::array<int32_t, kTextCount> positions = row.positions;
    if (!vertical) return positions;
    for (int k = 0; k < kTextCount; ++k) {
        if (positions[k] <= 0) continue;
        const int32_t size = kindOfText(k) == TextKind::Body ? mainHeight : rubyHeight;
        positions[k] = int32_t(std::min<int64_t>(int64_t(positions[k]) + size - 1, frameWidth));
    }
    return positions;
}

std::u16string layoutPlainText(std::u16string_view marked) {
    std::u16string plain = plainText(marked);
    if (plain.size() > kMaxPlainTextLength) plain.resize(kMaxPlainTextLength);
    return plain;
}

int32_t startOffset(bool fromEdge, bool vertical, int32_t frameWidth, int32_t frameHeight, int32_t widerExtent) {
    const int32_t length = vertical ? frameHeight : frameWidth;
    if (fromEdge) return length / 12;
    return int32_t(std::max<int64_t>((int64_t(length) - widerExtent) / 2, 0));
}

}  // namespace qucap
