#include "app/import/clock_time.h"

#include "app/import/text_scan.h"

namespace qucap {
namespace {

constexpr std::size_t kHourDigitsMax = 9;  // keeps the milliseconds far inside 64 bits

// The digits at the front of `text` (at most `maxDigits`, at least one), removed from it.
std::optional<int64_t> takeNumber(std::u16string_view& text, std::size_t maxDigits) {
    std::size_t count = 0;
    int64_t value = 0;
    while (count < text.size() && isAsciiDigit(text[count])) {
        if (++count > maxDigits) return std::nullopt;
        value = value * 10 + (text[count - 1] - u'0');
    }
    if (count == 0) return std::nullopt;
    text.remove_prefix(count);
    return value;
}

bool takeCharacter(std::u16string_view& text, char16_t c) {
    if (text.empty() || text.front() != c) return false;
    text.remove_prefix(1);
    return true;
}

}  // namespace

std::optional<int64_t> parseClockTime(std::u16string_view text) {
    const auto hours = takeNumber(text, kHourDigitsMax);
    if (!hours || !takeCharacter(text, u':')) return std::nullopt;
    const auto minutes = takeNumber(text, 2);
    if (!minutes || !takeCharacter(text, u':')) return std::nullopt;
    const auto seconds = takeNumber(text, 2);
    if (!seconds) return std::nullopt;
    int64_t milliseconds = 0;
    if (takeCharacter(text, u',') || takeCharacter(text, u'.')) {
        if (text.empty()) return std::nullopt;
        int64_t scale = 100;
        for (const char16_t c : text) {
            if (!isAsciiDigit(c)) return std::nullopt;
            milliseconds += (c - u'0') * scale;
            scale /= 10;
        }
        text = {};
    }
    if (!text.empty()) return std::nullopt;
    return ((*hours * 60 + *minutes) * 60 + *seconds) * 1000 + milliseconds;
}

}  // namespace qucap
