#pragma once
// The boxes of a box row: a colour by name, the geometry limited to the
// frame, and each pixel blended with the picture by the transparency.
#include <cstdint>
#include <string_view>

#include "captiondata/box/box_info.h"
#include "filter/core/frame.h"

namespace qucap {

// The colour of a box colour word as 0x00BBGGRR; black for any other name.
uint32_t boxColourOf(std::u16string_view name);

// The box as drawn in a frame of W x H: x becomes 0 unless 1 <= x <= W, y
// likewise; the width becomes 0 unless 1 <= x + width <= W + 1, the height
// likewise (each test on the values already limited).
BoxRect limitedBox(const BoxRect& box, int32_t frameWidth, int32_t frameHeight);

// Box 1, then box 2, for a frame of W x H: each channel becomes
// (box x T) / 64 + (picture x (64 - T)) / 64, with T the transparency kept
// within 0 and 64; the fourth byte of a 32-bit pixel stays as it was. The picture is read from `snapshot` when given and the
// result written to both, else read from and written to the frame alone
// (the same bytes while the snapshot is a copy of the frame).
void drawBoxes(const BoxRow& row, int32_t frameWidth, int32_t frameHeight, FrameBuffer& frame,
               FrameBuffer* snapshot);

}  // namespace qucap
