#pragma once
// The body of the vector YUY2 conversion, written once over a set of vector
// operations (SSE2 or AVX2) and included by the file of each instruction set,
// which compiles it with its own options. Everything here has internal
// linkage, so no AVX2 code can stand in for the SSE2 code at link time.
#include <cstdint>
#include <cstring>

#include "filter/core/compose/yuy2_tables.h"

namespace qucap {
namespace {

constexpr int kFixedShift = 14;

// C and D of (C x (i - offset) + D) >> 14 for one table, both fitting in 16
// bits (the multiply-add takes 16-bit pairs).
struct FixedTerm {
    int16_t factor = 0;
    int16_t bias = 0;
    bool exact = false;
};

// Looks for the C near f x 2^14 whose range of working D is not empty, and
// takes the D of that range nearest half a unit.
constexpr FixedTerm fixedTermFor(const ConversionTable& table, int offset, int64_t numerator, int64_t denominator) {
    const int64_t unit = int64_t(1) << kFixedShift;
    const int64_t nearest = numerator * unit / denominator;
    for (int64_t factor = nearest - 4; factor <= nearest + 4; ++factor) {
        if (factor <= 0 || factor > 32767) continue;
        int64_t least = INT64_MIN, most = INT64_MAX;  // D in [least, most)
        for (int i = 0; i < 256; ++i) {
            const int64_t product = factor * (i - offset);
            const int64_t entry = table[std::size_t(i)];
            least = least > entry * unit - product ? least : entry * unit - product;
            most = most < (entry + 1) * unit - product ? most : (entry + 1) * unit - product;
        }
        if (least >= most) continue;
        int64_t bias = unit / 2;
        bias = bias < least ? least : bias >= most ? most - 1 : bias;
        if (bias < -32768 || bias > 32767) continue;
        return {int16_t(factor), int16_t(bias), true};
    }
    return {};
}

constexpr FixedTerm kLumaTerm = fixedTermFor(kYuy2Tables.luma, 16, 1164, 1000);
constexpr FixedTerm kVToRedTerm = fixedTermFor(kYuy2Tables.vToRed, 128, 1567, 1000);
constexpr FixedTerm kVToGreenTerm = fixedTermFor(kYuy2Tables.vToGreen, 128, 798, 1000);
constexpr FixedTerm kUToGreenTerm = fixedTermFor(kYuy2Tables.uToGreen, 128, 384, 1000);
constexpr FixedTerm kUToBlueTerm = fixedTermFor(kYuy2Tables.uToBlue, 128, 19801, 10000);
static_assert(kLumaTerm.exact && kVToRedTerm.exact && kVToGreenTerm.exact && kUToGreenTerm.exact &&
                  kUToBlueTerm.exact,
              "every table is reproduced by a 16-bit fixed-point term");

// The same entries as d + ((d x K + 2^14) >> 15) for d = i - offset (or
// without the leading d for a factor below 1): the rounding multiply of 16-bit
// lanes (AVX2's vpmulhrsw), which takes sixteen values an instruction where the
// multiply-add of (C, D) pairs takes eight and needs unpacking and packing.
struct RoundingTerm {
    int16_t fraction = 0;  // K: the factor less its whole part, in units of 2^-15
    bool exact = false;
};

constexpr RoundingTerm roundingTermFor(const ConversionTable& table, int offset, int64_t numerator,
                                       int64_t denominator, int64_t whole) {
    const int64_t nearest = (numerator - whole * denominator) * 32768 / denominator;
    for (int64_t fraction = nearest - 8; fraction <= nearest + 8; ++fraction) {
        if (fraction < -32768 || fraction > 32767) continue;
        bool exact = true;
        for (int i = 0; i < 256 && exact; ++i) {
            const int64_t d = i - offset;
            exact = whole * d + ((d * fraction + 16384) >> 15) == table[std::size_t(i)];
        }
        if (exact) return {int16_t(fraction), true};
    }
    return {};
}

constexpr RoundingTerm kLumaRounding = roundingTermFor(kYuy2Tables.luma, 16, 1164, 1000, 1);
constexpr RoundingTerm kVToRedRounding = roundingTermFor(kYuy2Tables.vToRed, 128, 1567, 1000, 1);
constexpr RoundingTerm kUToBlueRounding = roundingTermFor(kYuy2Tables.uToBlue, 128, 19801, 10000, 1);
constexpr RoundingTerm kVToGreenRounding = roundingTermFor(kYuy2Tables.vToGreen, 128, 798, 1000, 0);
constexpr RoundingTerm kUToGreenRounding = roundingTermFor(kYuy2Tables.uToGreen, 128, 384, 1000, 0);
static_assert(kLumaRounding.exact && kVToRedRounding.exact && kUToBlueRounding.exact && kVToGreenRounding.exact &&
                  kUToGreenRounding.exact,
              "every table is reproduced by a rounding multiply of 16-bit lanes");

// One 32-bit lane holding C in its low half and D in its high half, the
// partner of a lane holding (i - offset, 1) in a multiply-add.
constexpr int32_t pairOf(const FixedTerm& term) {
    return int32_t(uint32_t(uint16_t(term.factor)) | (uint32_t(uint16_t(term.bias)) << 16));
}

// Converts Ops::kPixels pixels a step. Ops gives the vector type V and:
// load, store32 (two vectors of 32-bit pixels, in picture order), set16,
// set32 (one value in every 32-bit lane), setPair32 (alternating lanes),
// interleaveHalves (the low 8 bytes of each 128 bits interleaved with the
// high 8), lowHalves
// and highHalves (the low or high 16 bits of each 32-bit lane copied into
// both halves: both pixels of a pair take the pair's chroma term) and the
// lane-wise operations named after the instructions.
template <class Ops>
int32_t convertRow(const uint8_t* from, uint8_t* to, int32_t pixels, int outBytes) {
    using V = typename Ops::V;
    constexpr int32_t step = Ops::kPixels;
    const V lowBytes = Ops::set16(0x00FF), one = Ops::set16(1), minusOne = Ops::set16(-1);
    const V lumaOffset = Ops::set16(16), chromaOffset = Ops::set16(128), zero = Ops::set16(0);
    const V lumaPair = Ops::set32(pairOf(kLumaTerm));
    const V blueRedPairs = Ops::setPair32(pairOf(kUToBlueTerm), pairOf(kVToRedTerm));
    const V greenPairs = Ops::setPair32(pairOf(kUToGreenTerm), pairOf(kVToGreenTerm));
    // The same for the rounding multiply: one K a 16-bit lane, U's in the even lanes.
    const auto lanePair = [](const RoundingTerm& even, const RoundingTerm& odd) {
        return int32_t(uint32_t(uint16_t(even.fraction)) | (uint32_t(uint16_t(odd.fraction)) << 16));
    };
    const V lumaFraction = Ops::set16(kLumaRounding.fraction);
    const V blueRedFractions = Ops::set32(lanePair(kUToBlueRounding, kVToRedRounding));
    const V greenFractions = Ops::set32(lanePair(kUToGreenRounding, kVToGreenRounding));

    // The multiply-add of (i - offset, 1) pairs, shifted back to whole units
    // and packed into 16-bit lanes.
    const auto fixed = [&](V values, V pairs) {
        const V low = Ops::srai32(Ops::madd16(Ops::unpacklo16(values, one), pairs), kFixedShift);
        const V high = Ops::srai32(Ops::madd16(Ops::unpackhi16(values, one), pairs), kFixedShift);
        return Ops::packs32(low, high);
    };
    uint8_t packed[step * 4];  // 32-bit pixels before 24-bit output
    int32_t done = 0;
    for (; done + step <= pixels; done += step, from += step * 2, to += step * outBytes) {
        const V raw = Ops::load(from);
        const V lumaDistance = Ops::sub16(Ops::and_(raw, lowBytes), lumaOffset);
        const V chroma = Ops::sub16(Ops::srli16(raw, 8), chromaOffset);  // U V U V ... less 128
        V luma, blueRed, greenParts;  // blue term, red term per pair; U and V parts of green
        if constexpr (Ops::kRoundingMultiply) {
            luma = Ops::add16(lumaDistance, Ops::mulhrs16(lumaDistance, lumaFraction));
            blueRed = Ops::add16(chroma, Ops::mulhrs16(chroma, blueRedFractions));
            greenParts = Ops::mulhrs16(chroma, greenFractions);
        } else {
            luma = fixed(lumaDistance, lumaPair);
            blueRed = fixed(chroma, blueRedPairs);
            greenParts = fixed(chroma, greenPairs);
        }
        const V green = Ops::madd16(greenParts, minusOne);                 // -(U part + V part), 32-bit
        const V blue = Ops::add16(luma, Ops::lowHalves(blueRed));
        const V red = Ops::add16(luma, Ops::highHalves(blueRed));
        const V greens = Ops::add16(luma, Ops::lowHalves(green));
        // Saturating packs limit each channel to 0..255 as the limiter does.
        const V blueGreen = Ops::packus16(blue, greens);  // B0..B7 G0..G7 per 128 bits
        const V redZero = Ops::packus16(red, zero);       // R0..R7 0..0
        const V bg = Ops::interleaveHalves(blueGreen);    // B0 G0 B1 G1 ... per 128 bits
        const V r0 = Ops::unpacklo8(redZero, zero);
        const V first = Ops::unpacklo16(bg, r0), second = Ops::unpackhi16(bg, r0);
        if (outBytes == 4) {
            Ops::store32(to, first, second);
        } else {
            Ops::store32(packed, first, second);
            for (int32_t p = 0; p < step; ++p) std::memcpy(to + p * 3, packed + p * 4, 3);
        }
    }
    return done;
}

}  // namespace
}  // namespace qucap
