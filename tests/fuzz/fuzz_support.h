#pragma once
// What the fuzz targets share: a check that ends the run, and the input
// bytes read as little-endian UTF-16.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace qucap::fuzz {

inline void require(bool condition) {
    if (!condition) std::abort();
}

inline std::u16string utf16Of(const uint8_t* data, std::size_t size) {
    std::u16string text;
    for (std::size_t i = 0; i + 1 < size; i += 2) text += char16_t(data[i] | data[i + 1] << 8);
    return text;
}

}  // namespace qucap::fuzz
