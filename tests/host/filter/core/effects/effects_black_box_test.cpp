// The black box of border type 4: rectangles per line, their start and end,
// the limiting to the frame, the fonts it measures with, the flush after it.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "filter/core/effects/effects.h"
#include "tests/host/filter/core/effects/effects_fixtures.h"
#include "tests/support/fake_rasteriser.h"

namespace qucap {
namespace {

using test::borderOf;
using test::TestFrame;

// Measures texts from a fixed table and records which font measured what.
class TableMeasurer : public GlyphRasteriser {
public:
    std::optional<RasterGlyph> rasterise(const FontSpec&, char16_t) override { return std::nullopt; }
    int32_t ascent(const FontSpec&) override { return 0; }
    TextExtent textExtent(const FontSpec& font, std::u16string_view text) override {
        measured.push_back({font.face, std::u16string(text)});
        const auto it = extents.find(std::u16string(text));
        return it == extents.end() ? TextExtent{} : it->second;
    }

    std::map<std::u16string, TextExtent> extents;
    std::vector<std::pair<std::u16string, std::u16string>> measured;  // face, text
};

FilterFonts heldFonts() {
    FilterFonts fonts;
    fonts.main = {u"@本文", 32, 2700, 700};
    fonts.ruby = {u"@ルビ", 16, 2700, 400};
    return fonts;
}

struct BoxRun {
    std::vector<PixelRect> fills;
    int flushes = 0;
    std::vector<std::pair<std::u16string, std::u16string>> measured;
};

BoxRun drawBox(const RowLayout& layout, TableMeasurer& measurer, TestFrame& frame) {
    test::FakeCanvas canvas(frame.buffer());
    const TestFrame snapshot(frame);
    drawOutlineEffect(layout, borderOf(4, 0, 3, 1), heldFonts(), measurer, frame.buffer(), snapshot.buffer(), canvas);
    BoxRun run;
    for (const auto& call : canvas.calls) {
        EXPECT_EQ(call.what, u"fill");
        run.fills.push_back(call.rect);
    }
    run.flushes = canvas.flushes;
    run.measured = measurer.measured;
    return run;
}

TEST(BlackBox, OnlyLineTwoHasABody) {
    RowLayout layout;
    layout.plainTexts[2] = u"本文";
    layout.positions[2] = 400;
    layout.bodyCoordinates[1][0] = 100;
    TableMeasurer measurer;
    measurer.extents[u"本文"] = {300, 32};
    TestFrame frame(720, 480);
    frame.fill(0x00808080);
    const BoxRun run = drawBox(layout, measurer, frame);
    EXPECT_EQ(run.fills, (std::vector<PixelRect>{{94, 394, 401, 433}}));
    EXPECT_EQ(run.flushes, 1);
    // GDI (94, 394) is frame pixel (95, 395); the right and bottom edges are excluded.
    EXPECT_EQ(frame.at(95, 395), 0u);
    EXPECT_EQ(frame.at(401, 433), 0u);
    EXPECT_EQ(frame.at(94, 395), 0x00808080u);
    EXPECT_EQ(frame.at(402, 433), 0x00808080u);
    EXPECT_EQ(frame.at(401, 434), 0x00808080u);
}

TEST(BlackBox, HorizontalRubiesRunToTheEndOfTheirOwnLine) {
    RowLayout layout;
    layout.plainTexts = {u"あいう", u"る", u"あいうえお", u""};
    layout.positions = {300, 270, 400, 370};
    layout.bodyCoordinates[0][0] = 120;
    layout.bodyCoordinates[1][0] = 100;
    TableMeasurer measurer;
    measurer.extents = {{u"あいう", {96, 32}}, {u"あいうえお", {160, 32}}, {u"る", {999, 16}}};
    TestFrame frame(720, 480);
    const BoxRun run = drawBox(layout, measurer, frame);
    // Start 100, the nearer of the two first glyphs; bodies first, then the ruby of line 1.
    EXPECT_EQ(run.fills, (std::vector<PixelRect>{{94, 294, 197, 333}, {94, 394, 261, 433}, {94, 264, 197, 287}}));
    using Measure = std::pair<std::u16string, std::u16string>;
    EXPECT_EQ(run.measured, (std::vector<Measure>{{u"@本文", u"あいう"}, {u"@本文", u"あいうえお"}, {u"@ルビ", u"る"}}));
}

TEST(BlackBox, VerticalRow) {
    RowLayout layout;
    layout.vertical = true;
    layout.plainTexts = {u"縦書き", u"たて", u"", u""};
    layout.positions = {600, 640, 0, 0};
    layout.bodyCoordinates[0][0] = 50;
    TableMeasurer measurer;
    measurer.extents = {{u"縦書き", {200, 32}}, {u"たて", {40, 16}}};
    TestFrame frame(720, 480);
    const BoxRun run = drawBox(layout, measurer, frame);
    EXPECT_EQ(run.fills, (std::vector<PixelRect>{{565, 44, 601, 251}, {621, 44, 641, 251}}));
}

TEST(BlackBox, LimitedToTheFrameBeforeEachFill) {
    RowLayout layout;
    layout.plainTexts = {u"長い本文", u"る", u"遠い", u""};
    layout.positions = {3, 400, 1000, 0};
    layout.bodyCoordinates[0][0] = 5;
    layout.bodyCoordinates[1][0] = 5;
    TableMeasurer measurer;
    measurer.extents = {{u"長い本文", {800, 32}}, {u"遠い", {64, 32}}, {u"る", {16, 16}}};
    TestFrame frame(720, 480);
    const BoxRun run = drawBox(layout, measurer, frame);
    // Line 2 lies below the frame and is left out; the ruby runs to line 1's end, 806 before limiting.
    EXPECT_EQ(run.fills, (std::vector<PixelRect>{{0, 0, 720, 36}, {0, 394, 720, 417}}));
    EXPECT_TRUE(frame.untouchedOutside());
}

TEST(BlackBox, ARubyWithoutItsBodyGetsNoBox) {
    RowLayout layout;
    layout.plainTexts = {u"", u"るび", u"", u"るび"};
    layout.positions = {300, 270, 400, 370};
    TableMeasurer measurer;
    measurer.extents = {{u"るび", {32, 16}}};
    TestFrame frame(720, 480);
    const BoxRun run = drawBox(layout, measurer, frame);
    EXPECT_TRUE(run.fills.empty());
    EXPECT_EQ(run.flushes, 1);

    layout.plainTexts[2] = u"本文";
    layout.bodyCoordinates[1][0] = 60;
    measurer.extents[u"本文"] = {64, 32};
    const BoxRun withBody = drawBox(layout, measurer, frame);
    EXPECT_EQ(withBody.fills, (std::vector<PixelRect>{{54, 394, 125, 433}, {54, 364, 125, 387}}));
}

TEST(BlackBox, CellsGetNoRingsUnderTheBox) {
    RowLayout layout;
    layout.cells[0].push_back(test::cellAt(10, 10, test::solidBitmap(2, 2), 0x00FFFFFF, 0x000000FF));
    TableMeasurer measurer;
    TestFrame frame(40, 40);
    frame.fill(0x00808080);
    const auto before = frame.bytes();
    const BoxRun run = drawBox(layout, measurer, frame);
    EXPECT_TRUE(run.fills.empty());
    EXPECT_EQ(frame.bytes(), before);
}

}  // namespace
}  // namespace qucap
