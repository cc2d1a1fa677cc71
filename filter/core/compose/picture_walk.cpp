#include "filter/core/compose/picture_walk.h"

#include <algorithm>

namespace qucap {

int32_t bitsOf(const PictureFormat& format) { return format.kind == PictureKind::Yuy2 ? 16 : format.bitsPerPixel; }

int64_t rowLengthOf(const PictureFormat& format) {
    return (int64_t(bitsOf(format)) / 8 * std::max<int64_t>(format.width, 0) + 3) & ~int64_t(3);
}

bool isEmptyRect(const PixelRect& rect) { return rect.right <= rect.left || rect.bottom <= rect.top; }

PictureWalk pictureWalkOf(const PictureFormat& format) {
    PictureWalk walk;
    walk.bytesPerPixel = bitsOf(format) / 8;
    const int64_t width = std::max<int64_t>(format.width, 0);
    const int64_t height = format.height < 0 ? -int64_t(format.height) : int64_t(format.height);
    if (width == 0 || height == 0 || walk.bytesPerPixel == 0) return walk;

    int64_t left = 0, top = 0, right = width, bottom = height;
    if (!isEmptyRect(format.target)) {
        left = std::max<int64_t>(format.target.left, 0);
        top = std::max<int64_t>(format.target.top, 0);
        right = std::min<int64_t>(format.target.right, width);
        bottom = std::min<int64_t>(format.target.bottom, height);
        if (right <= left || bottom <= top) return walk;
    }
    const bool bottomUp = format.kind == PictureKind::Rgb && format.height > 0;
    const int64_t rowLength = rowLengthOf(format);
    const int64_t firstRowInMemory = bottomUp ? height - 1 - top : top;
    walk.first = firstRowInMemory * rowLength + left * walk.bytesPerPixel;
    walk.step = bottomUp ? -rowLength : rowLength;
    walk.rows = int32_t(bottom - top);
    walk.pixels = int32_t(right - left);
    return walk;
}

}  // namespace qucap
