#include "filter/win/gdi_rasteriser.h"

#include <algorithm>
#include <numeric>

#include <gtest/gtest.h>

namespace qucap {
namespace {

// Under the project's Wine prefix both faces map to IPAGothic.
const FontSpec kGothic32{u"ＭＳ ゴシック", 32, 0, 400};
const FontSpec kVerticalGothic32{u"@ＭＳ ゴシック", 32, 2700, 400};

RasterGlyph glyphOf(GdiRasteriser& rasteriser, const FontSpec& font, char16_t character) {
    std::optional<RasterGlyph> glyph = rasteriser.rasterise(font, character);
    EXPECT_TRUE(glyph.has_value()) << "U+" << std::hex << int(character);
    return glyph.value_or(RasterGlyph{});
}

int inkOf(const RasterGlyph& glyph) { return std::accumulate(glyph.bytes.begin(), glyph.bytes.end(), 0); }

// The bitmap has the coverage format the layout reads: rows of the black-box
// width padded with zeros to 4 bytes, values 0..64, some fully covered pixel.
void expectCoverageFormat(const RasterGlyph& glyph) {
    const GlyphMetrics& m = glyph.metrics;
    const int32_t rowBytes = (m.blackBoxX + 3) & ~3;
    ASSERT_EQ(glyph.bytes.size(), std::size_t(rowBytes) * m.blackBoxY);
    EXPECT_EQ(*std::max_element(glyph.bytes.begin(), glyph.bytes.end()), 64);
    for (int32_t r = 0; r < m.blackBoxY; ++r)
        for (int32_t c = m.blackBoxX; c < rowBytes; ++c)
            EXPECT_EQ(glyph.bytes[std::size_t(r) * rowBytes + c], 0) << "padding of row " << r;
}

TEST(GdiRasteriserTest, HorizontalGlyphHasSaneMetricsAndCoverage) {
    GdiRasteriser rasteriser;
    const RasterGlyph a = glyphOf(rasteriser, kGothic32, u'あ');
    EXPECT_GE(a.metrics.blackBoxX, 20);
    EXPECT_LE(a.metrics.blackBoxX, 32);
    EXPECT_GE(a.metrics.blackBoxY, 20);
    EXPECT_LE(a.metrics.blackBoxY, 32);
    EXPECT_GE(a.metrics.cellIncX, 28);
    EXPECT_LE(a.metrics.cellIncX, 32);
    EXPECT_EQ(a.metrics.cellIncY, 0);
    // The black box lies below the ascent line and starts right of the pen.
    EXPECT_GT(a.metrics.originY, 0);
    EXPECT_LE(a.metrics.originY, rasteriser.ascent(kGothic32));
    expectCoverageFormat(a);

    const int32_t ascent = rasteriser.ascent(kGothic32);
    EXPECT_GE(ascent, 20);
    EXPECT_LE(ascent, 32);

    // A half-width letter advances half as far; its odd width is padded.
    const RasterGlyph letter = glyphOf(rasteriser, kGothic32, u'A');
    EXPECT_EQ(letter.metrics.cellIncX * 2, a.metrics.cellIncX);
    expectCoverageFormat(letter);
}

TEST(GdiRasteriserTest, VerticalFontRotatesGlyphsAndAdvancesDownwards) {
    GdiRasteriser rasteriser;
    // A Latin letter is turned on its side in vertical text: its box is swapped exactly.
    const RasterGlyph across = glyphOf(rasteriser, kGothic32, u'A');
    const RasterGlyph down = glyphOf(rasteriser, kVerticalGothic32, u'A');
    EXPECT_EQ(down.metrics.blackBoxX, across.metrics.blackBoxY);
    EXPECT_EQ(down.metrics.blackBoxY, across.metrics.blackBoxX);
    expectCoverageFormat(down);

    // The long-vowel mark is a flat bar across and a tall bar in vertical text.
    const RasterGlyph bar = glyphOf(rasteriser, kGothic32, u'ー');
    const RasterGlyph tallBar = glyphOf(rasteriser, kVerticalGothic32, u'ー');
    EXPECT_GT(bar.metrics.blackBoxX, 4 * bar.metrics.blackBoxY);
    EXPECT_GT(tallBar.metrics.blackBoxY, 4 * tallBar.metrics.blackBoxX);

    // The advance moves down the frame by the full cell; nothing across.
    const RasterGlyph a = glyphOf(rasteriser, kGothic32, u'あ');
    const RasterGlyph verticalA = glyphOf(rasteriser, kVerticalGothic32, u'あ');
    EXPECT_EQ(verticalA.metrics.cellIncX, 0);
    EXPECT_EQ(verticalA.metrics.cellIncY, a.metrics.cellIncX);
    EXPECT_EQ(down.metrics.cellIncY, across.metrics.cellIncX);
    EXPECT_EQ(rasteriser.ascent(kVerticalGothic32), rasteriser.ascent(kGothic32));
}

TEST(GdiRasteriserTest, SpacesHaveMetricsButNoBytes) {
    GdiRasteriser rasteriser;
    for (const FontSpec& font : {kGothic32, kVerticalGothic32}) {
        const RasterGlyph space = glyphOf(rasteriser, font, u' ');
        const RasterGlyph wideSpace = glyphOf(rasteriser, font, u'\u3000');
        EXPECT_TRUE(space.bytes.empty());
        EXPECT_TRUE(wideSpace.bytes.empty());
        const int32_t spaceAdvance = space.metrics.cellIncX + space.metrics.cellIncY;
        const int32_t wideAdvance = wideSpace.metrics.cellIncX + wideSpace.metrics.cellIncY;
        EXPECT_GT(spaceAdvance, 0);
        EXPECT_EQ(wideAdvance, 2 * spaceAdvance);
    }
}

TEST(GdiRasteriserTest, TextExtentsGrowWithTheTextAndMatchTheAdvances) {
    GdiRasteriser rasteriser;
    EXPECT_EQ(rasteriser.textExtent(kGothic32, u"").cx, 0);
    EXPECT_EQ(rasteriser.textExtent(kGothic32, u"").cy, 0);
    const TextExtent one = rasteriser.textExtent(kGothic32, u"あ");
    const TextExtent three = rasteriser.textExtent(kGothic32, u"あいう");
    const TextExtent five = rasteriser.textExtent(kGothic32, u"あいうえお");
    EXPECT_LT(one.cx, three.cx);
    EXPECT_LT(three.cx, five.cx);
    EXPECT_EQ(three.cx, 3 * glyphOf(rasteriser, kGothic32, u'あ').metrics.cellIncX);
    // A positive height is the cell height, and the extent is one cell high.
    EXPECT_EQ(one.cy, 32);
    EXPECT_EQ(five.cy, 32);
    // A smaller font measures narrower; a 1023-character text is measured whole.
    EXPECT_LT(rasteriser.textExtent({kGothic32.face, 16, 0, 400}, u"あいう").cx, three.cx);
    EXPECT_EQ(rasteriser.textExtent(kGothic32, std::u16string(1023, u'字')).cx,
              1023 * glyphOf(rasteriser, kGothic32, u'字').metrics.cellIncX);
}

TEST(GdiRasteriserTest, MeiryoAndBoldFontsWork) {
    GdiRasteriser rasteriser;
    const FontSpec meiryo{u"メイリオ", 44, 0, 400};
    const RasterGlyph a = glyphOf(rasteriser, meiryo, u'あ');
    expectCoverageFormat(a);
    EXPECT_GT(a.metrics.blackBoxX, glyphOf(rasteriser, kGothic32, u'あ').metrics.blackBoxX);
    EXPECT_GT(rasteriser.ascent(meiryo), rasteriser.ascent(kGothic32));
    EXPECT_GT(rasteriser.textExtent(meiryo, u"字幕").cx, 0);

    // Bold ink is heavier: the cache must tell the weights apart.
    const RasterGlyph regular = glyphOf(rasteriser, kGothic32, u'字');
    const RasterGlyph bold = glyphOf(rasteriser, {kGothic32.face, 32, 0, 700}, u'字');
    EXPECT_GT(inkOf(bold), inkOf(regular));
}

TEST(GdiRasteriserTest, RepeatedGlyphsComeFromTheCacheUnchanged) {
    GdiRasteriser rasteriser;
    const RasterGlyph first = glyphOf(rasteriser, kGothic32, u'字');
    EXPECT_EQ(rasteriser.gdiGlyphCalls(), 1);
    const RasterGlyph again = glyphOf(rasteriser, kGothic32, u'字');
    EXPECT_EQ(rasteriser.gdiGlyphCalls(), 1);
    EXPECT_EQ(again.bytes, first.bytes);
    EXPECT_EQ(again.metrics.blackBoxX, first.metrics.blackBoxX);
    EXPECT_EQ(again.metrics.originY, first.metrics.originY);
    EXPECT_EQ(again.metrics.cellIncX, first.metrics.cellIncX);

    // Another font, another height or another character each go to GDI.
    glyphOf(rasteriser, kVerticalGothic32, u'字');
    glyphOf(rasteriser, {kGothic32.face, 24, 0, 400}, u'字');
    glyphOf(rasteriser, kGothic32, u'幕');
    EXPECT_EQ(rasteriser.gdiGlyphCalls(), 4);

    // A fresh rasteriser, with nothing cached, produces the same bytes.
    GdiRasteriser fresh;
    EXPECT_EQ(glyphOf(fresh, kGothic32, u'字').bytes, first.bytes);
}

TEST(GdiRasteriserTest, CacheStaysBoundedAndCorrectBeyondItsCapacity) {
    GdiRasteriser rasteriser;
    const FontSpec small{kGothic32.face, 8, 0, 400};
    const RasterGlyph first = glyphOf(rasteriser, small, u'一');
    const int count = int(GdiRasteriser::kMaxCachedGlyphs) + 10;
    for (int i = 1; i <= count; ++i) rasteriser.rasterise(small, char16_t(u'一' + i));
    EXPECT_EQ(rasteriser.gdiGlyphCalls(), count + 1);
    // The first glyph was let go with the rest and comes back identical.
    EXPECT_EQ(glyphOf(rasteriser, small, u'一').bytes, first.bytes);
    EXPECT_EQ(rasteriser.gdiGlyphCalls(), count + 2);
}

}  // namespace
}  // namespace qucap
