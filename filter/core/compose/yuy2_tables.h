#pragma once
// The five lookup tables of the YUY2 to RGB conversion, 256 entries each,
// indexed by the byte value i: round(factor x (i - offset)) with halves
// rounded upward. The factors are exact decimals, so the tables are computed
// in integers at compile time and never depend on floating-point rounding.
#include <array>
#include <cstdint>

namespace qucap {

using ConversionTable = std::array<int16_t, 256>;

namespace yuy2detail {

// floor(numerator / denominator) for a positive denominator.
constexpr int64_t floorDiv(int64_t numerator, int64_t denominator) {
    const int64_t q = numerator / denominator;
    return (numerator % denominator != 0 && numerator < 0) ? q - 1 : q;
}

// floor(factor x (i - offset) + 0.5) with factor = factorNumerator / factorDenominator.
constexpr ConversionTable makeTable(int offset, int64_t factorNumerator, int64_t factorDenominator) {
    ConversionTable table{};
    for (int i = 0; i < 256; ++i)
        table[std::size_t(i)] =
            int16_t(floorDiv(2 * factorNumerator * (i - offset) + factorDenominator, 2 * factorDenominator));
    return table;
}

}  // namespace yuy2detail

struct Yuy2Tables {
    ConversionTable luma;       // Y: offset 16, factor 1.164
    ConversionTable vToRed;     // offset 128, factor 1.567
    ConversionTable vToGreen;   // offset 128, factor 0.798
    ConversionTable uToGreen;   // offset 128, factor 0.384
    ConversionTable uToBlue;    // offset 128, factor 1.9801
};

inline constexpr Yuy2Tables kYuy2Tables{
    yuy2detail::makeTable(16, 1164, 1000),  yuy2detail::makeTable(128, 1567, 1000),
    yuy2detail::makeTable(128, 798, 1000),  yuy2detail::makeTable(128, 384, 1000),
    yuy2detail::makeTable(128, 19801, 10000),
};

}  // namespace qucap
