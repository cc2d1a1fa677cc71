#pragma once
// Small pixel helpers shared by the ring, plate and glyph passes: colours as
// byte triples, the blend of one channel, safe walks over coverage bitmaps
// and the clipping of a placed bitmap row or column range to the frame.
#include <algorithm>
#include <cstdint>

#include "filter/core/frame.h"
#include "filter/core/glyph_cell.h"

namespace qucap {

// A colour in the byte order of a frame pixel.
struct PixelColour {
    uint8_t blue = 0, green = 0, red = 0;
    bool operator==(const PixelColour&) const = default;
};

inline PixelColour pixelColourOf(uint32_t colour) { return {blueOf(colour), greenOf(colour), redOf(colour)}; }

// (colour x weight) / 64 + (background x (64 - weight)) / 64, weight 0..64.
inline uint8_t blendChannel(int32_t colour, int32_t weight, int32_t background) {
    return uint8_t(colour * weight / 64 + background * (64 - weight) / 64);
}

// The colour bytes only: a 32-bit pixel keeps its fourth byte, which
// players read as alpha.
inline void writePixel(uint8_t* p, PixelColour colour) {
    p[0] = colour.blue;
    p[1] = colour.green;
    p[2] = colour.red;
}

inline void blendPixel(uint8_t* p, PixelColour colour, int32_t weight, const uint8_t* background) {
    writePixel(p, {blendChannel(colour.blue, weight, background[0]), blendChannel(colour.green, weight, background[1]),
                   blendChannel(colour.red, weight, background[2])});
}

// A frame whose memory may be written pixel by pixel.
inline bool drawableFrame(const FrameBuffer& frame) {
    return frame.bits != nullptr && frame.width > 0 && frame.height > 0 &&
           (frame.bytesPerPixel == 3 || frame.bytesPerPixel == 4) && frame.stride >= frame.width * frame.bytesPerPixel;
}

// A snapshot that holds a pixel for every pixel of `frame`.
inline bool snapshotFits(const FrameBuffer& frame, const FrameBuffer& snapshot) {
    return drawableFrame(snapshot) && snapshot.width == frame.width && snapshot.height == frame.height;
}

// The rows of a coverage bitmap that its bytes really hold: a bitmap whose
// vector is shorter than width x height claims is read only as far as it goes.
struct CoverageView {
    const uint8_t* bytes = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    int32_t rowBytes = 0;

    bool empty() const { return width <= 0 || height <= 0; }
    const uint8_t* row(int32_t r) const { return bytes + std::size_t(r) * std::size_t(rowBytes); }
};

inline CoverageView coverageOf(const CoverageBitmap& bitmap) {
    if (bitmap.width <= 0 || bitmap.height <= 0) return {};
    const int32_t rowBytes = bitmap.rowBytes();
    const auto rowsHeld = int64_t(bitmap.bytes.size() / std::size_t(rowBytes));
    return {bitmap.bytes.data(), bitmap.width, int32_t(std::min<int64_t>(bitmap.height, rowsHeld)), rowBytes};
}

// Indexes i in [first, last) of 0..count-1 for which 1 <= origin + i <= limit.
struct IndexRange {
    int32_t first = 0;
    int32_t last = 0;
    bool empty() const { return first >= last; }
};

inline IndexRange indexesInside(int64_t origin, int32_t count, int32_t limit) {
    const int64_t first = std::max<int64_t>(0, 1 - origin);
    const int64_t last = std::min<int64_t>(count, int64_t(limit) - origin + 1);
    if (first >= last) return {};
    return {int32_t(first), int32_t(last)};
}

// Inclusive spans of non-zero coverage within one bitmap row.
template <typename Fn>
void forEachInkRun(const uint8_t* row, int32_t width, Fn&& fn) {
    int32_t col = 0;
    while (col < width) {
        while (col < width && row[col] == 0) ++col;
        if (col == width) break;
        const int32_t first = col;
        while (col < width && row[col] != 0) ++col;
        fn(first, col - 1);
    }
}

}  // namespace qucap
