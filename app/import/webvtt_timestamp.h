#pragma once
// WebVTT's times: "mm:ss.ttt" or "hh:mm:ss.ttt" (hours of any number of
// digits), as the timing lines and the timestamp tags of cue text write them.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace qucap {

// The time in milliseconds that starts at `at`, moving `at` past it; nothing
// (with `at` anywhere) when the text there is no timestamp. Hours beyond what
// milliseconds can count in 64 bits are no timestamp either.
std::optional<int64_t> collectWebVttTimestamp(std::u16string_view text, std::size_t& at);

}  // namespace qucap
