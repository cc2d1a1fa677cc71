#include "tests/support/test_encoder/lossless_codec.h"

#include <cstring>

namespace qucap::test {
namespace {

constexpr std::size_t kPixelBytes = 4;
constexpr uint32_t kLongestRun = 128;
constexpr uint8_t kRepeatFlag = 0x80;

bool sizeAccepted(uint32_t width, uint32_t rows) {
    return width > 0 && rows > 0 && width <= kTestEncoderMaxSide && rows <= kTestEncoderMaxSide;
}

void putLittleEndian(uint8_t* to, uint32_t value) {
    for (int i = 0; i < 4; ++i) to[i] = uint8_t(value >> (8 * i));
}

uint32_t readLittleEndian(const uint8_t* from) {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value |= uint32_t(from[i]) << (8 * i);
    return value;
}

bool samePixel(const uint8_t* row, uint32_t a, uint32_t b) {
    return std::memcmp(row + a * kPixelBytes, row + b * kPixelBytes, kPixelBytes) == 0;
}

// How many pixels from `x` on equal the pixel at `x` (at most a run's length).
uint32_t repeatLength(const uint8_t* row, uint32_t x, uint32_t width) {
    uint32_t length = 1;
    while (x + length < width && length < kLongestRun && samePixel(row, x, x + length)) ++length;
    return length;
}

// How many pixels from `x` on go into a literal run: up to the next pair of
// equal pixels, which a repeat run holds better.
uint32_t literalLength(const uint8_t* row, uint32_t x, uint32_t width) {
    uint32_t length = 1;
    while (x + length < width && length < kLongestRun &&
           !(x + length + 1 < width && samePixel(row, x + length, x + length + 1)))
        ++length;
    return length;
}

// Writes one row's runs at `out`; the bytes written.
std::size_t encodeRow(const uint8_t* row, uint32_t width, uint8_t* out) {
    uint8_t* at = out;
    for (uint32_t x = 0; x < width;) {
        const uint32_t repeated = repeatLength(row, x, width);
        if (repeated >= 2) {
            *at++ = uint8_t(kRepeatFlag | (repeated - 1));
            std::memcpy(at, row + x * kPixelBytes, kPixelBytes);
            at += kPixelBytes;
            x += repeated;
        } else {
            const uint32_t literal = literalLength(row, x, width);
            *at++ = uint8_t(literal - 1);
            std::memcpy(at, row + x * kPixelBytes, literal * kPixelBytes);
            at += literal * kPixelBytes;
            x += literal;
        }
    }
    return std::size_t(at - out);
}

}  // namespace

std::size_t maxEncodedFrameSize(uint32_t width, uint32_t rows) {
    if (!sizeAccepted(width, rows)) return 0;
    const std::size_t countBytes = (width + kLongestRun - 1) / kLongestRun;
    return kTestEncoderHeaderSize + std::size_t(rows) * (countBytes + std::size_t(width) * kPixelBytes);
}

std::size_t encodeTestEncoderFrame(const uint8_t* pixels, uint32_t width, uint32_t rows, uint8_t* out,
                                   std::size_t capacity) {
    if (!pixels || !out || maxEncodedFrameSize(width, rows) == 0 || capacity < maxEncodedFrameSize(width, rows))
        return 0;
    std::memcpy(out, "QTLE", 4);
    putLittleEndian(out + 4, width);
    putLittleEndian(out + 8, rows);
    std::size_t written = kTestEncoderHeaderSize;
    const std::size_t stride = std::size_t(width) * kPixelBytes;
    for (uint32_t y = 0; y < rows; ++y) written += encodeRow(pixels + y * stride, width, out + written);
    return written;
}

std::vector<uint8_t> encodeTestEncoderFrame(std::span<const uint8_t> pixels, uint32_t width, uint32_t rows) {
    const std::size_t capacity = maxEncodedFrameSize(width, rows);
    if (capacity == 0 || pixels.size() < std::size_t(width) * rows * kPixelBytes) return {};
    std::vector<uint8_t> out(capacity);
    out.resize(encodeTestEncoderFrame(pixels.data(), width, rows, out.data(), out.size()));
    return out;
}

std::vector<uint8_t> decodeTestEncoderFrame(std::span<const uint8_t> bytes, int32_t width, int32_t height) {
    const uint32_t rows = height < 0 ? uint32_t(0) - uint32_t(height) : uint32_t(height);
    if (width <= 0 || !sizeAccepted(uint32_t(width), rows)) return {};
    if (bytes.size() < kTestEncoderHeaderSize || std::memcmp(bytes.data(), "QTLE", 4) != 0 ||
        readLittleEndian(bytes.data() + 4) != uint32_t(width) || readLittleEndian(bytes.data() + 8) != rows)
        return {};
    std::vector<uint8_t> picture(std::size_t(width) * rows * kPixelBytes);
    std::size_t at = kTestEncoderHeaderSize;
    uint8_t* to = picture.data();
    for (uint32_t y = 0; y < rows; ++y) {
        for (uint32_t x = 0; x < uint32_t(width);) {
            if (at >= bytes.size()) return {};
            const uint8_t count = bytes[at++];
            const bool repeat = count & kRepeatFlag;
            const uint32_t length = uint32_t(count & ~kRepeatFlag) + 1;
            const std::size_t payload = repeat ? kPixelBytes : length * kPixelBytes;
            if (x + length > uint32_t(width) || bytes.size() - at < payload) return {};
            if (repeat) {
                for (uint32_t i = 0; i < length; ++i) std::memcpy(to + i * kPixelBytes, &bytes[at], kPixelBytes);
            } else {
                std::memcpy(to, &bytes[at], payload);
            }
            at += payload;
            to += length * kPixelBytes;
            x += length;
        }
    }
    if (at != bytes.size()) return {};
    return picture;
}

std::vector<uint8_t> decodeTestEncoderFrame(std::string_view bytes, int32_t width, int32_t height) {
    return decodeTestEncoderFrame(std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()), width,
                                  height);
}

}  // namespace qucap::test
