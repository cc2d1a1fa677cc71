#pragma once
// The picture format of the tests' lossless video encoder, FOURCC 'QTLE'.
// Portable: no Windows headers, so any test can encode or decode frames.
//
// One compressed frame is a header and the rows in the order the RGB32
// picture stores them (bottom-up or top-down alike: decoding gives the very
// bytes that were encoded):
//
//   offset 0   'Q' 'T' 'L' 'E'            magic
//   offset 4   width in pixels            32-bit little-endian, > 0
//   offset 8   rows                       32-bit little-endian, > 0
//   offset 12  the rows, one after another
//
// Each row is a sequence of runs that covers exactly `width` pixels (a run
// never crosses the end of a row). A run starts with a count byte c:
//   c <  0x80: c + 1 literal pixels follow, 4 bytes each (B, G, R, X);
//   c >= 0x80: one pixel (4 bytes) follows, repeated (c - 0x80) + 1 times.
// So a run holds 1 to 128 pixels. Nothing follows the last row.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace qucap::test {

// The four characters as a little-endian 32-bit code, as biCompression holds them.
inline constexpr uint32_t kTestEncoderFourcc = uint32_t('Q') | uint32_t('T') << 8 | uint32_t('L') << 16 |
                                               uint32_t('E') << 24;
inline constexpr std::size_t kTestEncoderHeaderSize = 12;
// The largest picture the format takes on: enough for any real movie, and
// small enough that every size computed below fits in 32 bits.
inline constexpr uint32_t kTestEncoderMaxSide = 16384;

// The largest frame the encoder can write for the picture (every pixel in a
// literal run); 0 when a side is 0 or larger than kTestEncoderMaxSide.
std::size_t maxEncodedFrameSize(uint32_t width, uint32_t rows);

// Encodes a picture of 32-bit pixels (width * 4 bytes a row, `rows` rows) into
// `out`, which holds `capacity` bytes. The bytes written, or 0 when the
// picture's size is refused or the space does not suffice.
std::size_t encodeTestEncoderFrame(const uint8_t* pixels, uint32_t width, uint32_t rows, uint8_t* out,
                                   std::size_t capacity);
// The same into a new vector (empty when the size is refused).
std::vector<uint8_t> encodeTestEncoderFrame(std::span<const uint8_t> pixels, uint32_t width, uint32_t rows);

// The picture bytes of one compressed frame (width * 4 * |height| bytes), or
// an empty vector when the frame is not a well-formed frame of that size: a
// wrong magic or size, a run past a row's end, bytes missing or left over.
// The height may be given as biHeight is, negative for a top-down picture.
std::vector<uint8_t> decodeTestEncoderFrame(std::span<const uint8_t> bytes, int32_t width, int32_t height);
std::vector<uint8_t> decodeTestEncoderFrame(std::string_view bytes, int32_t width, int32_t height);

}  // namespace qucap::test
