#include "app/core/media/synthesis_progress.h"

#include <gtest/gtest.h>

#include <limits>

namespace qucap {
namespace {

TEST(SynthesisProgressTest, TextIsEmptyUpToZeroAndStopsAtHundred) {
    EXPECT_EQ(progressText(-3), u"");
    EXPECT_EQ(progressText(0), u"");
    EXPECT_EQ(progressText(1), u"1%");
    EXPECT_EQ(progressText(57), u"57%");
    EXPECT_EQ(progressText(100), u"100%");
    EXPECT_EQ(progressText(140), u"100%");
}

TEST(SynthesisProgressTest, BarWidthIsTheShareOfTheFullWidth) {
    EXPECT_EQ(progressBarWidth(0, 393), 0);
    EXPECT_EQ(progressBarWidth(50, 393), 196);
    EXPECT_EQ(progressBarWidth(100, 393), 393);
    EXPECT_EQ(progressBarWidth(250, 393), 393);
    EXPECT_EQ(progressBarWidth(-20, 393), 0);
}

TEST(SynthesisProgressTest, RunningTextNamesTheFileWithoutItsFolder) {
    EXPECT_EQ(runningText(u"D:\\出力\\字幕付き.avi"), u"字幕付き.avi 処理中");
    EXPECT_EQ(runningText(u"out.avi"), u"out.avi 処理中");
}

TEST(SynthesisProgressTest, PercentUsesTheMuxDurationThenTheInputs) {
    EXPECT_EQ(progressPercent(15'000'000, 30'000'000, 60'000'000), 50);
    EXPECT_EQ(progressPercent(15'000'000, 0, 60'000'000), 25);
    EXPECT_EQ(progressPercent(15'000'000, -1, 60'000'000), 25);
    EXPECT_EQ(progressPercent(29'999'999, 30'000'000, 0), 99);
    EXPECT_EQ(progressPercent(0, 30'000'000, 0), 0);
    EXPECT_EQ(progressPercent(15'000'000, 0, 0), std::nullopt);
    EXPECT_EQ(progressPercent(15'000'000, -5, -5), std::nullopt);
    // Very long movies: position × 100 would overflow 64 bits.
    EXPECT_EQ(progressPercent(3'000'000'000'000'000'000, 9'000'000'000'000'000'000, 0), 33);
    EXPECT_EQ(progressPercent(std::numeric_limits<int64_t>::max(), std::numeric_limits<int64_t>::max(), 0), 100);
}

TEST(SynthesisProgressTest, ElapsedTimeTextAndMidnight) {
    EXPECT_EQ(timeOfDay(13, 5, 9), 47'109'000);
    EXPECT_EQ(elapsedTime(timeOfDay(13, 5, 9), timeOfDay(14, 7, 10)), 3'721'000);
    EXPECT_EQ(finishedText(3'721'000), u"処理終了 処理時間：01:02:01");
    EXPECT_EQ(finishedText(0), u"処理終了 処理時間：00:00:00");
    // 23:59:50 to 0:00:20 is thirty seconds, not a negative time.
    EXPECT_EQ(elapsedTime(timeOfDay(23, 59, 50), timeOfDay(0, 0, 20)), 30'000);
    EXPECT_EQ(finishedText(elapsedTime(timeOfDay(23, 59, 50), timeOfDay(0, 0, 20))), u"処理終了 処理時間：00:00:30");
}

}  // namespace
}  // namespace qucap
