#include "app/media/rgb_picture.h"

#include <cstdlib>

namespace qucap {

namespace {

// Larger pictures are no video frame; the limit keeps every size product far inside 64 bits.
constexpr int32_t kLargestSide = 1 << 16;

}  // namespace

std::size_t rgbRowBytes(int32_t width, int32_t bitsPerPixel) {
    if (width <= 0 || width > kLargestSide || (bitsPerPixel != 24 && bitsPerPixel != 32)) return 0;
    return (std::size_t(width) * std::size_t(bitsPerPixel) + 31) / 32 * 4;
}

bool holdsWholePicture(const RgbPicture& picture) {
    const std::size_t row = rgbRowBytes(picture.width, picture.bitsPerPixel);
    const int64_t rows = std::llabs(int64_t(picture.height));
    if (row == 0 || rows == 0 || rows > kLargestSide) return false;
    return picture.bytes.size() >= row * std::size_t(rows);
}

}  // namespace qucap
