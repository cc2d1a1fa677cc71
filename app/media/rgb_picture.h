#pragma once
// One uncompressed RGB picture as a DirectShow video frame holds it: rows of
// 24 or 32 bits a pixel, each padded to a multiple of 4 bytes, bottom-up for
// a positive height and top-down for a negative one (as biHeight).
#include <cstddef>
#include <cstdint>
#include <vector>

namespace qucap {

struct RgbPicture {
    int32_t width = 0;
    int32_t height = 0;  // signed as biHeight
    int32_t bitsPerPixel = 0;
    std::vector<uint8_t> bytes;
};

// Bytes of one row with its padding; 0 for a size or depth that is not a
// 24- or 32-bit picture of at least one pixel.
std::size_t rgbRowBytes(int32_t width, int32_t bitsPerPixel);
// Whether `bytes` holds every row of the picture its fields describe.
bool holdsWholePicture(const RgbPicture& picture);

}  // namespace qucap
