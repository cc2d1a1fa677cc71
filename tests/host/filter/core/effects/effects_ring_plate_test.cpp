// The precomputed ring plate against the direct ring pass, byte for byte, and
// the area it reports.
#include <gtest/gtest.h>

#include <random>

#include "filter/core/effects/effects.h"
#include "filter/core/effects/ring_plate.h"
#include "tests/host/filter/core/effects/effects_fixtures.h"
#include "tests/support/fake_rasteriser.h"

namespace qucap {
namespace {

using test::borderOf;
using test::cellAt;
using test::solidBitmap;
using test::TestFrame;

CoverageBitmap randomBitmap(std::mt19937& random, int32_t maxSide) {
    std::uniform_int_distribution<int32_t> side(1, maxSide), coverage(0, 64), chance(0, 9);
    CoverageBitmap bitmap;
    bitmap.width = side(random);
    bitmap.height = side(random);
    bitmap.bytes.assign(std::size_t(bitmap.rowBytes()) * bitmap.height, 0);
    for (int32_t r = 0; r < bitmap.height; ++r)
        for (int32_t c = 0; c < bitmap.width; ++c)
            bitmap.bytes[std::size_t(r) * bitmap.rowBytes() + c] = uint8_t(chance(random) < 3 ? 0 : coverage(random));
    return bitmap;
}

// Cells scattered over and around a frame, overlapping one another, some
// with underline and strike, in a handful of border colours.
RowLayout randomLayout(std::mt19937& random, int32_t width, int32_t height, int32_t maxSide) {
    std::uniform_int_distribution<int32_t> count(0, 6), chance(0, 3);
    std::uniform_int_distribution<int32_t> x(-maxSide - 10, width + 10), y(-maxSide - 10, height + 10);
    const uint32_t colours[] = {0x00FFFFFF, 0x00000000, 0x000000FF, 0x00FF8000, 0x0012C3A4, 0x00808080};
    std::uniform_int_distribution<std::size_t> colour(0, std::size(colours) - 1);
    RowLayout layout;
    for (auto& cells : layout.cells) {
        for (int32_t i = count(random); i > 0; --i) {
            GlyphCell cell = cellAt(x(random), y(random), randomBitmap(random, maxSide), colours[colour(random)],
                                    colours[colour(random)], colours[colour(random)]);
            if (chance(random) == 0) cell.underline = PlacedBitmap{randomBitmap(random, maxSide), x(random), y(random)};
            if (chance(random) == 0) cell.strike = PlacedBitmap{randomBitmap(random, maxSide), x(random), y(random)};
            cells.push_back(std::move(cell));
        }
    }
    return layout;
}

struct FrameShape {
    int32_t width, height, bits;
    bool topDown;
};

// Draws the rings both ways over a frame that differs from its snapshot and
// expects the same bytes; also that the plate's bounds are exactly the area
// written, found as the pixels where the direct pass over a second frame,
// the first inverted, gives the same colour (the rings read the snapshot).
void expectSameAsDirect(const RowLayout& layout, const BorderSettings& border, const FrameShape& shape,
                        uint32_t seed) {
    TestFrame snapshot(shape.width, shape.height, shape.bits, shape.topDown);
    snapshot.fillPattern(seed);
    TestFrame direct(shape.width, shape.height, shape.bits, shape.topDown);
    direct.fillPattern(seed + 101);
    TestFrame plated(direct);
    TestFrame inverted(direct);
    for (int32_t py = 1; py <= shape.height; ++py)
        for (int32_t px = 1; px <= shape.width; ++px) inverted.set(px, py, ~direct.at(px, py) & 0x00FFFFFF);

    test::FakeRasteriser measurer;
    test::FakeCanvas canvas(direct.buffer());
    drawOutlineEffect(layout, border, FilterFonts{}, measurer, direct.buffer(), snapshot.buffer(), canvas);
    drawOutlineEffect(layout, border, FilterFonts{}, measurer, inverted.buffer(), snapshot.buffer(), canvas);
    RingPlate plate;
    plate.build(layout, border, shape.width, shape.height);
    plate.apply(plated.buffer(), snapshot.buffer());
    ASSERT_EQ(plated.bytes(), direct.bytes()) << "type " << border.type << " gradation " << border.gradation
                                              << " widths " << border.mainWidth << "/" << border.rubyWidth << " frame "
                                              << shape.width << "x" << shape.height << "x" << shape.bits;
    ASSERT_TRUE(direct.untouchedOutside());

    PixelRect written{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    bool any = false;
    for (int32_t py = 1; py <= shape.height; ++py)
        for (int32_t px = 1; px <= shape.width; ++px)
            if (direct.at(px, py) == inverted.at(px, py)) {
                any = true;
                written = {std::min(written.left, px - 1), std::min(written.top, py - 1), std::max(written.right, px),
                           std::max(written.bottom, py)};
            }
    EXPECT_EQ(plate.empty(), !any);
    EXPECT_EQ(plate.bounds(), any ? written : PixelRect{});
}

TEST(RingPlate, SameBytesAsTheDirectPassOverVariedLayouts) {
    std::mt19937 random(20240611);
    const FrameShape shapes[] = {{37, 23, 24, false}, {40, 31, 32, true}, {19, 45, 32, false}, {2, 2, 24, true},
                                 {3, 1, 32, false}};
    std::uniform_int_distribution<int32_t> width(1, 9);
    uint32_t seed = 0;
    for (const FrameShape& shape : shapes)
        for (int32_t type : {1, 2})
            for (int32_t gradation : {0, 1})
                for (int32_t mainWidth = 1; mainWidth <= 9; ++mainWidth) {
                    const RowLayout layout = randomLayout(random, shape.width, shape.height, 8);
                    expectSameAsDirect(layout, borderOf(type, gradation, mainWidth, width(random)), shape, ++seed);
                }
}

TEST(RingPlate, SameBytesForLargeGlyphsInALargeFrame) {
    std::mt19937 random(7);
    const RowLayout layout = randomLayout(random, 640, 360, 70);
    for (int32_t gradation : {0, 1}) expectSameAsDirect(layout, borderOf(1, gradation, 9, 5), {640, 360, 32, false}, 9);
}

TEST(RingPlate, BoundsOfTheTouchedArea) {
    RowLayout layout;
    layout.cells[0].push_back(cellAt(10, 10, solidBitmap(1, 1), 0, 0x00FFFFFF));
    RingPlate plate;
    plate.build(layout, borderOf(1, 0, 3, 1), 40, 30);
    EXPECT_EQ(plate.bounds(), (PixelRect{6, 6, 13, 13}));
    plate.build(layout, borderOf(2, 0, 4, 1), 40, 30);
    EXPECT_EQ(plate.bounds(), (PixelRect{9, 9, 14, 14}));
    plate.build(test::shifted(layout, -9, -9), borderOf(1, 0, 3, 1), 40, 30);
    EXPECT_EQ(plate.bounds(), (PixelRect{0, 0, 4, 4}));
    plate.build(test::shifted(layout, 27, 17), borderOf(1, 0, 3, 1), 40, 30);
    EXPECT_EQ(plate.bounds(), (PixelRect{33, 23, 40, 30}));
}

TEST(RingPlate, EmptyWhenNothingIsRinged) {
    RowLayout layout;
    layout.cells[0].push_back(cellAt(10, 10, solidBitmap(2, 2), 0, 0x00FFFFFF));
    RowLayout outside;
    outside.cells[1].push_back(cellAt(INT32_MAX - 3, INT32_MIN, solidBitmap(50, 50), 0, 0x00FFFFFF));
    outside.cells[2].push_back(cellAt(10, 10, solidBitmap(4, 4, 0), 0, 0x00FFFFFF));
    RingPlate plate;
    for (int32_t type : {3, 4, 0}) {
        plate.build(layout, borderOf(type, 0, 3, 1), 40, 30);
        EXPECT_TRUE(plate.empty()) << type;
    }
    plate.build(outside, borderOf(1, 0, 9, 9), 40, 30);
    EXPECT_TRUE(plate.empty());
    EXPECT_EQ(plate.bounds(), PixelRect{});

    // A rebuild forgets the previous row.
    plate.build(layout, borderOf(1, 1, 3, 1), 40, 30);
    EXPECT_FALSE(plate.empty());
    plate.build(outside, borderOf(1, 1, 3, 1), 40, 30);
    TestFrame frame(40, 30);
    const auto before = frame.bytes();
    plate.apply(frame.buffer(), frame.buffer());
    EXPECT_EQ(frame.bytes(), before);
}

TEST(RingPlate, AppliedToASmallerFrameWritesOnlyInsideIt) {
    RowLayout layout;
    layout.cells[0].push_back(cellAt(8, 8, solidBitmap(6, 6), 0, 0x00FFFFFF, 0x00FFFFFF));
    RingPlate plate;
    plate.build(layout, borderOf(1, 1, 9, 1), 40, 30);
    TestFrame frame(10, 9, 24);
    plate.apply(frame.buffer(), frame.buffer());
    EXPECT_EQ(frame.at(10, 9), 0x00FFFFFFu);
    EXPECT_TRUE(frame.untouchedOutside());

    // Blended rings need a snapshot of the frame's size.
    plate.build(layout, borderOf(1, 0, 9, 1), 40, 30);
    TestFrame other(10, 9, 24);
    const TestFrame smallSnapshot(5, 5, 24);
    const auto before = other.bytes();
    plate.apply(other.buffer(), smallSnapshot.buffer());
    EXPECT_EQ(other.bytes(), before);
}

}  // namespace
}  // namespace qucap
