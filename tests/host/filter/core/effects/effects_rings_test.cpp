// Rings and shadows drawn by drawOutlineEffect: colours, weights, order,
// blending against the snapshot, clipping and frame formats.
#include <gtest/gtest.h>

#include <climits>

#include "filter/core/effects/effects.h"
#include "tests/host/filter/core/effects/effects_fixtures.h"
#include "tests/support/fake_rasteriser.h"

namespace qucap {
namespace {

using test::bitmapOf;
using test::borderOf;
using test::cellAt;
using test::solidBitmap;
using test::TestFrame;

constexpr uint32_t kWhite = 0x00FFFFFF;
constexpr uint32_t kBlack = 0x00000000;
constexpr uint32_t grey(uint8_t v) { return colourRefOf(v, v, v); }

// Draws the outline of `layout` into `frame` against `snapshot`.
void outline(const RowLayout& layout, const BorderSettings& border, TestFrame& frame, const TestFrame& snapshot) {
    test::FakeRasteriser measurer;
    test::FakeCanvas canvas(frame.buffer());
    drawOutlineEffect(layout, border, FilterFonts{}, measurer, frame.buffer(), snapshot.buffer(), canvas);
}

void outline(const RowLayout& layout, const BorderSettings& border, TestFrame& frame) {
    const TestFrame snapshot(frame);
    outline(layout, border, frame, snapshot);
}

TEST(RoundBorder, BodyWidthThreeAndRubyWidthOneBlendWithTheirRingWeights) {
    RowLayout layout;
    layout.cells[0].push_back(cellAt(20, 15, solidBitmap(1, 1), kWhite, kWhite, kBlack));
    layout.cells[1].push_back(cellAt(5, 5, solidBitmap(1, 1), kWhite, kWhite, colourRefOf(200, 0, 0)));
    TestFrame frame(40, 30);
    frame.fill(grey(100));
    outline(layout, borderOf(1, 0, 3, 1), frame);

    // Body: ring colours 254, 127, 0 (step 255 / 2) at weights 48, 32, 16 over grey 100.
    EXPECT_EQ(frame.at(20, 15), grey(215));  // 254 x 48 / 64 + 100 x 16 / 64 = 190 + 25
    EXPECT_EQ(frame.at(21, 15), grey(215));
    EXPECT_EQ(frame.at(22, 15), grey(113));  // 127 x 32 / 64 + 100 x 32 / 64 = 63 + 50
    EXPECT_EQ(frame.at(23, 15), grey(75));   // 0 + 100 x 48 / 64
    EXPECT_EQ(frame.at(24, 15), grey(100));
    EXPECT_EQ(frame.at(22, 17), grey(113));  // offset (2, 2): ring 2
    EXPECT_EQ(frame.at(22, 18), grey(75));   // offset (2, 3): ring 3
    EXPECT_EQ(frame.at(23, 18), grey(100));  // offset (3, 3): ring 4, beyond width 3
    EXPECT_EQ(frame.at(17, 12), grey(100));
    // Ruby: ring 1 only, in its border-start colour at weight 48, whatever its border-end colour.
    EXPECT_EQ(frame.at(5, 5), grey(216));  // 255 x 48 / 64 + 25 = 191 + 25
    EXPECT_EQ(frame.at(4, 6), grey(216));
    EXPECT_EQ(frame.at(7, 5), grey(100));
    EXPECT_TRUE(frame.untouchedOutside());
}

TEST(RoundBorder, GradedRingsAreOpaqueWithGradationOne) {
    RowLayout layout;
    layout.cells[0].push_back(cellAt(20, 15, solidBitmap(1, 1), kWhite, kWhite, kBlack));
    TestFrame frame(40, 30);
    frame.fillPattern(3);
    const TestFrame before(frame);
    outline(layout, borderOf(1, 1, 5, 1), frame);
    EXPECT_EQ(frame.at(20, 15), grey(252));
    EXPECT_EQ(frame.at(21, 15), grey(252));
    EXPECT_EQ(frame.at(23, 15), grey(126));  // ring 3
    EXPECT_EQ(frame.at(24, 15), grey(63));   // ring 4
    EXPECT_EQ(frame.at(25, 15), grey(0));    // ring 5: the border-end colour
    EXPECT_EQ(frame.at(20, 10), grey(0));
    EXPECT_EQ(frame.at(26, 15), before.at(26, 15));
}

TEST(RoundBorder, RingsBlendAgainstTheSnapshotAndTheLastWriteWins) {
    RowLayout layout;
    layout.cells[0].push_back(cellAt(10, 10, solidBitmap(1, 1), kWhite, colourRefOf(255, 0, 0)));
    layout.cells[0].push_back(cellAt(11, 10, solidBitmap(1, 1), kWhite, colourRefOf(0, 0, 255)));
    TestFrame snapshot(20, 20);
    snapshot.fill(grey(100));
    TestFrame frame(20, 20);
    frame.fill(grey(10));
    outline(layout, borderOf(1, 0, 1, 1), frame, snapshot);
    EXPECT_EQ(frame.at(9, 10), colourRefOf(216, 25, 25));
    // Ring 1 of both cells: the second cell's ring, blended once with the snapshot.
    EXPECT_EQ(frame.at(10, 10), colourRefOf(25, 25, 216));
    EXPECT_EQ(frame.at(11, 11), colourRefOf(25, 25, 216));
    EXPECT_EQ(frame.at(12, 10), colourRefOf(25, 25, 216));
    EXPECT_EQ(frame.at(13, 10), grey(10));  // not ringed: the frame as it was
}

TEST(RoundBorder, EveryTextGetsARingBeforeAnyTextGetsTheNextInnerRing) {
    RowLayout layout;
    layout.cells[0].push_back(cellAt(10, 10, solidBitmap(1, 1), kWhite, kWhite, kBlack));
    layout.cells[1].push_back(cellAt(13, 10, solidBitmap(1, 1), kWhite, colourRefOf(255, 0, 0), colourRefOf(0, 255, 0)));
    TestFrame frame(20, 20);
    frame.fill(grey(100));
    outline(layout, borderOf(1, 1, 2, 2), frame);
    EXPECT_EQ(frame.at(11, 10), kWhite);                  // body ring 1 over the ruby's ring 2
    EXPECT_EQ(frame.at(12, 10), colourRefOf(255, 0, 0));  // ruby ring 1 over the body's ring 2
    EXPECT_EQ(frame.at(8, 10), kBlack);                   // body ring 2
    EXPECT_EQ(frame.at(15, 10), colourRefOf(0, 255, 0));  // ruby ring 2
}

TEST(Shadow, CopiesStepFromTheOutermostInwardThenTheGlyphOnTop) {
    RowLayout layout;
    layout.cells[0].push_back(
        cellAt(10, 10, bitmapOf({{64, 0, 0}, {0, 64, 0}, {0, 0, 64}}), colourRefOf(10, 20, 30), kWhite, kBlack));
    TestFrame frame(30, 30);
    frame.fill(grey(100));
    outline(layout, borderOf(2, 1, 4, 1), frame);
    drawGlyphs(layout, 0, frame.buffer());
    // Ring colours 255, 170, 85, 0 for rings 1 to 4: on the diagonal the innermost copy wins.
    const uint32_t expected[] = {colourRefOf(10, 20, 30), colourRefOf(10, 20, 30), colourRefOf(10, 20, 30),
                                 grey(255), grey(170), grey(85), grey(0), grey(100)};
    for (int d = 0; d < 8; ++d) EXPECT_EQ(frame.at(10 + d, 10 + d), expected[d]) << d;
    EXPECT_EQ(frame.at(11, 10), grey(100));
    EXPECT_EQ(frame.at(9, 9), grey(100));
    EXPECT_EQ(frame.at(14, 13), grey(100));
}

TEST(RoundBorder, OnlyInkIsRingedAndAnyCoverageCountsAsInk) {
    RowLayout layout;
    layout.cells[0].push_back(cellAt(10, 10, bitmapOf({{64, 0, 0, 0, 1}}), kWhite, kWhite));
    layout.cells[0].push_back(cellAt(10, 15, solidBitmap(3, 3, 0), kWhite, kWhite));
    TestFrame frame(20, 20);
    frame.fill(grey(100));
    outline(layout, borderOf(1, 1, 1, 1), frame);
    EXPECT_EQ(frame.at(11, 10), kWhite);
    EXPECT_EQ(frame.at(12, 10), grey(100));
    EXPECT_EQ(frame.at(13, 10), kWhite);
    EXPECT_EQ(frame.at(15, 11), kWhite);
    for (int32_t y = 14; y <= 18; ++y)
        for (int32_t x = 9; x <= 13; ++x) EXPECT_EQ(frame.at(x, y), grey(100)) << x << "," << y;
}

TEST(RoundBorder, UnderlineAndStrikeAreRingedInTheCellsColour) {
    RowLayout layout;
    GlyphCell cell = cellAt(5, 5, solidBitmap(2, 2, 0), kWhite, colourRefOf(255, 0, 0));
    cell.underline = PlacedBitmap{solidBitmap(1, 1), 20, 5};
    cell.strike = PlacedBitmap{solidBitmap(1, 1), 5, 20};
    layout.cells[2].push_back(cell);
    TestFrame frame(30, 30);
    frame.fill(grey(100));
    outline(layout, borderOf(1, 1, 1, 1), frame);
    EXPECT_EQ(frame.at(19, 4), colourRefOf(255, 0, 0));
    EXPECT_EQ(frame.at(21, 6), colourRefOf(255, 0, 0));
    EXPECT_EQ(frame.at(5, 21), colourRefOf(255, 0, 0));
    EXPECT_EQ(frame.at(5, 5), grey(100));
    EXPECT_EQ(frame.at(22, 5), grey(100));
}

// A row whose cells run off all four edges of an 8 x 6 frame.
RowLayout edgeLayout() {
    RowLayout layout;
    const auto pattern = bitmapOf({{64, 30, 64}, {0, 64, 12}, {64, 0, 64}});
    layout.cells[0].push_back(cellAt(-1, -1, pattern, colourRefOf(200, 10, 90), colourRefOf(255, 0, 0), kBlack));
    layout.cells[0].push_back(cellAt(7, 5, pattern, colourRefOf(20, 210, 90), kWhite, colourRefOf(0, 0, 255)));
    layout.cells[1].push_back(cellAt(-2, 3, pattern, colourRefOf(0, 0, 250), colourRefOf(0, 255, 0), kBlack));
    GlyphCell top = cellAt(5, -2, pattern, kWhite, colourRefOf(9, 99, 199), kWhite);
    top.underline = PlacedBitmap{solidBitmap(4, 1), 5, 7};
    layout.cells[3].push_back(top);
    return layout;
}

TEST(OutlineClipping, AFrameShowsExactlyItsWindowOfALargerFrame) {
    constexpr int32_t kShift = 16;
    for (const BorderSettings& border : {borderOf(1, 0, 3, 2), borderOf(1, 1, 9, 9), borderOf(2, 0, 5, 3)}) {
        const RowLayout layout = edgeLayout();
        TestFrame small(8, 6), large(40, 40);
        large.fillPattern(1);
        for (int32_t y = 1; y <= 6; ++y)
            for (int32_t x = 1; x <= 8; ++x) small.set(x, y, large.at(x + kShift, y + kShift));
        outline(layout, border, small);
        outline(test::shifted(layout, kShift, kShift), border, large);
        for (int k = 0; k < 4; ++k) {
            drawGlyphs(layout, k, small.buffer());
            drawGlyphs(test::shifted(layout, kShift, kShift), k, large.buffer());
        }
        for (int32_t y = 1; y <= 6; ++y)
            for (int32_t x = 1; x <= 8; ++x)
                EXPECT_EQ(small.at(x, y), large.at(x + kShift, y + kShift)) << "type " << border.type << " " << x << "," << y;
        EXPECT_TRUE(small.untouchedOutside());
    }
}

TEST(OutlineClipping, PositionsFarOutsideWriteNothing) {
    RowLayout layout;
    for (int32_t x : {INT32_MIN, INT32_MIN + 3, -100, 200, INT32_MAX - 50, INT32_MAX})
        for (int32_t y : {INT32_MIN, -50, 5, 300, INT32_MAX - 1}) {
            GlyphCell cell = cellAt(x, y, solidBitmap(80, 3), kWhite, kWhite);
            cell.underline = PlacedBitmap{solidBitmap(7, 7), y, x};
            layout.cells[0].push_back(cell);
        }
    for (const BorderSettings& border : {borderOf(1, 0, 9, 9), borderOf(2, 1, 9, 9)}) {
        TestFrame frame(33, 21, 32);
        frame.fillPattern(5);
        const auto before = frame.bytes();
        outline(layout, border, frame);
        for (int k = 0; k < 4; ++k) drawGlyphs(layout, k, frame.buffer());
        EXPECT_EQ(frame.bytes(), before);
    }
}

TEST(OutlineClipping, TinyFramesAndBitmapsShorterThanTheyClaim) {
    RowLayout layout;
    layout.cells[0].push_back(cellAt(0, 0, solidBitmap(3, 3), kWhite, kWhite, kWhite));
    TestFrame tiny(2, 2, 24, true);
    tiny.fill(grey(1));
    outline(layout, borderOf(1, 1, 9, 9), tiny);
    for (int32_t y = 1; y <= 2; ++y)
        for (int32_t x = 1; x <= 2; ++x) EXPECT_EQ(tiny.at(x, y), kWhite);
    EXPECT_TRUE(tiny.untouchedOutside());

    // Claims 10 rows but holds 2: only the rows it holds are ringed.
    RowLayout shortLayout;
    CoverageBitmap truncated = solidBitmap(4, 10);
    truncated.bytes.resize(8);
    shortLayout.cells[0].push_back(cellAt(10, 10, truncated, kWhite, kWhite));
    TestFrame frame(30, 30);
    outline(shortLayout, borderOf(1, 1, 1, 1), frame);
    EXPECT_EQ(frame.at(10, 12), kWhite);
    EXPECT_EQ(frame.at(10, 13), kBlack);
}

TEST(OutlineFormats, ThirtyTwoBitPixelsKeepTheirFourthByteAndTopDownRowsAreAddressedByPicture) {
    RowLayout layout;
    layout.cells[0].push_back(cellAt(1, 1, solidBitmap(2, 2), kWhite, colourRefOf(1, 2, 3)));
    TestFrame bottomUp(9, 7, 32), topDown(9, 7, 32, true);
    bottomUp.fill(grey(50));
    topDown.fill(grey(50));
    outline(layout, borderOf(1, 0, 2, 1), bottomUp);
    outline(layout, borderOf(1, 0, 2, 1), topDown);
    for (int32_t y = 1; y <= 7; ++y)
        for (int32_t x = 1; x <= 9; ++x) {
            EXPECT_EQ(bottomUp.at(x, y), topDown.at(x, y)) << x << "," << y;
            const bool ringed = x <= 4 && y <= 4;
            EXPECT_EQ(bottomUp.at(x, y) != grey(50), ringed) << x << "," << y;
            EXPECT_EQ(bottomUp.fourthByte(x, y), 0x77) << x << "," << y;
        }
    // The top-left pixel is the first in memory of a top-down frame and the last row's first of a bottom-up one.
    EXPECT_NE(topDown.buffer().bits[0], 50);
    EXPECT_NE(bottomUp.buffer().bits[std::size_t(6) * bottomUp.buffer().stride], 50);
    EXPECT_EQ(bottomUp.buffer().bits[0], 50);
}

TEST(OutlineEffect, NoRingsForTypeThreeOrWithoutAMatchingSnapshot) {
    RowLayout layout;
    layout.cells[0].push_back(cellAt(5, 5, solidBitmap(2, 2), kWhite, kWhite, kWhite));
    TestFrame frame(20, 20);
    frame.fillPattern(2);
    const auto before = frame.bytes();
    outline(layout, borderOf(3, 0, 3, 3), frame);
    EXPECT_EQ(frame.bytes(), before);

    const TestFrame smallSnapshot(10, 10);
    outline(layout, borderOf(1, 0, 3, 3), frame, smallSnapshot);
    EXPECT_EQ(frame.bytes(), before);
    // Opaque rings need no snapshot.
    outline(layout, borderOf(1, 1, 3, 3), frame, smallSnapshot);
    EXPECT_EQ(frame.at(5, 5), kWhite);
}

}  // namespace
}  // namespace qucap
