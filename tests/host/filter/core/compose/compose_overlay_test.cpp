// The time display and the watermark: what is asked of the canvas, where,
// in which font and style, and when they are left out.
#include "filter/core/compose/overlays.h"
#include "tests/host/filter/core/compose/compose_fixture.h"

namespace qucap {
namespace {

using test::Bgr;
using test::Composer;

FontSpec upright(std::u16string face, int32_t height) { return {std::move(face), height, 0, 400}; }

TEST(TimeDisplay, FourLabelsAndValuesAtTheirPositionsInTheTimeDisplayFont) {
    Composer c;
    c.settings.timeDisplay = 1;
    c.settings.captionInfoPath = u"C:\\字幕\\字幕情報.csv";
    c.initialise();
    c.compose(1000, 60000);  // start 1 s, stop 1.0333667 s
    const auto& calls = c.canvas().calls;
    ASSERT_EQ(calls.size(), 8u);
    const struct {
        int32_t x, y;
        std::u16string_view text;
    } expected[] = {
        {60, 50, u"開始フレーム時間"}, {190, 50, u"0:01:01.000"}, {60, 70, u"終了フレーム時間"},
        {190, 70, u"0:01:01.033"},    {60, 90, u"字幕情報"},      {190, 90, u"C:\\字幕\\字幕情報.csv"},
        {60, 110, u"シーク時間"},      {190, 110, u"0:01:00.000"},
    };
    for (std::size_t i = 0; i < calls.size(); ++i) {
        EXPECT_EQ(calls[i].what, u"text");
        EXPECT_EQ(calls[i].x, expected[i].x) << i;
        EXPECT_EQ(calls[i].y, expected[i].y) << i;
        EXPECT_EQ(calls[i].text, expected[i].text) << i;
        EXPECT_EQ(calls[i].font, upright(u"ＭＳ ゴシック", 16));
        EXPECT_FALSE(calls[i].style.transparent);
    }
    // Opaque: black text on white; the fake draws each character as a box.
    EXPECT_EQ(c.at(60, 50), (Bgr{255, 255, 255}));
    EXPECT_EQ(c.at(61, 51), (Bgr{0, 0, 0}));
}

TEST(TimeDisplay, AMeiryoMainFaceMakesTheFontLargerAndItsFaceHasNoAt) {
    Composer c;
    c.settings.timeDisplay = 1;
    c.settings.mainFace = u"@メイリオ";
    c.initialise();
    c.compose(0);
    ASSERT_FALSE(c.canvas().calls.empty());
    EXPECT_EQ(c.canvas().calls[0].font, upright(u"メイリオ", 22));
}

TEST(TimeDisplay, NeitherOverlayWithoutSampleTimesOrWithTheirFlagsOff) {
    Composer c;
    c.settings.timeDisplay = 1;
    c.settings.watermarkFlag = 1;
    c.settings.watermarkText = u"見本";
    c.initialise();
    const std::vector<uint8_t> plain = c.compose(std::nullopt);
    EXPECT_TRUE(c.canvas().calls.empty());
    EXPECT_EQ(c.at(61, 51), (Bgr{128, 128, 128}));

    Composer off;
    off.initialise();
    off.compose(1000);
    EXPECT_TRUE(off.canvas().calls.empty());
    EXPECT_EQ(off.output, plain);
}

TEST(Watermark, PositionFollowsTheExtentAndTheMeiryoRule) {
    const TextExtent extent{100, 20};
    for (std::u16string_view face : {u"メイリオ", u"@メイリオ", u"Meiryo UI", u"@Meiryo UI"})
        EXPECT_EQ(watermarkPosition(extent, face, 720, 480), (TextPosition{618, 480 - 18})) << std::string(face.size(), 'x');
    for (std::u16string_view face : {u"ＭＳ ゴシック", u"メイリオ ", u"Meiryo", u"@@メイリオ", u""})
        EXPECT_EQ(watermarkPosition(extent, face, 720, 480), (TextPosition{618, 480 - 22}));
    // cy x 8 / 10 is an integer division: 13 gives 10.
    EXPECT_EQ(watermarkPosition({7, 13}, u"メイリオ", 100, 50), (TextPosition{91, 38}));
    // A text wider than the frame starts left of it.
    EXPECT_EQ(watermarkPosition({500, 10}, u"x", 100, 50), (TextPosition{-402, 38}));
}

// Measures every watermark text 20 pixels high and 40 wide.
struct TallWatermarkRasteriser : test::FakeRasteriser {
    TextExtent textExtent(const FontSpec& font, std::u16string_view text) override {
        measured.push_back(font);
        return text == u"透かし" ? TextExtent{40, 20} : FakeRasteriser::textExtent(font, text);
    }
    std::vector<FontSpec> measured;
};

TEST(Watermark, DrawnTransparentInItsColourAndFontAtTheBottomRight) {
    for (const auto& [face, y, font] : {std::tuple{u"メイリオ", 240 - 18, upright(u"メイリオ", 14)},
                                        std::tuple{u"ＭＳ ゴシック", 240 - 22, upright(u"ＭＳ ゴシック", 10)}}) {
        TallWatermarkRasteriser rasteriser;
        test::FakeSurfaceFactory surfaces;
        FrameCompositor compositor(rasteriser, surfaces);
        FilterSettings settings;
        settings.mainFace = face;
        settings.watermarkFlag = 1;
        settings.watermarkText = u"透かし";
        settings.watermarkColour = 0x00123456;
        compositor.initialise(settings, {}, {}, defaultColourTable());
        const PictureFormat in = test::yuy2Format(320, 240), out = test::rgbFormat(320, 240, 24);
        const std::vector<uint8_t> input = test::yuy2Filled(in, {126, 128, 126, 128});
        std::vector<uint8_t> output(test::pictureSize(out));
        ComposeRequest request{input.data(), input.size(), in, output.data(), output.size(), out, SampleTimes{0, 1}, 0};
        ASSERT_EQ(compositor.composeFrame(request), 0);
        const auto& calls = dynamic_cast<test::FakeCanvas&>(surfaces.surface({320, 240, 24})->canvas()).calls;
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].text, u"透かし");
        EXPECT_EQ(calls[0].x, 320 - 40 - 2);
        EXPECT_EQ(calls[0].y, y);
        EXPECT_EQ(calls[0].font, font);
        EXPECT_TRUE(calls[0].style.transparent);
        EXPECT_EQ(calls[0].style.colour, 0x00123456u);
        ASSERT_FALSE(rasteriser.measured.empty());
        EXPECT_EQ(rasteriser.measured.back(), font);
        // The transparent text keeps the picture around its characters.
        EXPECT_EQ(test::pixelOf(output, out, 320 - 42, y), (Bgr{128, 128, 128}));
        EXPECT_EQ(test::pixelOf(output, out, 320 - 41, y + 1), (Bgr{0x12, 0x34, 0x56}));  // 0x00BBGGRR
    }
}

TEST(Watermark, TheMainFaceAsHeldAfterAVerticalRowStillCountsAsMeiryo) {
    Composer c;
    c.settings.mainFace = u"メイリオ";
    c.settings.watermarkFlag = 1;
    c.settings.watermarkText = u"ab";
    c.captions = {test::captionRow(1000, 1000, u"縦", {u"縦書き", u"", u"", u""}, {200, 0, 0, 0})};
    c.initialise();
    c.compose(1500);  // the vertical row: the main face is now "@メイリオ"
    c.compose(5000);
    const auto& calls = c.canvas().calls;
    ASSERT_EQ(calls.size(), 2u);
    // "ab" in the 14-pixel font measures 14 x 14: y = 240 - 14 * 8 / 10 - 2.
    EXPECT_EQ(calls[1].y, 240 - 11 - 2);
    EXPECT_EQ(calls[1].x, 320 - 14 - 2);
}

TEST(Watermark, AnEmptyTextDrawsNothing) {
    Composer c;
    c.settings.watermarkFlag = 1;
    c.initialise();
    c.compose(0);
    EXPECT_TRUE(c.canvas().calls.empty());
}

}  // namespace
}  // namespace qucap
