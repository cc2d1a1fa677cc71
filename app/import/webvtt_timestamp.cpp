#include "app/import/webvtt_timestamp.h"

namespace qucap {
namespace {

constexpr int64_t kMaxHours = 1'000'000'000'000;  // keeps hours * 3,600,000 inside int64_t

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// The digits at `at`, how many there were and their value (saturated).
struct Digits {
    std::size_t count = 0;
    int64_t value = 0;
};
Digits collectDigits(std::u16string_view text, std::size_t& at) {
    Digits digits;
    for (; at < text.size() && isDigit(text[at]); ++at, ++digits.count)
        if (digits.value <= kMaxHours) digits.value = digits.value * 10 + (text[at] - u'0');
    return digits;
}

bool skip(std::u16string_view text, std::size_t& at, char16_t c) {
    if (at >= text.size() || text[at] != c) return false;
    ++at;
    return true;
}

}  // namespace

std::optional<int64_t> collectWebVttTimestamp(std::u16string_view text, std::size_t& at) {
    if (at >= text.size() || !isDigit(text[at])) return std::nullopt;
    const Digits first = collectDigits(text, at);
    // A first field that is not two digits, or over 59, can only be hours.
    const bool hours = first.count != 2 || first.value > 59;
    if (!skip(text, at, u':')) return std::nullopt;
    const Digits second = collectDigits(text, at);
    if (second.count != 2) return std::nullopt;
    int64_t h = 0, m = first.value, s = second.value;
    if (hours || (at < text.size() && text[at] == u':')) {
        if (!skip(text, at, u':')) return std::nullopt;
        const Digits third = collectDigits(text, at);
        if (third.count != 2) return std::nullopt;
        h = first.value, m = second.value, s = third.value;
    }
    if (!skip(text, at, u'.')) return std::nullopt;
    const Digits fraction = collectDigits(text, at);
    if (fraction.count != 3 || m > 59 || s > 59 || h > kMaxHours) return std::nullopt;
    return ((h * 60 + m) * 60 + s) * 1000 + fraction.value;
}

}  // namespace qucap
