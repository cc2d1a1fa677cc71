#pragma once
// Fills the frame bitmap from the input picture: YUY2 to RGB through the
// fixed tables, RGB of the same depth copied, 24-bit to 32-bit and back.
#include <cstddef>
#include <cstdint>

#include "filter/core/compose/compositor.h"

namespace qucap {

// The input and output kinds and depths form one of the four conversions.
bool isConvertible(const PictureFormat& inputFormat, const PictureFormat& outputFormat);

// The frame memory (`frameSize` bytes) is laid out as `outputFormat`, an RGB
// picture of 24 or 32 bits. Rows are converted from the top down, as many as
// both pictures have and both buffers hold; whatever of the frame the input
// does not reach (an odd last column, a short input, rows and columns outside
// a target rectangle) is black. `frame` may be `input` itself when
// convertsInPlace holds; nothing is copied then. -1, with the frame untouched,
// for an input or output kind the filter does not convert. Whether converting
// leaves every output byte where the same input byte lies and writes nothing
// else: RGB of one depth walked the same way over the whole picture, rows
// without padding. Composing in the input's own buffer then gives the bytes a
// copy into another buffer would.
bool convertsInPlace(const PictureFormat& inputFormat, const PictureFormat& outputFormat);

int convertPicture(const uint8_t* input, std::size_t inputSize, const PictureFormat& inputFormat, uint8_t* frame,
                   std::size_t frameSize, const PictureFormat& outputFormat);

}  // namespace qucap
