#include "app/import/ttml_time.h"

#include <array>
#include <cmath>
#include <cstdint>

#include "app/import/text_scan.h"

namespace qucap {
namespace {

// Longer digit runs are no time a caption file means, and would lose precision.
constexpr std::size_t kMaxDigits = 15;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Reads the digits at the front of `text`, consuming them.
std::optional<int64_t> digits(std::string_view& text, std::size_t minCount = 1, std::size_t maxCount = kMaxDigits) {
    std::size_t n = 0;
    int64_t value = 0;
    while (n < text.size() && isDigit(text[n])) {
        if (n == maxCount) return std::nullopt;
        value = value * 10 + (text[n] - '0');
        ++n;
    }
    if (n < minCount) return std::nullopt;
    text.remove_prefix(n);
    return value;
}

// A decimal number "N" or "N.N", consumed from the front.
std::optional<double> decimal(std::string_view& text) {
    const auto whole = digits(text);
    if (!whole) return std::nullopt;
    if (text.empty() || text.front() != '.') return double(*whole);
    text.remove_prefix(1);
    const std::size_t before = text.size();
    const auto fraction = digits(text);
    if (!fraction) return std::nullopt;
    // Whole and fraction as one integer over a power of ten: exact for the
    // digits a file writes, so "0.1" is 100 ms and not 99.999...
    return (double(*whole) * std::pow(10.0, double(before - text.size())) + double(*fraction)) /
           std::pow(10.0, double(before - text.size()));
}

bool consume(std::string_view& text, char c) {
    if (text.empty() || text.front() != c) return false;
    text.remove_prefix(1);
    return true;
}

std::optional<double> clockTime(std::string_view text, const TtmlClock& clock) {
    const auto hours = digits(text, 1);
    if (!hours || !consume(text, ':')) return std::nullopt;
    const auto minutes = digits(text, 2, 2);
    if (!minutes || *minutes > 59 || !consume(text, ':')) return std::nullopt;
    std::string_view secondsText = text;
    const auto wholeSeconds = digits(secondsText, 2, 2);
    if (!wholeSeconds || *wholeSeconds > 60) return std::nullopt;
    double seconds = double(*wholeSeconds);
    if (!secondsText.empty() && secondsText.front() == '.') {
        const auto withFraction = decimal(text);
        if (!withFraction) return std::nullopt;
        seconds = *withFraction;
    } else if (consume(secondsText, ':')) {
        const auto frames = digits(secondsText, 1);
        if (!frames) return std::nullopt;
        double subFrames = 0;
        if (consume(secondsText, '.')) {
            const auto sub = digits(secondsText, 1);
            if (!sub) return std::nullopt;
            subFrames = double(*sub);
        }
        seconds += (double(*frames) + subFrames / clock.subFrameRate) / clock.frameRate;
        text = secondsText;
    } else {
        text = secondsText;
    }
    if (!text.empty()) return std::nullopt;
    return (double(*hours) * 3600 + double(*minutes) * 60) * 1000 + seconds * 1000;
}

// An offset time's unit: its count times `milliseconds`, divided by the
// clock's rate when it counts frames or ticks (dividing last keeps whole
// counts exact).
struct Metric {
    std::string_view name;
    double milliseconds;
    double TtmlClock::*rate;
};
constexpr std::array<Metric, 6> kMetrics{{
    {"h", 3600000, nullptr},
    {"m", 60000, nullptr},
    {"s", 1000, nullptr},
    {"ms", 1, nullptr},
    {"f", 1000, &TtmlClock::frameRate},
    {"t", 1000, &TtmlClock::tickRate},
}};

std::optional<double> offsetTime(std::string_view text, const TtmlClock& clock) {
    const auto count = decimal(text);
    if (!count) return std::nullopt;
    for (const Metric& metric : kMetrics)
        if (text == metric.name) return *count * metric.milliseconds / (metric.rate ? clock.*metric.rate : 1.0);
    return std::nullopt;
}

// A positive whole number, as the rate parameters are written.
std::optional<double> positiveCount(std::string_view text) {
    text = trimmedXmlSpace(text);
    const auto value = digits(text, 1, 9);
    if (!value || *value == 0 || !text.empty()) return std::nullopt;
    return double(*value);
}

}  // namespace

TtmlClock ttmlClockOf(const TtmlClockValues& values, std::string_view* bad) {
    TtmlClock clock;
    const auto read = [&](const std::optional<std::string_view>& value, std::string_view name) {
        if (!value) return std::optional<double>();
        const auto count = positiveCount(*value);
        if (!count && bad) *bad = name;
        return count;
    };
    const auto frameRate = read(values.frameRate, "ttp:frameRate");
    const auto subFrameRate = read(values.subFrameRate, "ttp:subFrameRate");
    const auto tickRate = read(values.tickRate, "ttp:tickRate");
    if (frameRate) clock.frameRate = *frameRate;
    if (subFrameRate) clock.subFrameRate = *subFrameRate;
    if (values.frameRateMultiplier) {
        std::string_view text = trimmedXmlSpace(*values.frameRateMultiplier);
        const auto numerator = digits(text, 1, 9);
        while (!text.empty() && isXmlSpace(text.front())) text.remove_prefix(1);
        const auto denominator = digits(text, 1, 9);
        if (numerator && denominator && *numerator > 0 && *denominator > 0 && text.empty())
            clock.frameRate = clock.frameRate * double(*numerator) / double(*denominator);
        else if (bad)
            *bad = "ttp:frameRateMultiplier";
    }
    // Without a tick rate, a tick is a sub-frame when the frame rate is
    // given, and a second otherwise.
    clock.tickRate = tickRate ? *tickRate : frameRate ? clock.frameRate * clock.subFrameRate : 1;
    return clock;
}

std::optional<double> ttmlTimeMs(std::string_view text, const TtmlClock& clock) {
    text = trimmedXmlSpace(text);
    if (text.empty()) return std::nullopt;
    const auto time = text.find(':') != std::string_view::npos ? clockTime(text, clock) : offsetTime(text, clock);
    if (!time || !std::isfinite(*time)) return std::nullopt;
    return time;
}

}  // namespace qucap
