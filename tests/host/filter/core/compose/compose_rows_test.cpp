// Which caption row and box row a time shows, and how boxes are limited to
// the frame and blended into it.
#include <vector>

#include "filter/core/compose/boxes.h"
#include "tests/host/filter/core/compose/compose_fixture.h"

namespace qucap {
namespace {

using test::Bgr;

CaptionRow captionAt(int32_t number, int32_t start, int32_t duration) {
    CaptionRow row;
    row.number = number;
    row.start = start;
    row.duration = duration;
    return row;
}

BoxRow boxAt(int32_t number, int32_t start, int32_t end) {
    BoxRow row;
    row.number = number;
    row.startTime = start;
    row.endTime = end;
    return row;
}

TEST(FindRows, ACaptionIsShownFromItsStartToItsEndInclusive) {
    const CaptionTable captions = {captionAt(1, 1000, 2000)};
    EXPECT_EQ(findRows(captions, {}, 999).caption, -1);
    EXPECT_EQ(findRows(captions, {}, 1000).caption, 0);
    EXPECT_EQ(findRows(captions, {}, 3000).caption, 0);
    EXPECT_EQ(findRows(captions, {}, 3001).caption, -1);
    EXPECT_EQ(findRows(captions, {}, 2000).box, -1);
}

TEST(FindRows, TheFirstMatchingSlotWinsAndUnusedOrUntimedSlotsAreSkipped) {
    const CaptionTable captions = {
        captionAt(0, 500, 5000),   // an empty slot
        captionAt(-1, 500, 5000),
        captionAt(2, 0, 0),        // no time set: never shown, not even at 0
        captionAt(3, 1000, 4000),
        captionAt(4, 2000, 1000),  // overlaps row 3, later in the table
    };
    EXPECT_EQ(findRows(captions, {}, 0).caption, -1);
    EXPECT_EQ(findRows(captions, {}, 2500).caption, 3);
    // A start of 0 with a duration counts as set; so does a duration alone
    // even when the row ends before 0.
    EXPECT_EQ(findRows({captionAt(1, 0, 100)}, {}, 0).caption, 0);
    EXPECT_EQ(findRows({captionAt(1, -100, 50)}, {}, -60).caption, 0);
    EXPECT_EQ(findRows({}, {}, 0).caption, -1);
}

TEST(FindRows, BoxRowsNeedAStartOrEndAboveZero) {
    const BoxTable boxes = {boxAt(1, 0, 0), boxAt(0, 100, 900), boxAt(2, 0, 500), boxAt(3, 200, 800)};
    EXPECT_EQ(findRows({}, boxes, 0).box, 2);
    EXPECT_EQ(findRows({}, boxes, 300).box, 2);
    EXPECT_EQ(findRows({}, boxes, 501).box, 3);
    EXPECT_EQ(findRows({}, boxes, 800).box, 3);
    EXPECT_EQ(findRows({}, boxes, 801).box, -1);
    EXPECT_EQ(findRows({}, {boxAt(1, 0, 0)}, 0).box, -1);
    // Both are found independently.
    const FoundRows both = findRows({captionAt(1, 100, 100)}, boxes, 150);
    EXPECT_EQ(both.caption, 0);
    EXPECT_EQ(both.box, 2);
}

TEST(FindRows, TheEndOfALongRowDoesNotWrapAround) {
    const CaptionTable captions = {captionAt(1, INT32_MAX - 10, INT32_MAX)};
    EXPECT_EQ(findRows(captions, {}, INT32_MAX).caption, 0);
    EXPECT_EQ(findRows(captions, {}, 0).caption, -1);
}

TEST(Boxes, ColoursByNameAndBlackForAnyOther) {
    const std::pair<std::u16string_view, uint32_t> expected[] = {
        {u"赤", 0x0000FF}, {u"緑", 0x00FF00}, {u"青", 0xFF0000}, {u"黄", 0x00FFFF}, {u"桃", 0xFF00FF},
        {u"水", 0xFFFF00}, {u"黒", 0x000000}, {u"白", 0xFFFFFF}, {u"紫", 0}, {u"", 0}, {u"赤赤", 0},
    };
    for (const auto& [name, colour] : expected) EXPECT_EQ(boxColourOf(name), colour);
}

TEST(Boxes, GeometryIsLimitedInTheGivenOrder) {
    const int32_t w = 720, h = 480;
    EXPECT_EQ(limitedBox({10, 20, 30, 40}, w, h), (BoxRect{10, 20, 30, 40}));
    EXPECT_EQ(limitedBox({720, 480, 1, 1}, w, h), (BoxRect{720, 480, 1, 1}));
    // x outside 1..W becomes 0; the width is then tested from 0.
    EXPECT_EQ(limitedBox({w + 5, 10, 50, 10}, w, h), (BoxRect{0, 10, 50, 10}));
    EXPECT_EQ(limitedBox({0, 0, 5, 5}, w, h), (BoxRect{0, 0, 5, 5}));
    EXPECT_EQ(limitedBox({-3, -3, 5, 5}, w, h), (BoxRect{0, 0, 5, 5}));
    // An end past W + 1 (or before 1) drops the whole width.
    EXPECT_EQ(limitedBox({700, 470, 21, 11}, w, h), (BoxRect{700, 470, 21, 11}));
    EXPECT_EQ(limitedBox({700, 470, 22, 12}, w, h), (BoxRect{700, 470, 0, 0}));
    EXPECT_EQ(limitedBox({10, 10, -10, -10}, w, h), (BoxRect{10, 10, 0, 0}));
    EXPECT_EQ(limitedBox({10, 10, INT32_MAX, INT32_MAX}, w, h), (BoxRect{10, 10, 0, 0}));
    EXPECT_EQ(limitedBox({INT32_MIN, INT32_MAX, INT32_MAX, 1}, w, h), (BoxRect{0, 0, 0, 1}));
}

// A frame of 3- or 4-byte pixels in its own memory, every pixel (40, 80, 120).
struct TestFrame {
    std::vector<uint8_t> memory;
    FrameBuffer buffer;
    TestFrame(int32_t width, int32_t height, int32_t bytesPerPixel, bool topDown = false) {
        buffer.width = width;
        buffer.height = height;
        buffer.bytesPerPixel = bytesPerPixel;
        buffer.stride = rowBytesOf(width, bytesPerPixel * 8);
        buffer.topDown = topDown;
        memory.assign(buffer.byteSize(), 0);
        buffer.bits = memory.data();
        for (int32_t y = 1; y <= height; ++y)
            for (int32_t x = 1; x <= width; ++x) set(x, y, {40, 80, 120}, 0x99);
    }
    void set(int32_t x, int32_t y, Bgr bgr, uint8_t fourth = 0) {
        uint8_t* p = buffer.pixel(x, y);
        for (int c = 0; c < 3; ++c) p[c] = uint8_t(bgr[c]);
        if (buffer.bytesPerPixel == 4) p[3] = fourth;
    }
    Bgr at(int32_t x, int32_t y) const {
        const uint8_t* p = buffer.pixel(x, y);
        return {p[0], p[1], p[2]};
    }
    uint8_t fourthAt(int32_t x, int32_t y) const { return buffer.pixel(x, y)[3]; }
};

BoxRow whiteBox(BoxRect box1, int32_t transparency, BoxRect box2 = {}) {
    BoxRow row = boxAt(1, 1, 2);
    row.boxes = {box1, box2};
    row.colour = u"白";
    row.transparency = transparency;
    return row;
}

TEST(Boxes, TransparencyWeighsTheBoxAgainstThePicture) {
    // Against (40, 80, 120): 0 keeps it, 64 replaces it, 32 is the truncated
    // average ((255 x 32) / 64 = 127, plus 20, 40, 60), 16 a quarter.
    const std::pair<int32_t, Bgr> cases[] = {
        {0, {40, 80, 120}}, {64, {255, 255, 255}}, {32, {147, 167, 187}}, {16, {93, 123, 153}},
        {100, {255, 255, 255}}, {-5, {40, 80, 120}},  // kept within 0..64
    };
    for (const auto& [t, expected] : cases) {
        TestFrame frame(4, 3, 4);
        drawBoxes(whiteBox({2, 2, 1, 1}, t), 4, 3, frame.buffer, nullptr);
        EXPECT_EQ(frame.at(2, 2), expected) << t;
        EXPECT_EQ(frame.fourthAt(2, 2), 0x99) << t;  // kept: players read it as alpha
        EXPECT_EQ(frame.at(1, 2), (Bgr{40, 80, 120}));
        EXPECT_EQ(frame.fourthAt(1, 2), 0x99);  // pixels outside the box untouched
    }
}

TEST(Boxes, TheBoxCoversItsRectangleInFrameCoordinatesBothWaysUp) {
    for (bool topDown : {false, true}) {
        TestFrame frame(6, 5, 3, topDown);
        drawBoxes(whiteBox({2, 3, 3, 2}, 64), 6, 5, frame.buffer, nullptr);
        for (int32_t y = 1; y <= 5; ++y)
            for (int32_t x = 1; x <= 6; ++x) {
                const bool inside = x >= 2 && x <= 4 && y >= 3 && y <= 4;
                EXPECT_EQ(frame.at(x, y), (inside ? Bgr{255, 255, 255} : Bgr{40, 80, 120})) << x << "," << y;
            }
    }
}

TEST(Boxes, ABoxPastTheRightEdgeStartsAtZeroAndLosesTheColumnOutside) {
    TestFrame frame(8, 4, 3);
    drawBoxes(whiteBox({8 + 5, 2, 3, 1}, 64), 8, 4, frame.buffer, nullptr);
    // x 0 (outside), 1 and 2 of row 2.
    EXPECT_EQ(frame.at(1, 2), (Bgr{255, 255, 255}));
    EXPECT_EQ(frame.at(2, 2), (Bgr{255, 255, 255}));
    EXPECT_EQ(frame.at(3, 2), (Bgr{40, 80, 120}));
}

TEST(Boxes, BoxTwoBlendsOverBoxOneAndTheSnapshotFollows) {
    TestFrame frame(6, 2, 4), snapshot(6, 2, 4);
    BoxRow row = whiteBox({1, 1, 4, 1}, 32, {3, 1, 4, 1});
    row.colour = u"黒";
    drawBoxes(row, 6, 2, frame.buffer, &snapshot.buffer);
    // Box 1 alone: half of (40, 80, 120); both: half again.
    for (TestFrame* f : {&frame, &snapshot}) {
        EXPECT_EQ(f->at(1, 1), (Bgr{20, 40, 60}));
        EXPECT_EQ(f->at(3, 1), (Bgr{10, 20, 30}));
        EXPECT_EQ(f->at(4, 1), (Bgr{10, 20, 30}));
        EXPECT_EQ(f->at(6, 1), (Bgr{20, 40, 60}));
        EXPECT_EQ(f->at(1, 2), (Bgr{40, 80, 120}));
    }
}

TEST(Boxes, TheSnapshotIsWhatIsBlendedWithWhenGiven) {
    TestFrame frame(2, 1, 3), snapshot(2, 1, 3);
    snapshot.set(1, 1, {0, 0, 0});
    drawBoxes(whiteBox({1, 1, 1, 1}, 32), 2, 1, frame.buffer, &snapshot.buffer);
    EXPECT_EQ(frame.at(1, 1), (Bgr{127, 127, 127}));
    EXPECT_EQ(snapshot.at(1, 1), (Bgr{127, 127, 127}));
}

TEST(Boxes, NothingIsWrittenOutsideTheFrame) {
    // A frame narrower than W (the bitmap holds fewer columns than the
    // picture): the box is limited by W but written only where the bitmap is.
    TestFrame frame(3, 2, 3);
    drawBoxes(whiteBox({2, 1, 6, 2}, 64, {1, 2, 7, 1}), 7, 2, frame.buffer, nullptr);
    EXPECT_EQ(frame.at(3, 2), (Bgr{255, 255, 255}));
    EXPECT_EQ(frame.at(1, 1), (Bgr{40, 80, 120}));
    // The padding after each 9-byte row is never touched.
    EXPECT_EQ(frame.memory[9], 0);
    EXPECT_EQ(frame.memory[21], 0);
}

}  // namespace
}  // namespace qucap
