#pragma once
// How the rows of a picture lie in its buffer: where the top row of the
// picture (or of its target rectangle) starts and how far the next row is.
// Rows are always visited from the top of the picture down.
#include <cstddef>
#include <cstdint>

#include "filter/core/compose/compositor.h"

namespace qucap {

struct PictureWalk {
    int64_t first = 0;  // byte offset of the first pixel of the top row walked
    int64_t step = 0;   // bytes to the next row down; negative for a bottom-up picture
    int32_t rows = 0;
    int32_t pixels = 0;  // pixels per row
    int32_t bytesPerPixel = 0;

    // The row's first byte when `bytes` bytes from there lie inside a
    // buffer of `size` bytes, else null: a short buffer is never overrun.
    template <class Byte>
    Byte* row(Byte* buffer, std::size_t size, int32_t index, int64_t bytes) const {
        const int64_t offset = first + int64_t(index) * step;
        if (buffer == nullptr || offset < 0 || bytes < 0 || uint64_t(offset) + uint64_t(bytes) > size) return nullptr;
        return buffer + offset;
    }
};

// Bits per pixel as the walk counts them: 16 for YUY2, the format's own for RGB.
int32_t bitsOf(const PictureFormat& format);

// Row length ((bits / 8) x width + 3) rounded down to 4, without overflow.
int64_t rowLengthOf(const PictureFormat& format);

// An empty target (right <= left or bottom <= top) means the whole picture.
bool isEmptyRect(const PixelRect& rect);

// The walk of a picture: the whole picture, or its target rectangle kept
// inside the picture. RGB with a positive height is bottom-up; YUY2 is
// always stored from the top.
PictureWalk pictureWalkOf(const PictureFormat& format);

}  // namespace qucap
