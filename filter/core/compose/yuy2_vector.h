#pragma once
// The YUY2 to RGB row conversion eight pixels at a time (SSE2), or sixteen
// where the processor has AVX2, giving exactly the bytes of the lookup tables.
// Each table entry floor(f x (i - offset) + 0.5) is reproduced as
// (C x (i - offset) + D) >> 14 with integer constants found at compile time
// and checked there against all 256 entries of the table.
#include <cstdint>

namespace qucap {

// Converts the leading pixels of a row that fill whole vector steps and
// returns how many it converted (a multiple of 8); the caller converts the
// rest with the tables. `outBytes` is 3 or 4 (the fourth byte is written 0).
int32_t convertYuy2RowVector(const uint8_t* from, uint8_t* to, int32_t pixels, int outBytes);

// Whether the processor has AVX2, which convertYuy2RowVector then takes.
bool yuy2VectorUsesAvx2();

// Each instruction set's path alone, for the tests that compare both with
// the tables; the AVX2 one only where yuy2VectorUsesAvx2().
int32_t convertYuy2RowSse2(const uint8_t* from, uint8_t* to, int32_t pixels, int outBytes);
int32_t convertYuy2RowAvx2(const uint8_t* from, uint8_t* to, int32_t pixels, int outBytes);

}  // namespace qucap
