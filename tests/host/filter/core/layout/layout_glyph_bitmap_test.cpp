#include "filter/core/layout/glyph_bitmap.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/fake_rasteriser.h"

namespace qucap {
namespace {

// A font 40 high gives the fake's full-width glyphs a black box of 38 x 30.
const FontSpec kFont{u"ＭＳ ゴシック", 40, 0, 400};

TEST(GlyphBitmap, UprightGlyphIsTheRasterisersBitmapAndMetrics) {
    test::FakeRasteriser fake;
    const std::optional<RasterGlyph> raw = fake.rasterise(kFont, u'あ');
    const std::optional<RasterisedGlyph> glyph = rasteriseGlyph(fake, kFont, u'あ', false);
    ASSERT_TRUE(glyph);
    EXPECT_EQ(glyph->bitmap.width, 38);
    EXPECT_EQ(glyph->bitmap.height, 30);
    EXPECT_EQ(glyph->bitmap.rowBytes(), 40);
    EXPECT_EQ(glyph->bitmap.bytes, raw->bytes);
    EXPECT_EQ(glyph->metrics.cellIncX, 40);
    EXPECT_EQ(glyph->metrics.originY, 30);
}

TEST(GlyphBitmap, ItalicMarginGrowsWithTheHeight) {
    EXPECT_EQ(italicMargin(30), 12);
    EXPECT_EQ(italicMargin(0), 0);
    EXPECT_EQ(italicMargin(2), 0);
    EXPECT_EQ(italicMargin(3), 4);
    EXPECT_EQ(italicMargin(36), 12);
    EXPECT_EQ(italicMargin(39), 16);
}

TEST(GlyphBitmap, ItalicRowsLeanRightByOnePixelPerThreeUp) {
    test::FakeRasteriser fake;
    const std::vector<uint8_t> upright = fake.rasterise(kFont, u'あ')->bytes;
    const std::optional<RasterisedGlyph> glyph = rasteriseGlyph(fake, kFont, u'あ', true);
    ASSERT_TRUE(glyph);
    const CoverageBitmap& b = glyph->bitmap;
    EXPECT_EQ(b.width, 52);  // 40 bytes of the upright row and a margin of 12
    EXPECT_EQ(b.height, 30);
    ASSERT_EQ(b.bytes.size(), 52u * 30u);
    for (int r = 0; r < 30; ++r) {
        const int shift = (30 - r) / 3;
        for (int col = 0; col < 52; ++col) {
            const int source = col - shift;
            const uint8_t expected = source >= 0 && source < 40 ? upright[r * 40 + source] : 0;
            ASSERT_EQ(b.at(r, col), expected) << "row " << r << " column " << col;
        }
    }
    // The top row moves 10 pixels, the bottom row not at all.
    EXPECT_EQ(b.at(0, 10 + 1), upright[1]);
    EXPECT_EQ(b.at(29, 1), upright[29 * 40 + 1]);
}

TEST(GlyphBitmap, CharacterWithoutInkIsAZeroBitmapOfTheBlackBox) {
    test::FakeRasteriser fake;
    const std::optional<RasterisedGlyph> upright = rasteriseGlyph(fake, kFont, u' ', false);
    ASSERT_TRUE(upright);
    EXPECT_EQ(upright->bitmap.width, 18);  // half width: advance 20, black box 18 x 30
    EXPECT_EQ(upright->bitmap.bytes, std::vector<uint8_t>(20 * 30, 0));

    const std::optional<RasterisedGlyph> italic = rasteriseGlyph(fake, kFont, u'\u3000', true);
    ASSERT_TRUE(italic);
    EXPECT_EQ(italic->bitmap.width, 52);
    EXPECT_EQ(italic->bitmap.bytes, std::vector<uint8_t>(52 * 30, 0));
}

TEST(GlyphBitmap, FailureGivesNothing) {
    test::FakeRasteriser fake;
    fake.failing = u"あ";
    EXPECT_FALSE(rasteriseGlyph(fake, kFont, u'あ', true));
}

// A rasteriser whose byte count disagrees with its black box.
struct MismatchedRasteriser : GlyphRasteriser {
    std::size_t bytes = 0;
    GlyphMetrics metrics{5, 3, 0, 3, 6, 0};
    std::optional<RasterGlyph> rasterise(const FontSpec&, char16_t) override {
        return RasterGlyph{metrics, std::vector<uint8_t>(bytes, 64)};
    }
    TextExtent textExtent(const FontSpec&, std::u16string_view) override { return {}; }
    int32_t ascent(const FontSpec&) override { return 0; }
};

TEST(GlyphBitmap, BitmapAlwaysMatchesTheBlackBoxWhateverTheRasteriserDelivers) {
    MismatchedRasteriser fewBytes;
    fewBytes.bytes = 10;  // less than the 8 x 3 the black box needs
    const RasterisedGlyph a = *rasteriseGlyph(fewBytes, kFont, u'a', true);
    EXPECT_EQ(a.bitmap.bytes.size(), std::size_t(a.bitmap.rowBytes()) * 3);
    EXPECT_EQ(std::count(a.bitmap.bytes.begin(), a.bitmap.bytes.end(), 64), 10);

    MismatchedRasteriser manyBytes;
    manyBytes.bytes = 1000;
    const RasterisedGlyph b = *rasteriseGlyph(manyBytes, kFont, u'a', false);
    EXPECT_EQ(b.bitmap.bytes.size(), 24u);

    MismatchedRasteriser negative;
    negative.metrics.blackBoxX = -4;
    negative.metrics.blackBoxY = -2;
    negative.bytes = 16;
    const RasterisedGlyph c = *rasteriseGlyph(negative, kFont, u'a', true);
    EXPECT_EQ(c.bitmap.height, 0);
    EXPECT_TRUE(c.bitmap.bytes.empty());
}

}  // namespace
}  // namespace qucap
