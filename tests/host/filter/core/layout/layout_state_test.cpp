// What the markup codes change while laying out and how far each change
// reaches: colours per row, bold across rows, effects per pass.
#include <vector>

#include "tests/host/filter/core/layout/layout_fixture.h"

namespace qucap {
namespace {

using test::captionRow;
using test::LayoutTest;

using Weights = std::vector<int32_t>;

// distinctColours(): R text 0x10, G 0x11, B 0x12, K 0x16, W 0x17; r border 0x20 / 0x30.
std::vector<uint32_t> bodyColoursOf(const std::vector<GlyphCell>& cells) {
    std::vector<uint32_t> colours;
    for (const GlyphCell& c : cells) colours.push_back(c.bodyColour);
    return colours;
}

TEST_F(LayoutTest, TextColourCodesColourTheFollowingGlyphs) {
    layHorizontal({u"$R赤$Wしろ", u"", u"", u""});
    EXPECT_EQ(bodyColoursOf(layout.cells[0]), (std::vector<uint32_t>{0x10, 0x17, 0x17}));
    for (const GlyphCell& c : layout.cells[0]) {
        EXPECT_EQ(c.borderStart, 0x16u);
        EXPECT_EQ(c.borderEnd, 0x16u);
    }
}

TEST_F(LayoutTest, ColoursHoldAcrossTextsInOrderAndResetPerRow) {
    layHorizontal({u"$rあ", u"あ(か$B)", u"い", u"い(き)"});
    const GlyphCell& ruby = layout.cells[1][0];
    EXPECT_EQ(ruby.bodyColour, 0x17u);
    EXPECT_EQ(ruby.borderStart, 0x20u);
    EXPECT_EQ(ruby.borderEnd, 0x30u);
    // The "$B" at the end of the ruby reaches line 2.
    EXPECT_EQ(layout.cells[2][0].bodyColour, 0x12u);
    EXPECT_EQ(layout.cells[3][0].bodyColour, 0x12u);
    EXPECT_EQ(layout.cells[3][0].borderStart, 0x20u);

    layHorizontal({u"う", u"", u"", u""});
    EXPECT_EQ(layout.cells[0][0].bodyColour, 0x17u);
    EXPECT_EQ(layout.cells[0][0].borderStart, 0x16u);
    EXPECT_EQ(layout.cells[0][0].borderEnd, 0x16u);
}

TEST_F(LayoutTest, EveryColourLetterChoosesItsSlot) {
    layHorizontal({u"$Ra$Ga$Ba$Ya$Ma$Ca$Ka$Wa$Xa", u"", u"$ra$ga$ba$ya$ma$ca$ka$wa$xa", u""});
    EXPECT_EQ(bodyColoursOf(layout.cells[0]),
              (std::vector<uint32_t>{0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x17}));
    for (std::size_t slot = 0; slot < 9; ++slot) {
        const GlyphCell& c = layout.cells[2][slot];
        EXPECT_EQ(c.borderStart, 0x20u + std::min<std::size_t>(slot, 7));
        EXPECT_EQ(c.borderEnd, 0x30u + std::min<std::size_t>(slot, 7));
    }
}

TEST_F(LayoutTest, BoldCarriesToLaterRowsBodiesButNotToRubies) {
    layHorizontal({u"$H太字", u"", u"", u""});
    EXPECT_EQ(weightsOf(u'太'), Weights{700});
    rasteriser.uses.clear();
    layHorizontal({u"普通", u"普(ふ)", u"線", u""});
    EXPECT_EQ(weightsOf(u'普'), Weights{700});
    EXPECT_EQ(weightsOf(u'ふ'), Weights{400});
    EXPECT_EQ(weightsOf(u'線'), Weights{700});
    EXPECT_EQ(layouter.fonts().main.weight, 700);
    EXPECT_EQ(layouter.fonts().ruby.weight, 400);
    EXPECT_TRUE(layouter.carry().bold);

    rasteriser.uses.clear();
    layHorizontal({u"普$h通", u"", u"線", u""});
    EXPECT_EQ(weightsOf(u'普'), Weights{700});
    EXPECT_EQ(weightsOf(u'通'), Weights{400});
    EXPECT_EQ(weightsOf(u'線'), Weights{400});
}

TEST_F(LayoutTest, OrientationChangeEndsBold) {
    layHorizontal({u"$H太", u"", u"", u""});
    rasteriser.uses.clear();
    layVertical({u"字", u"", u"", u""});
    EXPECT_EQ(weightsOf(u'字'), Weights{400});
    EXPECT_FALSE(layouter.carry().bold);
    // A bold code after the switch holds for the vertical row.
    layVertical({u"$H字", u"", u"", u""});
    rasteriser.uses.clear();
    layVertical({u"字", u"", u"", u""});
    EXPECT_EQ(weightsOf(u'字'), Weights{700});
}

TEST_F(LayoutTest, BoldCodeRemakesOnlyTheFontOfTheTextsKind) {
    // Bold off in the ruby leaves the main font bold for the body that follows.
    layHorizontal({u"$Hあ", u"あ($hか)", u"い", u""});
    EXPECT_EQ(weightsOf(u'い'), Weights{700});
    EXPECT_FALSE(layouter.carry().bold);
    EXPECT_EQ(layouter.fonts().main.weight, 700);
    // A "$h" in a body makes the main font normal again even though the flag is already off.
    rasteriser.uses.clear();
    layHorizontal({u"$hう", u"", u"", u""});
    EXPECT_EQ(weightsOf(u'う'), Weights{400});
}

TEST_F(LayoutTest, BoldCodeInARubyMakesTheRubyBoldWhileBodiesAreBold) {
    layHorizontal({u"$Hあ", u"あ($Hか$h)", u"い", u"い(き)"});
    EXPECT_EQ(weightsOf(u'か'), Weights{700});
    EXPECT_EQ(weightsOf(u'き'), Weights{400});
    EXPECT_EQ(weightsOf(u'い'), Weights{700});  // the main font keeps its weight
}

TEST_F(LayoutTest, BoldChangesWithinAText) {
    layHorizontal({u"あ$Hい$hう", u"", u"", u""});
    EXPECT_EQ(weightsOf(u'あ'), Weights{400});
    EXPECT_EQ(weightsOf(u'い'), Weights{700});
    EXPECT_EQ(weightsOf(u'う'), Weights{400});
    // Bold glyphs are the fake's fully covered ones.
    EXPECT_EQ(layout.cells[0][1].glyph.bitmap.at(1, 1), 64);
}

TEST_F(LayoutTest, ItalicUnderlineAndStrikeStartOffInEveryPass) {
    layHorizontal({u"$I$U$Sあ", u"あ(か)", u"いう", u"い($Uき)う(く)"});
    EXPECT_TRUE(layout.cells[0][0].underline && layout.cells[0][0].strike);
    EXPECT_EQ(layout.cells[0][0].glyph.bitmap.width, 32 + 8);  // 30 rounded to 32, margin 8 for h 24
    for (int k : {1, 2}) {
        const GlyphCell& c = layout.cells[k][0];
        EXPECT_FALSE(c.underline || c.strike) << k;
        EXPECT_EQ(c.glyph.bitmap.width, k == 1 ? 14 : 30);
    }
    ASSERT_EQ(layout.cells[3].size(), 2u);
    EXPECT_TRUE(layout.cells[3][0].underline);
    EXPECT_FALSE(layout.cells[3][1].underline);
}

TEST_F(LayoutTest, ItalicAppliesToUnderlineGlyphsToo) {
    layHorizontal({u"$I$Uあ", u"", u"", u""});
    EXPECT_EQ(layout.cells[0][0].underline->bitmap.width, 40);
}

TEST_F(LayoutTest, LayoutReplacesThePreviousRow) {
    layHorizontal({u"あい", u"あ(か)", u"う", u"う(く)"});
    layHorizontal({u"え", u"", u"", u""});
    EXPECT_EQ(layout.cells[0].size(), 1u);
    for (int k = 1; k < 4; ++k) EXPECT_TRUE(layout.cells[k].empty());
    EXPECT_EQ(layout.bodyCoordinates[0][1], 0);
    EXPECT_EQ(layout.bodyCoordinates[1][0], 0);
    EXPECT_EQ(layout.plainTexts[2], u"");
}

TEST_F(LayoutTest, CarryReplaysTheStateBetweenRows) {
    const CaptionRow first = captionRow(u"縦", {u"$H太", u"", u"", u""});
    const CaptionRow second = captionRow(u"縦", {u"字", u"字(じ)", u"", u""});
    lay(first);
    const LayoutCarry carried = layouter.carry();
    EXPECT_EQ(carried, (LayoutCarry{true, true,
                                    {{u"@ＭＳ ゴシック", 32, 2700, 700},
                                     {u"@ＭＳ 明朝", 16, 2700, 400},
                                     {u"ＭＳ ゴシック", 16, 0, 400},
                                     {u"ＭＳ ゴシック", 10, 0, 400}}}));
    lay(second);
    const RowLayout expected = layout;
    const LayoutCarry after = layouter.carry();

    test::FakeRasteriser other;
    CaptionLayouter replay(other);
    replay.prepareFonts(settings);
    RowLayout fresh;
    replay.layoutRow(second, colours, width, height, fresh);
    EXPECT_NE(fresh, expected);  // without the carried state the body is not bold

    replay.restore(carried);
    replay.layoutRow(second, colours, width, height, fresh);
    EXPECT_EQ(fresh, expected);
    EXPECT_EQ(replay.carry(), after);
}

}  // namespace
}  // namespace qucap
