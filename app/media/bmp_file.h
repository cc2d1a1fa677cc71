#pragma once
// The bytes of a 24-bit Windows bitmap file (BITMAPFILEHEADER,
// BITMAPINFOHEADER, rows bottom-up with 4-byte padding) made from a grabbed
// video frame. No Win32 header: the layout is written byte by byte.
#include <string>

#include "app/media/rgb_picture.h"

namespace qucap {

inline constexpr std::size_t kBmpHeaderBytes = 14 + 40;

// RGB32 frames lose their fourth byte; top-down frames are turned
// bottom-up. Empty when the picture does not hold all its rows.
std::string bmpFileBytes(const RgbPicture& picture);

}  // namespace qucap
