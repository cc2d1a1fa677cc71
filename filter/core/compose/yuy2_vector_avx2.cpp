// The AVX2 build of the vector YUY2 conversion: sixteen pixels a step. This
// file alone is compiled with AVX2 enabled; it is called only after the
// processor was found to have it.
#include <immintrin.h>

#include "filter/core/compose/yuy2_kernel.h"
#include "filter/core/compose/yuy2_vector.h"

namespace qucap {

namespace {

// The 256-bit instructions work within each 128-bit half, so a step holds
// pixels 0-7 in the low half and 8-15 in the high half; only the final store
// puts the four quarters back in picture order.
struct Avx2Ops {
    using V = __m256i;
    static constexpr int32_t kPixels = 16;
    static constexpr bool kRoundingMultiply = true;  // mulhrs16 is there
    static V load(const uint8_t* p) { return _mm256_loadu_si256(reinterpret_cast<const V*>(p)); }
    static void store32(uint8_t* p, V first, V second) {
        _mm256_storeu_si256(reinterpret_cast<V*>(p), _mm256_permute2x128_si256(first, second, 0x20));
        _mm256_storeu_si256(reinterpret_cast<V*>(p) + 1, _mm256_permute2x128_si256(first, second, 0x31));
    }
    static V set16(int16_t v) { return _mm256_set1_epi16(v); }
    static V set32(int32_t v) { return _mm256_set1_epi32(v); }
    static V setPair32(int32_t even, int32_t odd) {
        return _mm256_set_epi32(odd, even, odd, even, odd, even, odd, even);
    }
    static V and_(V a, V b) { return _mm256_and_si256(a, b); }
    static V add16(V a, V b) { return _mm256_add_epi16(a, b); }
    static V sub16(V a, V b) { return _mm256_sub_epi16(a, b); }
    static V srli16(V a, int n) { return _mm256_srli_epi16(a, n); }
    static V srai32(V a, int n) { return _mm256_srai_epi32(a, n); }
    // One byte shuffle each, the same within both 128-bit halves.
    static V interleaveHalves(V a) {
        return _mm256_shuffle_epi8(a, _mm256_setr_epi8(0, 8, 1, 9, 2, 10, 3, 11, 4, 12, 5, 13, 6, 14, 7, 15, 0, 8, 1, 9, 2,
                                                       10, 3, 11, 4, 12, 5, 13, 6, 14, 7, 15));
    }
    static V lowHalves(V v) {
        return _mm256_shuffle_epi8(v, _mm256_setr_epi8(0, 1, 0, 1, 4, 5, 4, 5, 8, 9, 8, 9, 12, 13, 12, 13, 0, 1, 0, 1, 4,
                                                       5, 4, 5, 8, 9, 8, 9, 12, 13, 12, 13));
    }
    static V highHalves(V v) {
        return _mm256_shuffle_epi8(v, _mm256_setr_epi8(2, 3, 2, 3, 6, 7, 6, 7, 10, 11, 10, 11, 14, 15, 14, 15, 2, 3, 2, 3,
                                                       6, 7, 6, 7, 10, 11, 10, 11, 14, 15, 14, 15));
    }
    static V madd16(V a, V b) { return _mm256_madd_epi16(a, b); }
    static V mulhrs16(V a, V b) { return _mm256_mulhrs_epi16(a, b); }
    static V packs32(V a, V b) { return _mm256_packs_epi32(a, b); }
    static V packus16(V a, V b) { return _mm256_packus_epi16(a, b); }
    static V unpacklo8(V a, V b) { return _mm256_unpacklo_epi8(a, b); }
    static V unpacklo16(V a, V b) { return _mm256_unpacklo_epi16(a, b); }
    static V unpackhi16(V a, V b) { return _mm256_unpackhi_epi16(a, b); }
};

}  // namespace

int32_t convertYuy2RowAvx2(const uint8_t* from, uint8_t* to, int32_t pixels, int outBytes) {
    return convertRow<Avx2Ops>(from, to, pixels, outBytes);
}

}  // namespace qucap
