#pragma once
// TTML's time expressions: clock times ("01:02:03.5", "01:02:03:12.1" with
// frames and sub-frames) and offset times ("1.5s", "90f", "2000t", ...),
// under the frame and tick rates the document's root sets.
#include <optional>
#include <string_view>

namespace qucap {

struct TtmlClock {
    double frameRate = 30;     // frames a second, the multiplier applied
    double subFrameRate = 1;   // sub-frames a frame
    double tickRate = 1;       // ticks a second
};

// The clock of the root's ttp:frameRate, ttp:frameRateMultiplier ("num den"),
// ttp:subFrameRate and ttp:tickRate values (nothing: the attribute is not
// there). An unreadable value keeps the default and is named in `bad`.
struct TtmlClockValues {
    std::optional<std::string_view> frameRate, frameRateMultiplier, subFrameRate, tickRate;
};
TtmlClock ttmlClockOf(const TtmlClockValues& values, std::string_view* bad = nullptr);

// The time in milliseconds, not rounded; nothing when the text is no time
// expression. XML white space around it is allowed.
std::optional<double> ttmlTimeMs(std::string_view text, const TtmlClock& clock);

}  // namespace qucap
