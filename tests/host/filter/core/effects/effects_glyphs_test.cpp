// Glyphs blended into the frame by their coverage, with underline and strike.
#include <gtest/gtest.h>

#include "filter/core/effects/effects.h"
#include "tests/host/filter/core/effects/effects_fixtures.h"

namespace qucap {
namespace {

using test::bitmapOf;
using test::cellAt;
using test::solidBitmap;
using test::TestFrame;

constexpr uint32_t kBackground = colourRefOf(100, 150, 200);
constexpr uint32_t kBody = colourRefOf(255, 0, 10);

TEST(GlyphBlend, ChannelsFollowTheCoverage) {
    RowLayout layout;
    layout.cells[0].push_back(cellAt(3, 4, bitmapOf({{0, 1, 32, 64, 200}}), kBody));
    TestFrame frame(10, 10);
    frame.fill(kBackground);
    drawGlyphs(layout, 0, frame.buffer());
    EXPECT_EQ(frame.at(3, 4), kBackground);                 // coverage 0
    EXPECT_EQ(frame.at(4, 4), colourRefOf(101, 147, 196));  // 3 + 98, 0 + 147, 0 + 196
    EXPECT_EQ(frame.at(5, 4), colourRefOf(177, 75, 105));   // 127 + 50, 0 + 75, 5 + 100
    EXPECT_EQ(frame.at(6, 4), kBody);
    EXPECT_EQ(frame.at(7, 4), kBody);  // a byte above 64 counts as full coverage
    EXPECT_EQ(frame.at(8, 4), kBackground);
}

TEST(GlyphBlend, ReadsTheFrameAsDrawnSoFar) {
    RowLayout layout;
    layout.cells[1].push_back(cellAt(5, 5, solidBitmap(1, 1, 32), colourRefOf(255, 255, 255)));
    layout.cells[1].push_back(cellAt(5, 5, solidBitmap(1, 1, 32), colourRefOf(0, 0, 0)));
    TestFrame frame(10, 10);
    frame.fill(colourRefOf(100, 100, 100));
    drawGlyphs(layout, 1, frame.buffer());
    // White over grey gives 127 + 50 = 177; black over that gives 177 x 32 / 64 = 88.
    EXPECT_EQ(frame.at(5, 5), colourRefOf(88, 88, 88));
}

TEST(GlyphBlend, UnderlineAndStrikeInTheBodyColourAndOnlyTheTextAskedFor) {
    RowLayout layout;
    GlyphCell cell = cellAt(2, 2, solidBitmap(1, 1), kBody);
    cell.underline = PlacedBitmap{solidBitmap(3, 1), 2, 8};
    cell.strike = PlacedBitmap{solidBitmap(1, 1, 32), 8, 2};
    layout.cells[2].push_back(cell);
    layout.cells[3].push_back(cellAt(5, 5, solidBitmap(1, 1), colourRefOf(1, 2, 3)));
    TestFrame frame(10, 10);
    frame.fill(kBackground);
    drawGlyphs(layout, 2, frame.buffer());
    EXPECT_EQ(frame.at(2, 2), kBody);
    EXPECT_EQ(frame.at(2, 8), kBody);
    EXPECT_EQ(frame.at(4, 8), kBody);
    EXPECT_EQ(frame.at(5, 8), kBackground);
    EXPECT_EQ(frame.at(8, 2), colourRefOf(177, 75, 105));
    EXPECT_EQ(frame.at(5, 5), kBackground);  // text 3 not drawn

    const auto before = frame.bytes();
    drawGlyphs(layout, 4, frame.buffer());
    drawGlyphs(layout, -1, frame.buffer());
    EXPECT_EQ(frame.bytes(), before);
}

TEST(GlyphBlend, ClippedAtTheFrameEdgesInEveryFormat) {
    for (int32_t bits : {24, 32})
        for (bool topDown : {false, true}) {
            RowLayout layout;
            layout.cells[0].push_back(cellAt(-1, -1, solidBitmap(3, 3), kBody));
            layout.cells[0].push_back(cellAt(4, 3, solidBitmap(3, 3), kBody));
            TestFrame frame(5, 4, bits, topDown);
            frame.fill(kBackground);
            drawGlyphs(layout, 0, frame.buffer());
            for (int32_t y = 1; y <= 4; ++y)
                for (int32_t x = 1; x <= 5; ++x) {
                    const bool inked = (x == 1 && y == 1) || (x >= 4 && y >= 3);
                    EXPECT_EQ(frame.at(x, y), inked ? kBody : kBackground) << x << "," << y;
                    if (bits == 32) {
                        EXPECT_EQ(frame.fourthByte(x, y), 0x77);
                    }
                }
            EXPECT_TRUE(frame.untouchedOutside()) << bits << " " << topDown;
        }
}

}  // namespace
}  // namespace qucap
