#pragma once
// Fields of RIFF files (AVI): four-character codes and little-endian numbers.
#include <cstdint>

namespace qucap {

constexpr uint32_t fourCc(const char (&text)[5]) {
    return uint32_t(uint8_t(text[0])) | uint32_t(uint8_t(text[1])) << 8 | uint32_t(uint8_t(text[2])) << 16 |
           uint32_t(uint8_t(text[3])) << 24;
}

inline uint16_t little16(const uint8_t* bytes) { return uint16_t(bytes[0] | bytes[1] << 8); }

inline uint32_t little32(const uint8_t* bytes) {
    return uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 | uint32_t(bytes[3]) << 24;
}

inline uint64_t little64(const uint8_t* bytes) { return uint64_t(little32(bytes)) | uint64_t(little32(bytes + 4)) << 32; }

// The stream number of a video frame chunk ('07dc', '07db'), or -1.
inline int videoChunkStream(uint32_t id) {
    const auto byte = [id](int i) { return char(id >> (8 * i) & 0xFF); };
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (!digit(byte(0)) || !digit(byte(1)) || byte(2) != 'd' || (byte(3) != 'c' && byte(3) != 'b')) return -1;
    return (byte(0) - '0') * 10 + (byte(1) - '0');
}

}  // namespace qucap
