// Where the glyphs of a row land: start offset, positions across the line,
// ruby anchors, cell limits and characters that cannot be rasterised.
#include <string>
#include <vector>

#include "tests/host/filter/core/layout/layout_fixture.h"

namespace qucap {
namespace {

using test::captionRow;
using test::LayoutTest;

// Font 32: full-width advance 32, black box 30 x 24, origin (1, 24), ascent 28.
// Font 16: advance 16, black box 14 x 12, origin (1, 12), ascent 14.
std::vector<int32_t> xsOf(const std::vector<GlyphCell>& cells) {
    std::vector<int32_t> xs;
    for (const GlyphCell& c : cells) xs.push_back(c.glyph.x);
    return xs;
}
std::vector<int32_t> ysOf(const std::vector<GlyphCell>& cells) {
    std::vector<int32_t> ys;
    for (const GlyphCell& c : cells) ys.push_back(c.glyph.y);
    return ys;
}
std::vector<int32_t> firstCoordinates(const std::array<int32_t, kBodyCoordinateCount>& table, std::size_t n) {
    return std::vector<int32_t>(table.begin(), table.begin() + n);
}

TEST_F(LayoutTest, HorizontalTwoLineRowWithRuby) {
    layHorizontal({u"この漢字", u"漢字(かんじ)", u"あいうえお", u"あい(ふり)"});
    EXPECT_FALSE(layout.vertical);
    EXPECT_EQ(layout.positions, (std::array<int32_t, 4>{400, 370, 440, 420}));
    // S = (720 - 160) / 2 = 280 for both lines.
    EXPECT_EQ(xsOf(layout.cells[0]), (std::vector<int32_t>{281, 313, 345, 377}));
    EXPECT_EQ(ysOf(layout.cells[0]), (std::vector<int32_t>(4, 404)));
    EXPECT_EQ(xsOf(layout.cells[2]), (std::vector<int32_t>{281, 313, 345, 377, 409}));
    EXPECT_EQ(ysOf(layout.cells[2]), (std::vector<int32_t>(5, 444)));
    // The ruby of 漢字 starts at the body's third glyph, x 345.
    EXPECT_EQ(xsOf(layout.cells[1]), (std::vector<int32_t>{346, 362, 378}));
    EXPECT_EQ(ysOf(layout.cells[1]), (std::vector<int32_t>(3, 372)));
    EXPECT_EQ(xsOf(layout.cells[3]), (std::vector<int32_t>{282, 298}));
    EXPECT_EQ(ysOf(layout.cells[3]), (std::vector<int32_t>(2, 422)));
    EXPECT_EQ(firstCoordinates(layout.bodyCoordinates[0], 5), (std::vector<int32_t>{281, 313, 345, 377, 0}));
    EXPECT_EQ(firstCoordinates(layout.bodyCoordinates[1], 6), (std::vector<int32_t>{281, 313, 345, 377, 409, 0}));
    const CoverageBitmap& first = layout.cells[0][0].glyph.bitmap;
    EXPECT_EQ(first.width, 30);
    EXPECT_EQ(first.height, 24);
    EXPECT_EQ(layout.plainTexts[1], u"漢字(かんじ)");  // only codes are removed
}

TEST_F(LayoutTest, VerticalTwoLineRowWithRuby) {
    lay(captionRow(u"縦", {u"この漢字", u"漢字(かんじ)", u"あいうえお", u"あい(ふり)"}, {600, 640, 550, 580}));
    EXPECT_TRUE(layout.vertical);
    // Positions move by the cell height less one: 32 for bodies, 16 for rubies.
    EXPECT_EQ(layout.positions, (std::array<int32_t, 4>{631, 655, 581, 595}));
    // S = (480 - 160) / 2 = 160; y = S + A + (32 - 24) / 2, x = P + 1 - 28.
    EXPECT_EQ(ysOf(layout.cells[0]), (std::vector<int32_t>{164, 196, 228, 260}));
    EXPECT_EQ(xsOf(layout.cells[0]), (std::vector<int32_t>(4, 604)));
    EXPECT_EQ(ysOf(layout.cells[2]), (std::vector<int32_t>{164, 196, 228, 260, 292}));
    EXPECT_EQ(xsOf(layout.cells[2]), (std::vector<int32_t>(5, 554)));
    // Ruby: y = 228 + A + (16 - 12) / 2, x = 655 + 1 - 14.
    EXPECT_EQ(ysOf(layout.cells[1]), (std::vector<int32_t>{230, 246, 262}));
    EXPECT_EQ(xsOf(layout.cells[1]), (std::vector<int32_t>(3, 642)));
    EXPECT_EQ(ysOf(layout.cells[3]), (std::vector<int32_t>{166, 182}));
    EXPECT_EQ(xsOf(layout.cells[3]), (std::vector<int32_t>(2, 582)));
    EXPECT_EQ(firstCoordinates(layout.bodyCoordinates[0], 5), (std::vector<int32_t>{164, 196, 228, 260, 0}));
}

TEST_F(LayoutTest, VerticalPlacementTruncatesTowardZero) {
    // Font 13: advance 13, black box 11 x 9, so (13 - 9) / 2 = 2; with a
    // half-width character (advance 6, box 4 x 9) (6 - 9) / 2 is -1, not -2.
    settings.mainSize = 13;
    layouter.prepareFonts(settings);
    lay(captionRow(u"縦", {u"あa", u"", u"", u""}, {100, 0, 0, 0}));
    const int32_t start = (480 - (13 + 6)) / 2;
    EXPECT_EQ(ysOf(layout.cells[0]), (std::vector<int32_t>{start + 2, start + 13 - 1}));
}

TEST_F(LayoutTest, VerticalPositionsAreLimitedToTheFrameWidth) {
    lay(captionRow(u"縦", {u"あ", u"か", u"い", u""}, {700, 0, -5, 706}));
    EXPECT_EQ(layout.positions, (std::array<int32_t, 4>{720, 0, -5, 720}));
    EXPECT_EQ(layout.cells[0][0].glyph.x, 720 + 1 - 28);
    lay(captionRow(u"縦", {u"あ", u"", u"", u""}, {INT32_MAX, 0, 0, 0}));
    EXPECT_EQ(layout.positions[0], 720);
    // A horizontal row keeps its positions as they are.
    lay(captionRow(u"横", {u"あ", u"", u"", u""}, {5000, -7, 0, 1}));
    EXPECT_EQ(layout.positions, (std::array<int32_t, 4>{5000, -7, 0, 1}));
}

TEST_F(LayoutTest, SideStartsATwelfthFromTheEdge) {
    settings.sideFlag = 1;
    layouter.prepareFonts(settings);
    layHorizontal({u"あいう", u"", u"あいうえお", u""});
    EXPECT_EQ(layout.cells[0][0].glyph.x, 60 + 1);
    EXPECT_EQ(layout.cells[2][0].glyph.x, 60 + 1);
    layVertical({u"あいう", u"", u"", u""});
    EXPECT_EQ(layout.cells[0][0].glyph.y, 40 + 4);
}

TEST_F(LayoutTest, TextsWiderThanTheFrameStartAtZero) {
    layHorizontal({std::u16string(30, u'あ'), u"", u"", u""});
    EXPECT_EQ(layout.cells[0][0].glyph.x, 1);
    EXPECT_EQ(layout.cells[0].back().glyph.x, 29 * 32 + 1);
}

TEST_F(LayoutTest, OffsetIsMeasuredOnPlainTextsEvenWithoutLineOneBody) {
    layHorizontal({u"", u"", u"$R$Hあい$$", u""});
    EXPECT_EQ(layout.plainTexts[2], u"あい$");
    EXPECT_EQ(layout.cells[2][0].glyph.x, (720 - 80) / 2 + 1);
    EXPECT_TRUE(layout.cells[0].empty());
}

TEST_F(LayoutTest, OffsetUsesTheMainFontAsHeldBeforeTheOrientationSwitch) {
    layHorizontal({u"$Hあ", u"", u"", u""});
    rasteriser.measured.clear();
    layVertical({u"あ", u"", u"", u""});
    ASSERT_EQ(rasteriser.measured.size(), 2u);
    EXPECT_EQ(rasteriser.measured[0], (FontSpec{u"ＭＳ ゴシック", 32, 0, 700}));
    EXPECT_EQ(rasteriser.uses.back().font, (FontSpec{u"@ＭＳ ゴシック", 32, 2700, 400}));
    rasteriser.measured.clear();
    layVertical({u"あ", u"", u"", u""});
    EXPECT_EQ(rasteriser.measured[0], (FontSpec{u"@ＭＳ ゴシック", 32, 2700, 400}));
}

TEST_F(LayoutTest, DollarCodesAndPlainTexts) {
    layHorizontal({u"$$", u"", u"あ$", u""});
    ASSERT_EQ(layout.cells[0].size(), 1u);
    EXPECT_EQ(rasteriser.uses[0].character, u'$');
    EXPECT_EQ(layout.cells[2].size(), 1u);  // the final "$" lays nothing
    EXPECT_EQ(layout.plainTexts[0], u"$");
    EXPECT_EQ(layout.plainTexts[2], u"あ");
    // "$$$R" is a "$" and a code; an unknown code letter is dropped all the same.
    layHorizontal({u"$$$Rあ$Zい", u"", u"", u""});
    EXPECT_EQ(layout.plainTexts[0], u"$あい");
    EXPECT_EQ(layout.cells[0].size(), 3u);
}

TEST_F(LayoutTest, PlainTextsKeepAtMost255Characters) {
    layHorizontal({u"$R" + std::u16string(300, u'あ'), u"", u"", std::u16string(1023, u'a')});
    EXPECT_EQ(layout.plainTexts[0], std::u16string(255, u'あ'));
    EXPECT_EQ(layout.plainTexts[3], std::u16string(255, u'a'));
}

TEST_F(LayoutTest, EachTextIndexHoldsAtMost80Cells) {
    layHorizontal({std::u16string(1023, u'あ'), u"", u"$U" + std::u16string(1021, u'い'), u""});
    ASSERT_EQ(layout.cells[0].size(), 80u);
    EXPECT_EQ(layout.cells[0].back().glyph.x, 79 * 32 + 1);
    EXPECT_EQ(layout.bodyCoordinates[0][79], 79 * 32 + 1);
    EXPECT_EQ(layout.bodyCoordinates[0][80], 0);
    ASSERT_EQ(layout.cells[2].size(), 80u);
    EXPECT_TRUE(layout.cells[2].back().underline);
    // 80 glyphs and 80 underlines for each body, nothing beyond.
    EXPECT_EQ(rasteriser.uses.size(), 80u + 160u);
}

TEST_F(LayoutTest, RubyGroupsOfALineShareTheir80Cells) {
    const std::u16string ruby = u"あ(" + std::u16string(50, u'か') + u")い(" + std::u16string(50, u'き') + u")う(く)";
    layHorizontal({u"あいう", ruby, u"", u""});
    ASSERT_EQ(layout.cells[1].size(), 80u);
    EXPECT_EQ(layout.cells[1][50].glyph.x, 345 + 1);  // the second group starts at its own anchor
    EXPECT_EQ(layout.cells[1][79].glyph.x, 345 + 29 * 16 + 1);
    // Line 2's ruby has its own 80.
    layHorizontal({u"あいう", ruby, u"あ", u"あ(" + std::u16string(90, u'け') + u")"});
    EXPECT_EQ(layout.cells[3].size(), 80u);
}

TEST_F(LayoutTest, TenthGroupIsIgnoredAndMissingBasesShowNothing) {
    std::u16string ruby;
    for (int g = 0; g < 10; ++g) ruby += u"あ(か)";
    layHorizontal({std::u16string(10, u'あ'), ruby, u"", u""});
    EXPECT_EQ(layout.cells[1].size(), 9u);
    EXPECT_EQ(layout.cells[1][8].glyph.x, 200 + 8 * 32 + 1 + 1);  // S = (720 - 320) / 2 = 200

    layHorizontal({u"字漢", u"字(じ)無(む)漢(かん)", u"", u""});
    const int32_t s = (720 - 64) / 2;
    EXPECT_EQ(xsOf(layout.cells[1]), (std::vector<int32_t>{s + 1 + 1, s + 33 + 1, s + 33 + 16 + 1}));
}

TEST_F(LayoutTest, RepeatedBaseAnchorsAtConsecutiveGlyphs) {
    layHorizontal({u"字字", u"字(じ)字(じ)", u"", u""});
    const int32_t s = (720 - 64) / 2;
    EXPECT_EQ(xsOf(layout.cells[1]), (std::vector<int32_t>{s + 1 + 1, s + 33 + 1}));
}

TEST_F(LayoutTest, AnchorBeyondTheGlyphsReadsZero) {
    // 漢 is the 101st character of the body, but only 80 glyphs are laid out.
    layHorizontal({std::u16string(100, u'あ') + u"漢", u"漢(かん)", u"", u""});
    EXPECT_EQ(xsOf(layout.cells[1]), (std::vector<int32_t>{1, 17}));
    // The same for a glyph that could not be rasterised before the base.
    rasteriser.failing = u"い";
    layHorizontal({u"いう", u"う(a)", u"", u""});
    ASSERT_EQ(layout.cells[0].size(), 1u);
    EXPECT_EQ(layout.cells[1][0].glyph.x, 1);
}

TEST_F(LayoutTest, RubyWithoutGroupsOrWithEmptyReadingLaysNothing) {
    layHorizontal({u"漢字", u"かんじ", u"漢字", u"漢字()"});
    EXPECT_TRUE(layout.cells[1].empty());
    EXPECT_TRUE(layout.cells[3].empty());
    EXPECT_EQ(layout.cells[0].size(), 2u);
}

TEST_F(LayoutTest, CharacterThatCannotBeRasterisedIsSkippedWithoutAdvance) {
    rasteriser.failing = u"い＿";
    layHorizontal({u"あいう", u"", u"$Uえ", u""});
    EXPECT_EQ(xsOf(layout.cells[0]), (std::vector<int32_t>{313, 345}));
    EXPECT_EQ(firstCoordinates(layout.bodyCoordinates[0], 3), (std::vector<int32_t>{313, 345, 0}));
    ASSERT_EQ(layout.cells[2].size(), 1u);
    EXPECT_FALSE(layout.cells[2][0].underline);  // its underline glyph failed too
}

TEST_F(LayoutTest, UnderlineAndStrikeSitAtTheGlyphsAdvance) {
    layHorizontal({u"$Ua$Sb$uあ$sい", u"", u"", u""});
    const std::vector<GlyphCell>& cells = layout.cells[0];
    ASSERT_EQ(cells.size(), 4u);
    const int32_t s = (720 - 16 - 16 - 32 - 32) / 2;
    // "a": underline only, a full-width "＿" at x0 + 0 + 1.
    ASSERT_TRUE(cells[0].underline);
    EXPECT_FALSE(cells[0].strike);
    EXPECT_EQ(cells[0].underline->x, s + 1);
    EXPECT_EQ(cells[0].underline->y, 400 + 28 - 24);
    EXPECT_EQ(cells[0].underline->bitmap.width, 30);
    EXPECT_EQ(cells[0].glyph.bitmap.width, 14);
    // "b": both, at the advance before it (16).
    ASSERT_TRUE(cells[1].underline && cells[1].strike);
    EXPECT_EQ(cells[1].underline->x, s + 16 + 1);
    EXPECT_EQ(cells[1].strike->x, s + 16 + 1);
    EXPECT_EQ(rasteriser.uses[4].character, u'\u2015');
    // "あ": strike only; "い": neither.
    EXPECT_FALSE(cells[2].underline);
    ASSERT_TRUE(cells[2].strike);
    EXPECT_EQ(cells[2].strike->x, s + 32 + 1);
    EXPECT_FALSE(cells[3].underline || cells[3].strike);
}

TEST_F(LayoutTest, VerticalStrikeSitsAtTheGlyphsAdvance) {
    lay(captionRow(u"縦", {u"あ$Sa", u"", u"", u""}, {100, 0, 0, 0}));
    const int32_t s = (480 - 48) / 2;
    const GlyphCell& cell = layout.cells[0][1];
    ASSERT_TRUE(cell.strike);
    EXPECT_EQ(cell.glyph.y, s + 32 + (16 - 24) / 2);
    EXPECT_EQ(cell.strike->y, s + 32 + 4);
    EXPECT_EQ(cell.strike->x, 131 + 1 - 28);
}

TEST_F(LayoutTest, ItalicGlyphsAreSlantedInThePass) {
    settings.mainSize = 40;
    layouter.prepareFonts(settings);
    layHorizontal({u"$Iあ　$iい", u"", u"", u""});
    const std::vector<GlyphCell>& cells = layout.cells[0];
    ASSERT_EQ(cells.size(), 3u);
    EXPECT_EQ(cells[0].glyph.bitmap.width, 52);
    EXPECT_EQ(cells[0].glyph.bitmap.at(0, 10), 0);
    EXPECT_NE(cells[0].glyph.bitmap.at(1, 11), 0);
    EXPECT_EQ(cells[1].glyph.bitmap.bytes, std::vector<uint8_t>(52 * 30, 0));  // the ideographic space
    EXPECT_EQ(cells[2].glyph.bitmap.width, 38);
    EXPECT_EQ(cells[2].glyph.x, (720 - 120) / 2 + 80 + 1);  // the slant does not change the advance
}

TEST_F(LayoutTest, HugePositionsStayFarOutsideTheFrame) {
    lay(captionRow(u"横", {u"あ$Uい", u"", u"", u""}, {INT32_MAX, 0, 0, 0}));
    ASSERT_EQ(layout.cells[0].size(), 2u);
    EXPECT_GT(layout.cells[0][1].glyph.y, 1 << 29);
    EXPECT_GT(layout.cells[0][1].underline->y, 1 << 29);
    lay(captionRow(u"横", {u"あ", u"", u"", u""}, {INT32_MIN, 0, 0, 0}));
    EXPECT_LT(layout.cells[0][0].glyph.y, -(1 << 29));
    EXPECT_LE(layout.cells[0][0].glyph.y + 2 * 4096, 0);
}

TEST_F(LayoutTest, TinyFramesLayOutWithoutTrouble) {
    width = 2;
    height = 2;
    lay(captionRow(u"縦", {u"あい", u"あ(か)", u"う", u""}, {1, 1, 1, 0}));
    EXPECT_EQ(layout.positions, (std::array<int32_t, 4>{2, 2, 2, 0}));
    EXPECT_EQ(layout.cells[0][0].glyph.y, 0 + 4);
}

}  // namespace
}  // namespace qucap
