#include "filter/core/layout/font_plan.h"

#include "tests/host/filter/core/layout/layout_fixture.h"

namespace qucap {
namespace {

using test::LayoutTest;

TEST(LayoutFontRules, MeiryoFacesAreEnlargedBySevenFifths) {
    EXPECT_TRUE(isMeiryoFace(u"メイリオ"));
    EXPECT_TRUE(isMeiryoFace(u"@Meiryo UI"));
    EXPECT_FALSE(isMeiryoFace(u"Meiryo"));
    EXPECT_FALSE(isMeiryoFace(u"@@メイリオ"));
    EXPECT_FALSE(isMeiryoFace(u"メイリオ "));
    EXPECT_EQ(cellHeightOf(u"Meiryo UI", 30), 42);
    EXPECT_EQ(cellHeightOf(u"メイリオ", 16), 22);  // 22.4 truncated
    EXPECT_EQ(cellHeightOf(u"ＭＳ ゴシック", 30), 30);
}

TEST(LayoutFontRules, VerticalFacesCarryOneAtSign) {
    EXPECT_EQ(faceFor(u"ＭＳ ゴシック", true), u"@ＭＳ ゴシック");
    EXPECT_EQ(faceFor(u"@ＭＳ ゴシック", true), u"@ＭＳ ゴシック");
    EXPECT_EQ(faceFor(u"@ＭＳ ゴシック", false), u"ＭＳ ゴシック");
    EXPECT_EQ(faceFor(u"", true), u"@");
}

TEST_F(LayoutTest, PreparedFontsAreHorizontalAndNormalWeight) {
    const FilterFonts& f = layouter.fonts();
    EXPECT_EQ(f.main, (FontSpec{u"ＭＳ ゴシック", 32, 0, 400}));
    EXPECT_EQ(f.ruby, (FontSpec{u"ＭＳ 明朝", 16, 0, 400}));
    EXPECT_EQ(f.timeDisplay, (FontSpec{u"ＭＳ ゴシック", 16, 0, 400}));
    EXPECT_EQ(f.watermark, (FontSpec{u"ＭＳ ゴシック", 10, 0, 400}));
}

TEST_F(LayoutTest, MeiryoMainFaceEnlargesMainTimeAndWatermarkButNotAPlainRuby) {
    settings.mainFace = u"Meiryo UI";
    settings.mainSize = 30;
    settings.rubySize = 15;
    for (int round = 0; round < 2; ++round) {  // preparing again never enlarges twice
        layouter.prepareFonts(settings);
        const FilterFonts& f = layouter.fonts();
        EXPECT_EQ(f.main.height, 42);
        EXPECT_EQ(f.ruby.height, 15);
        EXPECT_EQ(f.timeDisplay, (FontSpec{u"Meiryo UI", 22, 0, 400}));
        EXPECT_EQ(f.watermark, (FontSpec{u"Meiryo UI", 14, 0, 400}));
    }
    // Nor does a change of orientation: the fonts are made from the configured size.
    layVertical({u"あ", u"", u"", u""});
    EXPECT_EQ(layouter.fonts().main, (FontSpec{u"@Meiryo UI", 42, 2700, 400}));
    layHorizontal({u"あ", u"", u"", u""});
    EXPECT_EQ(layouter.fonts().main, (FontSpec{u"Meiryo UI", 42, 0, 400}));
}

TEST_F(LayoutTest, MeiryoRubyFaceEnlargesOnlyTheRuby) {
    settings.rubyFace = u"@メイリオ";
    settings.rubySize = 20;
    layouter.prepareFonts(settings);
    EXPECT_EQ(layouter.fonts().ruby, (FontSpec{u"メイリオ", 28, 0, 400}));
    EXPECT_EQ(layouter.fonts().main.height, 32);
    EXPECT_EQ(layouter.fonts().timeDisplay.height, 16);
}

TEST_F(LayoutTest, SmallFontsUseTheMainFaceWithoutAtSign) {
    settings.mainFace = u"@メイリオ";
    layouter.prepareFonts(settings);
    EXPECT_EQ(layouter.fonts().main.face, u"メイリオ");
    EXPECT_EQ(layouter.fonts().timeDisplay, (FontSpec{u"メイリオ", 22, 0, 400}));
    EXPECT_EQ(layouter.fonts().watermark, (FontSpec{u"メイリオ", 14, 0, 400}));
}

TEST_F(LayoutTest, OrientationChangeRemakesMainAndRubyAndKeepsTheSmallFonts) {
    layVertical({u"あ", u"", u"", u""});
    const FilterFonts& f = layouter.fonts();
    EXPECT_EQ(f.main, (FontSpec{u"@ＭＳ ゴシック", 32, 2700, 400}));
    EXPECT_EQ(f.ruby, (FontSpec{u"@ＭＳ 明朝", 16, 2700, 400}));
    EXPECT_EQ(f.timeDisplay, (FontSpec{u"ＭＳ ゴシック", 16, 0, 400}));
    EXPECT_EQ(f.watermark, (FontSpec{u"ＭＳ ゴシック", 10, 0, 400}));
    EXPECT_EQ(rasteriser.uses.back().font, f.main);
}

TEST_F(LayoutTest, PrepareFontsReturnsToHorizontalAndNormalWeight) {
    layVertical({u"$Hあ", u"", u"", u""});
    ASSERT_EQ(layouter.fonts().main.weight, 700);
    layouter.prepareFonts(settings);
    EXPECT_EQ(layouter.carry(), (LayoutCarry{false, false, layouter.fonts()}));
    EXPECT_EQ(layouter.fonts().main, (FontSpec{u"ＭＳ ゴシック", 32, 0, 400}));
}

TEST_F(LayoutTest, RowWithoutAnyTextLeavesTheFontsAlone) {
    layVertical({u"", u"", u"", u""});
    EXPECT_EQ(layouter.fonts().main.escapement, 0);
    for (const auto& cells : layout.cells) EXPECT_TRUE(cells.empty());
}

}  // namespace
}  // namespace qucap
