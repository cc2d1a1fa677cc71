#pragma once
// A frame bitmap in memory: RGB, 3 or 4 bytes per pixel in the order blue,
// green, red (and a fourth byte, which players may read as alpha: drawing
// keeps it, a conversion from another format writes 0), rows padded to 4 bytes,
// bottom-up unless `topDown`. Frame coordinates are 1-based from the
// top-left: X = 1..width, Y = 1..height; nothing outside is ever written.
#include <cstddef>
#include <cstdint>

namespace qucap {

// Colours are Windows colour values 0x00BBGGRR.
constexpr uint8_t redOf(uint32_t colour) { return uint8_t(colour & 0xFF); }
constexpr uint8_t greenOf(uint32_t colour) { return uint8_t(colour >> 8 & 0xFF); }
constexpr uint8_t blueOf(uint32_t colour) { return uint8_t(colour >> 16 & 0xFF); }
constexpr uint32_t colourRefOf(uint8_t red, uint8_t green, uint8_t blue) {
    return uint32_t(red) | uint32_t(green) << 8 | uint32_t(blue) << 16;
}

// Row length of a picture row: ((bits / 8) x pixels + 3) rounded down to 4.
constexpr int32_t rowBytesOf(int32_t widthPixels, int32_t bitsPerPixel) {
    return (bitsPerPixel / 8 * widthPixels + 3) & ~3;
}

struct FrameBuffer {
    uint8_t* bits = nullptr;
    int32_t width = 0;          // W: the pixels of a row that may be written
    int32_t height = 0;         // H: rows
    int32_t bytesPerPixel = 4;  // 3 or 4
    int32_t stride = 0;         // bytes from one row in memory to the next
    bool topDown = false;       // rows stored from the top (negative biHeight)

    bool contains(int32_t x, int32_t y) const { return x >= 1 && x <= width && y >= 1 && y <= height; }

    // The first byte (blue) of the pixel at frame coordinates (x, y), which must lie in the frame.
    uint8_t* pixel(int32_t x, int32_t y) const {
        const int32_t row = topDown ? y - 1 : height - y;
        return bits + std::ptrdiff_t(row) * stride + std::ptrdiff_t(x - 1) * bytesPerPixel;
    }

    std::size_t byteSize() const { return std::size_t(stride) * std::size_t(height); }
};

}  // namespace qucap
