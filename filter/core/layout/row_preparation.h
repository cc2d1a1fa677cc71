#pragma once
// The parts of a row the glyph passes start from: orientation, the display
// positions as laid out, the plain texts and the start offset along the line.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "captiondata/caption/caption_row.h"

namespace qucap {

constexpr std::size_t kMaxPlainTextLength = 255;

// Vertical when the orientation text is "縦"; anything else is horizontal.
bool isVerticalRow(const CaptionRow& row);

// A vertical row's positions above 0 move by the cell height less one (main
// height for bodies, ruby height for rubies), at most to the frame width;
// a horizontal row's positions are kept.
std::array<int32_t, kTextCount> laidOutPositions(const CaptionRow& row, bool vertical, int32_t mainHeight,
                                                 int32_t rubyHeight, int32_t frameWidth);

// The visible characters of a marked text, at most 255 of them.
std::u16string layoutPlainText(std::u16string_view marked);

// Where both bodies start along the line: a twelfth of the line's length
// from the edge with `fromEdge`, else centred on the wider body (never
// before 0). `widerExtent` is the larger measured width of the two bodies.
int32_t startOffset(bool fromEdge, bool vertical, int32_t frameWidth, int32_t frameHeight, int32_t widerExtent);

}  // namespace qucap
