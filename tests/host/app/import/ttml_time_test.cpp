// TTML time expressions under the rates a document sets.
#include <gtest/gtest.h>

#include "app/import/ttml_time.h"

namespace qucap {
namespace {

struct TimeCase {
    const char* text;
    std::optional<double> ms;
    TtmlClockValues clock = {};
};

TEST(TtmlTime, ReadsClockAndOffsetTimes) {
    const TtmlClockValues fps25{"25", std::nullopt, std::nullopt, std::nullopt};
    const TtmlClockValues ntsc{"30", "1000 1001", std::nullopt, std::nullopt};
    const TtmlClockValues subFrames{"25", std::nullopt, "4", std::nullopt};
    const TtmlClockValues ticks{std::nullopt, std::nullopt, std::nullopt, "10000000"};
    const TimeCase cases[] = {
        {"00:00:01.5", 1500},
        {" 01:02:03.045\n", 3723045},
        {"100:00:00", 360000000},
        {"00:00:00.1", 100},
        {"00:00:01:15", 1600, fps25},
        {"00:00:01:15.2", 1620, subFrames},
        {"00:00:00:30", 1001, ntsc},
        {"00:00:00:15", 500},  // 30 frames a second without a frame rate
        {"1.5s", 1500},
        {"2h", 7200000},
        {"1.25m", 75000},
        {"250ms", 250},
        {"50f", 2000, fps25},
        {"30f", 1001, ntsc},
        {"20000000t", 2000, ticks},
        {"3t", 3000},             // a tick is a second without any rate
        {"100t", 1000, subFrames},  // ticks are sub-frames when the frame rate is given
        {"", std::nullopt},
        {"1.5", std::nullopt},
        {"1.5x", std::nullopt},
        {"-1s", std::nullopt},
        {"1.s", std::nullopt},
        {"00:60:00", std::nullopt},
        {"00:00:1", std::nullopt},
        {"00:00:01.", std::nullopt},
        {"00:00:01:", std::nullopt},
        {"00:00:01:02:03", std::nullopt},
        {"1234567890123456s", std::nullopt},  // more digits than any time needs
    };
    for (const TimeCase& c : cases) {
        const auto ms = ttmlTimeMs(c.text, ttmlClockOf(c.clock));
        EXPECT_EQ(ms.has_value(), c.ms.has_value()) << c.text;
        if (ms && c.ms) EXPECT_NEAR(*ms, *c.ms, 1e-6) << c.text;
    }
}

TEST(TtmlTime, UnreadableRatesKeepTheDefaults) {
    std::string_view bad;
    const TtmlClock clock = ttmlClockOf({"0", "1000", std::nullopt, "x"}, &bad);
    EXPECT_EQ(clock.frameRate, 30);
    EXPECT_EQ(clock.tickRate, 1);
    EXPECT_FALSE(bad.empty());
}

}  // namespace
}  // namespace qucap
