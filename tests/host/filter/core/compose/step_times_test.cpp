// The filter's step stopwatch: laps land on their steps, nothing is read
// from the clock unless it was asked for, and enabling starts the sums anew.
#include "filter/core/compose/step_times.h"

#include <gtest/gtest.h>

namespace qucap {
namespace {

int64_t g_now = 0;
int g_reads = 0;
int64_t fakeClock() {
    ++g_reads;
    return g_now;
}

TEST(StepStopwatch, LapsAddTheTimeSinceTheLastLapToTheirStepOnlyWhenEnabled) {
    g_now = 100;
    g_reads = 0;
    StepStopwatch watch(fakeClock);
    watch.lap(SampleStep::Conversion);
    watch.countSample();
    EXPECT_EQ(g_reads, 0);  // off: no clock read at all
    EXPECT_EQ(watch.times().samples, 0);

    watch.enable(true);
    struct Lap {
        int64_t advance;
        SampleStep step;
    };
    for (const Lap lap : {Lap{5, SampleStep::Arrival}, Lap{7, SampleStep::Conversion}, Lap{3, SampleStep::Conversion},
                          Lap{0, SampleStep::Glyphs}, Lap{11, SampleStep::Delivery}}) {
        g_now += lap.advance;
        watch.lap(lap.step);
    }
    watch.countSample();
    SampleStepTimes want;
    want.nanoseconds[std::size_t(SampleStep::Arrival)] = 5;
    want.nanoseconds[std::size_t(SampleStep::Conversion)] = 10;
    want.nanoseconds[std::size_t(SampleStep::Delivery)] = 11;
    EXPECT_EQ(watch.times().nanoseconds, want.nanoseconds);
    EXPECT_EQ(watch.times().samples, 1);

    // Off keeps the sums for reading; on again clears them and counts from then.
    watch.enable(false);
    g_now += 50;
    watch.lap(SampleStep::Boxes);
    EXPECT_EQ(watch.times().nanoseconds, want.nanoseconds);
    watch.enable(true);
    g_now += 2;
    watch.lap(SampleStep::Boxes);
    SampleStepTimes fresh;
    fresh.nanoseconds[std::size_t(SampleStep::Boxes)] = 2;
    EXPECT_EQ(watch.times().nanoseconds, fresh.nanoseconds);
    EXPECT_EQ(watch.times().samples, 0);
}

}  // namespace
}  // namespace qucap
