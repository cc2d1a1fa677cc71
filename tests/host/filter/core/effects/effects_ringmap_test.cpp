// The fixed ring maps, the opacity table and the ring colours of a graded border.
#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>
#include <vector>

#include "filter/core/effects/ring_maps.h"
#include "filter/core/frame.h"

namespace qucap {
namespace {

TEST(RoundRingMap, IsSymmetricInBothAxesAndUnderExchange) {
    for (int32_t dy = -9; dy <= 9; ++dy)
        for (int32_t dx = -9; dx <= 9; ++dx) {
            const int32_t ring = roundRingAt(dx, dy);
            EXPECT_EQ(roundRingAt(-dx, dy), ring) << dx << "," << dy;
            EXPECT_EQ(roundRingAt(dx, -dy), ring) << dx << "," << dy;
            EXPECT_EQ(roundRingAt(dy, dx), ring) << dx << "," << dy;
        }
}

TEST(RoundRingMap, EntriesAsTabled) {
    // Ring 1 is the 3 x 3 square around the ink pixel.
    for (int32_t dy = -1; dy <= 1; ++dy)
        for (int32_t dx = -1; dx <= 1; ++dx) EXPECT_EQ(roundRingAt(dx, dy), 1);
    EXPECT_EQ(roundRingAt(2, 2), 2);
    EXPECT_EQ(roundRingAt(2, 3), 3);
    EXPECT_EQ(roundRingAt(3, 3), 4);
    EXPECT_EQ(roundRingAt(-6, -3), 7);
    EXPECT_EQ(roundRingAt(-5, -5), 6);
    EXPECT_EQ(roundRingAt(-4, -8), 9);
    EXPECT_EQ(roundRingAt(-3, -9), 9);
    EXPECT_EQ(roundRingAt(-4, -9), 0);  // corners belong to no ring
    EXPECT_EQ(roundRingAt(-9, -4), 0);
    EXPECT_EQ(roundRingAt(-7, -7), 0);
    EXPECT_EQ(roundRingAt(10, 0), 0);
    EXPECT_EQ(roundRingAt(0, -10), 0);
}

TEST(RoundRingMap, RingSizesAndReach) {
    const int expectedCounts[] = {9, 16, 20, 24, 32, 40, 52, 48, 52};
    for (int32_t ring = 1; ring <= 9; ++ring) {
        const auto& offsets = ringOffsets(1, ring);
        EXPECT_EQ(int(offsets.size()), expectedCounts[ring - 1]) << "ring " << ring;
        for (const RingOffset& o : offsets) {
            EXPECT_EQ(roundRingAt(o.dx, o.dy), ring);
            EXPECT_LE(std::abs(o.dx), ring);  // the drawing loop runs dx and dy from -a to a
            EXPECT_LE(std::abs(o.dy), ring);
        }
    }
}

TEST(RingOffsets, OrderedByDyThenDxAndSpansCoverTheSameOffsets) {
    for (int32_t type = 1; type <= 2; ++type)
        for (int32_t ring = 1; ring <= 9; ++ring) {
            const auto& offsets = ringOffsets(type, ring);
            for (std::size_t i = 1; i < offsets.size(); ++i) {
                const auto before = std::make_pair(offsets[i - 1].dy, offsets[i - 1].dx);
                EXPECT_LT(before, std::make_pair(offsets[i].dy, offsets[i].dx));
            }
            std::vector<RingOffset> fromSpans;
            for (const RingSpan& span : ringSpans(type, ring))
                for (int32_t dx = span.dxFirst; dx <= span.dxLast; ++dx) fromSpans.push_back({dx, span.dy});
            EXPECT_EQ(fromSpans, offsets) << "type " << type << " ring " << ring;
        }
}

TEST(ShadowRingMap, StepsDownAndRight) {
    EXPECT_EQ(ringOffsets(2, 1), (std::vector<RingOffset>{{0, 0}, {1, 1}}));
    for (int32_t ring = 2; ring <= 9; ++ring) EXPECT_EQ(ringOffsets(2, ring), (std::vector<RingOffset>{{ring, ring}}));
    EXPECT_TRUE(ringOffsets(3, 1).empty());
    EXPECT_TRUE(ringOffsets(4, 1).empty());
    EXPECT_TRUE(ringOffsets(1, 10).empty());
    EXPECT_TRUE(ringOffsets(1, 0).empty());
}

TEST(RingOpacity, TableAndBlendWeights) {
    const int table[9][9] = {
        {64}, {64, 32}, {64, 43, 22}, {64, 48, 32, 16}, {64, 51, 38, 25, 12}, {64, 53, 42, 31, 20, 9},
        {64, 55, 46, 37, 28, 19, 10}, {64, 56, 48, 40, 32, 24, 16, 8}, {64, 57, 50, 43, 36, 29, 22, 15, 8},
    };
    for (int32_t width = 1; width <= 9; ++width)
        for (int32_t ring = 1; ring <= 9; ++ring) {
            const int expected = ring <= width ? table[width - 1][ring - 1] : 0;
            EXPECT_EQ(ringOpacity(width, ring), expected) << width << "/" << ring;
            EXPECT_EQ(ringWeight(width, ring), expected * 48 / 64);
        }
    // Width 3: rings 3, 2, 1 blend with weights 16, 32, 48.
    EXPECT_EQ(ringWeight(3, 3), 16);
    EXPECT_EQ(ringWeight(3, 2), 32);
    EXPECT_EQ(ringWeight(3, 1), 48);
    EXPECT_EQ(ringOpacity(0, 1), 0);
    EXPECT_EQ(ringOpacity(10, 1), 0);
}

TEST(RingColour, WidthOneIsTheBorderStartColour) {
    EXPECT_EQ(ringColour(0x00123456, 0x00ABCDEF, 1, 1), 0x00123456u);
    EXPECT_EQ(ringColour(0x00123456, 0x00ABCDEF, 0, 1), 0x00123456u);
}

TEST(RingColour, WhiteToBlackOverFiveRings) {
    const uint32_t white = colourRefOf(255, 255, 255), black = 0;
    // Step 255 / 4 = 63: ring 1 is 63 x 4 = 252, ring 5 the end colour.
    EXPECT_EQ(ringColour(white, black, 5, 1), colourRefOf(252, 252, 252));
    EXPECT_EQ(ringColour(white, black, 5, 2), colourRefOf(189, 189, 189));
    EXPECT_EQ(ringColour(white, black, 5, 3), colourRefOf(126, 126, 126));
    EXPECT_EQ(ringColour(white, black, 5, 5), black);
}

TEST(RingColour, ChannelsSeparatelyWithTruncationTowardZero) {
    // Red falls from 101 to 0: step -101 / 2 = -50 (not -51), ring 1 = 101 - 100 = 1.
    // Green rises from 0 to 200: step 100. Blue stays at 7.
    const uint32_t start = colourRefOf(0, 200, 7), end = colourRefOf(101, 0, 7);
    EXPECT_EQ(ringColour(start, end, 3, 3), colourRefOf(101, 0, 7));
    EXPECT_EQ(ringColour(start, end, 3, 2), colourRefOf(51, 100, 7));
    EXPECT_EQ(ringColour(start, end, 3, 1), colourRefOf(1, 200, 7));
}

}  // namespace
}  // namespace qucap
