#pragma once
// The clock times SRT and ASS write: "H:MM:SS,mmm" and "H:MM:SS.CC".
#include <cstdint>
#include <optional>
#include <string_view>

namespace qucap {

// Milliseconds of "H:M:S" with an optional fraction after "," or ".": one
// or more hour digits, one or two minute and second digits. The fraction's
// digits are a decimal fraction of a second, as players read them: ",5" is
// 500 ms, ".05" 50 ms; digits beyond the third (below a millisecond) are
// ignored. Nothing for any other text.
std::optional<int64_t> parseClockTime(std::u16string_view text);

}  // namespace qucap
