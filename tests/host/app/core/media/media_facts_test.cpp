#include "app/core/media/media_facts.h"

#include <gtest/gtest.h>

#include <limits>

namespace qucap {
namespace {

TEST(MediaFactsTest, FrameDurationIsTruncatedTowardZero) {
    EXPECT_EQ(frameDurationOf(1.0 / 29.97), 333'667);      // 333 666.99…
    EXPECT_EQ(frameDurationOf(0.04), 400'000);
    EXPECT_EQ(frameDurationOf(0.0333333), 333'333);
    EXPECT_EQ(frameDurationOf(0.00000009), 0);            // below one unit
}

TEST(MediaFactsTest, FrameDurationWithoutARateIsZero) {
    EXPECT_EQ(frameDurationOf(0.0), 0);
    EXPECT_EQ(frameDurationOf(-0.04), 0);
    EXPECT_EQ(frameDurationOf(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(frameDurationOf(std::numeric_limits<double>::infinity()), 0);
    EXPECT_EQ(frameDurationOf(1e300), 0);
}

TEST(MediaFactsTest, TotalFramesRoundUpAPartFrame) {
    EXPECT_EQ(totalFrameCount(30'000'000, 333'667), 90);   // 89.91 frames
    EXPECT_EQ(totalFrameCount(4'000'000, 400'000), 10);    // exactly ten
    EXPECT_EQ(totalFrameCount(4'000'001, 400'000), 11);
    EXPECT_EQ(totalFrameCount(1, 400'000), 1);
}

TEST(MediaFactsTest, TotalFramesOfNoDurationOrNoFrameDurationAreZero) {
    EXPECT_EQ(totalFrameCount(0, 400'000), 0);
    EXPECT_EQ(totalFrameCount(-5, 400'000), 0);
    EXPECT_EQ(totalFrameCount(30'000'000, 0), 0);
    EXPECT_EQ(totalFrameCount(30'000'000, -1), 0);
    EXPECT_EQ(totalFrameCount(std::numeric_limits<int64_t>::max(), 1), std::numeric_limits<int64_t>::max());
}

TEST(MediaFactsTest, SetFrameFactsFillsBothFromTheDuration) {
    MediaFacts facts;
    facts.duration = 30'000'000;
    setFrameFacts(facts, 1.0 / 29.97);
    EXPECT_EQ(facts.frameDuration, 333'667);
    EXPECT_EQ(facts.totalFrames, 90);
    setFrameFacts(facts, 0.0);
    EXPECT_EQ(facts.frameDuration, 0);
    EXPECT_EQ(facts.totalFrames, 0);
}

}  // namespace
}  // namespace qucap
