#include "filter/core/compose/yuy2_vector.h"

#include <emmintrin.h>

#include "filter/core/compose/yuy2_kernel.h"

namespace qucap {

namespace {

struct Sse2Ops {
    using V = __m128i;
    static constexpr int32_t kPixels = 8;
    static constexpr bool kRoundingMultiply = false;  // mulhrs16 is there
    static V load(const uint8_t* p) { return _mm_loadu_si128(reinterpret_cast<const V*>(p)); }
    static void store32(uint8_t* p, V first, V second) {
        _mm_storeu_si128(reinterpret_cast<V*>(p), first);
        _mm_storeu_si128(reinterpret_cast<V*>(p) + 1, second);
    }
    static V set16(int16_t v) { return _mm_set1_epi16(v); }
    static V set32(int32_t v) { return _mm_set1_epi32(v); }
    static V setPair32(int32_t even, int32_t odd) { return _mm_set_epi32(odd, even, odd, even); }
    static V and_(V a, V b) { return _mm_and_si128(a, b); }
    static V add16(V a, V b) { return _mm_add_epi16(a, b); }
    static V sub16(V a, V b) { return _mm_sub_epi16(a, b); }
    static V srli16(V a, int n) { return _mm_srli_epi16(a, n); }
    static V srai32(V a, int n) { return _mm_srai_epi32(a, n); }
    static V interleaveHalves(V a) { return _mm_unpacklo_epi8(a, _mm_srli_si128(a, 8)); }
    static V lowHalves(V v) {
        const V moved = _mm_slli_epi32(v, 16);
        return _mm_or_si128(moved, _mm_srli_epi32(moved, 16));
    }
    static V highHalves(V v) {
        const V moved = _mm_srli_epi32(v, 16);
        return _mm_or_si128(moved, _mm_slli_epi32(moved, 16));
    }
    static V madd16(V a, V b) { return _mm_madd_epi16(a, b); }
    static V packs32(V a, V b) { return _mm_packs_epi32(a, b); }
    static V packus16(V a, V b) { return _mm_packus_epi16(a, b); }
    static V unpacklo8(V a, V b) { return _mm_unpacklo_epi8(a, b); }
    static V unpacklo16(V a, V b) { return _mm_unpacklo_epi16(a, b); }
    static V unpackhi16(V a, V b) { return _mm_unpackhi_epi16(a, b); }
};

bool processorHasAvx2() {
    static const bool has = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
    }();
    return has;
}

}  // namespace

bool yuy2VectorUsesAvx2() { return processorHasAvx2(); }

int32_t convertYuy2RowSse2(const uint8_t* from, uint8_t* to, int32_t pixels, int outBytes) {
    return convertRow<Sse2Ops>(from, to, pixels, outBytes);
}

int32_t convertYuy2RowVector(const uint8_t* from, uint8_t* to, int32_t pixels, int outBytes) {
    // AVX2 takes the steps of sixteen, SSE2 a last step of eight.
    const int32_t done = processorHasAvx2() ? convertYuy2RowAvx2(from, to, pixels, outBytes) : 0;
    constexpr int32_t kInputBytesPerPixel = 2;
    return done + convertYuy2RowSse2(from + done * kInputBytesPerPixel, to + done * outBytes, pixels - done, outBytes);
}

}  // namespace qucap
