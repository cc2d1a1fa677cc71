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

// One 32-bit lane holding C in its low half and D in its high half, the
// partner of a lane holding (i - offset, 1) in a multiply-add.
constexpr int32_t pairOf(const FixedTerm& term) {
    return int32_t(uint32_t(uint16_t(term.factor)) | (uint32_t(uint16_t(term.bias)) << 16));
}

// Converts Ops::kPixels pixels a step. Ops gives the vector type V and:
// load, store32 (two vectors of 32-bit pixels, in picture order), set16,
// set32 (one value in every 32-bit lane), setPair32 (alternating lanes),
// highBytesDown (the upper 8 bytes of each 128 bits moved down) and the
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

    // The multiply-add of (i - offset, 1) pairs, shifted back to whole units
    // and packed into 16-bit lanes.
    const auto fixed = [&](V values, V pairs) {
        const V low = Ops::srai32(Ops::madd16(Ops::unpacklo16(values, one), pairs), kFixedShift);
        const V high = Ops::srai32(Ops::madd16(Ops::unpackhi16(values, one), pairs), kFixedShift);
        return Ops::packs32(low, high);
    };
    // Both pixels of a pair take the chroma term of the pair: the low (or
    // high) 16 bits of each 32-bit lane are copied into the other half.
    const auto lowHalves = [](V v) {
        const V moved = Ops::slli32(v, 16);
        return Ops::or_(moved, Ops::srli32(moved, 16));
    };
    const auto highHalves = [](V v) {
        const V moved = Ops::srli32(v, 16);
        return Ops::or_(moved, Ops::slli32(moved, 16));
    };

    uint8_t packed[step * 4];  // 32-bit pixels before 24-bit output
    int32_t done = 0;
    for (; done + step <= pixels; done += step, from += step * 2, to += step * outBytes) {
        const V raw = Ops::load(from);
        const V luma = fixed(Ops::sub16(Ops::and_(raw, lowBytes), lumaOffset), lumaPair);
        const V chroma = Ops::sub16(Ops::srli16(raw, 8), chromaOffset);  // U V U V ... less 128
        const V blueRed = fixed(chroma, blueRedPairs);                      // blue term, red term per pair
        const V greenParts = fixed(chroma, greenPairs);                    // U and V parts of green
        const V green = Ops::madd16(greenParts, minusOne);                 // -(U part + V part), 32-bit
        const V blue = Ops::add16(luma, lowHalves(blueRed));
        const V red = Ops::add16(luma, highHalves(blueRed));
        const V greens = Ops::add16(luma, lowHalves(green));
        // Saturating packs limit each channel to 0..255 as the limiter does.
        const V blueGreen = Ops::packus16(blue, greens);  // B0..B7 G0..G7 per 128 bits
        const V redZero = Ops::packus16(red, zero);       // R0..R7 0..0
        const V bg = Ops::unpacklo8(blueGreen, Ops::highBytesDown(blueGreen));
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
