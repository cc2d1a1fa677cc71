// A whole frame: the movie time of a sample, what is drawn over what, the
// frame bitmap and the output buffer at every size and orientation.
#include "filter/core/layout/layouter.h"
#include "tests/host/filter/core/compose/compose_fixture.h"

namespace qucap {
namespace {

using test::Bgr;
using test::Composer;
using test::captionRow;

constexpr Bgr kGrey{128, 128, 128};

BoxRow box(int32_t start, int32_t end, BoxRect rect, std::u16string colour, int32_t transparency) {
    BoxRow row;
    row.number = 1;
    row.startTime = start;
    row.endTime = end;
    row.boxes = {rect, BoxRect{}};
    row.colour = std::move(colour);
    row.transparency = transparency;
    return row;
}

bool allGrey(const Composer& c) {
    for (int32_t y = 0; y < test::rowsOf(c.outputFormat); ++y)
        for (int32_t x = 0; x < c.outputFormat.width; ++x)
            if (c.at(x, y) != kGrey) return false;
    return true;
}

// The first glyph cell of text 0 of `row`, laid out as the compositor lays it out.
GlyphCell firstCellOf(const Composer& c, const CaptionRow& row) {
    test::FakeRasteriser rasteriser;
    CaptionLayouter layouter(rasteriser);
    layouter.prepareFonts(c.settings);
    RowLayout layout;
    layouter.layoutRow(row, c.colours, c.inputFormat.width, std::abs(c.inputFormat.height), layout);
    EXPECT_FALSE(layout.cells[0].empty());
    return layout.cells[0].empty() ? GlyphCell{} : layout.cells[0][0];
}

TEST(ComposeFrame, ARowIsShownFromItsStartToItsEndInMovieTime) {
    Composer c;
    c.settings.borderType = 3;
    c.captions = {captionRow(1000, 2000, u"横", {u"字", u"", u"", u""}, {100, 0, 0, 0})};
    c.initialise();
    const struct {
        int64_t start100ns;
        bool shown;
    } samples[] = {{9'999'999, false}, {10'000'000, true}, {30'009'999, true}, {30'010'000, false}};
    for (const auto& s : samples) {
        c.composeSample(SampleTimes{s.start100ns, s.start100ns + 1});
        ASSERT_EQ(c.result, 0);
        EXPECT_EQ(!allGrey(c), s.shown) << s.start100ns;
    }
}

TEST(ComposeFrame, TheSeekOffsetIsAddedToTheSampleTime) {
    Composer c;
    c.settings.borderType = 3;
    c.captions = {captionRow(60000, 1000, u"横", {u"字", u"", u"", u""}, {100, 0, 0, 0})};
    c.initialise();
    c.compose(0, 0);
    EXPECT_TRUE(allGrey(c));
    c.compose(0, 60000);
    EXPECT_FALSE(allGrey(c));
}

TEST(ComposeFrame, WithoutSampleTimesThePictureIsPassedOnConvertedOnly) {
    Composer c;
    c.settings.timeDisplay = 1;
    c.captions = {captionRow(1, 100000, u"横", {u"字", u"", u"", u""}, {100, 0, 0, 0})};
    c.boxes = {box(1, 100000, {1, 1, 320, 240}, u"赤", 64)};
    c.initialise();
    c.compose(std::nullopt);
    EXPECT_EQ(c.result, 0);
    EXPECT_TRUE(allGrey(c));
    EXPECT_TRUE(c.canvas().calls.empty());
}

TEST(ComposeFrame, EachLayerIsDrawnOverTheOnesBefore) {
    Composer c;
    c.settings.timeDisplay = 1;
    c.settings.borderType = 1;
    c.settings.gradation = 1;  // opaque rings: their colour shows as it is
    c.settings.mainBorderWidth = 1;
    const CaptionRow row = captionRow(1000, 1000, u"横", {u"$H字", u"", u"", u""}, {150, 0, 0, 0});
    c.captions = {row};
    // A red box at half weight over the whole frame.
    c.boxes = {box(1000, 2000, {1, 1, 320, 240}, u"赤", 32)};
    c.initialise();
    c.compose(1500);
    // The time display's first label lies under the box: white at its edge,
    // black inside, each blended half with red.
    EXPECT_EQ(c.at(60, 50), (Bgr{127, 127, 254}));  // 255 / 2 twice, each truncated
    EXPECT_EQ(c.at(61, 51), (Bgr{0, 0, 127}));
    EXPECT_EQ(c.at(300, 200), (Bgr{64, 64, 191}));  // the picture under the box
    // The bold glyph covers fully in white over the box; its ring (border
    // start of slot K, black) lies over the box too.
    const GlyphCell cell = firstCellOf(c, row);
    EXPECT_EQ(c.at(cell.glyph.x - 1 + 1, cell.glyph.y - 1 + 1), (Bgr{255, 255, 255}));
    EXPECT_EQ(c.at(cell.glyph.x - 1 - 1, cell.glyph.y - 1 + 1), (Bgr{0, 0, 0}));
    EXPECT_EQ(c.at(cell.glyph.x - 1 - 2, cell.glyph.y - 1 + 1), (Bgr{64, 64, 191}));
}

TEST(ComposeFrame, TheBlackBoxIsFilledThroughTheCanvasAfterTheBoxes) {
    Composer c;
    c.settings.borderType = 4;
    const CaptionRow row = captionRow(1000, 1000, u"横", {u"字", u"", u"", u""}, {150, 0, 0, 0});
    c.captions = {row};
    c.boxes = {box(1000, 2000, {1, 1, 320, 240}, u"白", 64)};
    c.initialise();
    c.compose(1500);
    const auto& calls = c.canvas().calls;
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].what, u"fill");
    const PixelRect r = calls[0].rect;
    EXPECT_EQ(c.at(r.left, r.top), (Bgr{0, 0, 0}));
    EXPECT_EQ(c.at(r.left - 1, r.top), (Bgr{255, 255, 255}));
}

TEST(ComposeFrame, BottomUpAndTopDownFramesLookTheSame) {
    std::vector<std::vector<Bgr>> looks;
    for (int32_t height : {240, -240}) {
        Composer c;
        c.inputFormat = test::rgbFormat(320, height, 24);
        c.outputFormat = test::rgbFormat(320, height, 32);
        c.settings.timeDisplay = 1;
        c.settings.watermarkFlag = 1;
        c.settings.watermarkText = u"透かし";
        c.captions = {captionRow(1000, 1000, u"横", {u"字幕", u"じ(まく)", u"二行目", u""}, {150, 130, 200, 0})};
        c.boxes = {box(1000, 2000, {10, 200, 50, 30}, u"青", 40)};
        c.initialise();
        c.compose(1500);
        ASSERT_EQ(c.result, 0);
        std::vector<Bgr> look;
        for (int32_t y = 0; y < 240; ++y)
            for (int32_t x = 0; x < 320; ++x) look.push_back(c.at(x, y));
        looks.push_back(std::move(look));
    }
    EXPECT_TRUE(looks[0] == looks[1]);
    // The box is at its place from the top: frame y 200 is picture row 199.
    EXPECT_EQ(looks[0][std::size_t(198) * 320 + 9], kGrey);
    EXPECT_NE(looks[0][std::size_t(199) * 320 + 9], kGrey);
}

TEST(ComposeFrame, OneSurfacePerOutputGeometryKeptBetweenFrames) {
    Composer c;
    c.initialise();
    for (int i = 0; i < 3; ++i) c.compose(i * 40);
    EXPECT_EQ(c.surfaces.created, 1);
    c.outputFormat = test::rgbFormat(320, 240, 24);
    c.compose(200);
    EXPECT_EQ(c.surfaces.created, 2);
}

TEST(ComposeFrame, AShortOutputBufferReceivesTheFrameUpToItsSize) {
    Composer full, part;
    for (Composer* c : {&full, &part}) {
        c->captions = {captionRow(1000, 1000, u"横", {u"字幕", u"", u"", u""}, {20, 0, 0, 0})};
        c->initialise();
    }
    const std::vector<uint8_t>& whole = full.compose(1000);
    const std::size_t half = whole.size() / 2 + 3;
    const std::vector<uint8_t>& cut = part.compose(1000, 0, half);
    ASSERT_EQ(part.result, 0);
    ASSERT_EQ(cut.size(), half);
    EXPECT_TRUE(std::equal(cut.begin(), cut.end(), whole.begin()));
    // No output buffer at all is no fault either.
    ComposeRequest request{part.input.data(), part.input.size(), part.inputFormat, nullptr, 0, part.outputFormat,
                           SampleTimes{0, 1}, 0};
    EXPECT_EQ(part.compositor.composeFrame(request), 0);
}

TEST(ComposeFrame, EmptyOrRefusedPicturesLeaveTheOutputAlone) {
    Composer c;
    c.initialise();
    std::vector<uint8_t> output(64, 0xEE);
    const std::vector<uint8_t> input(64, 100);
    const auto composeWith = [&](PictureFormat in, PictureFormat out) {
        ComposeRequest request{input.data(), input.size(), in, output.data(), output.size(), out, SampleTimes{0, 1}, 0};
        return c.compositor.composeFrame(request);
    };
    EXPECT_EQ(composeWith(test::yuy2Format(4, 0), test::rgbFormat(4, 0, 32)), 0);
    EXPECT_EQ(composeWith(test::rgbFormat(4, 2, 32), test::rgbFormat(0, 2, 32)), 0);
    EXPECT_EQ(composeWith(test::rgbFormat(4, 2, 16), test::rgbFormat(4, 2, 32)), -1);
    EXPECT_EQ(composeWith(test::yuy2Format(4, 2), test::yuy2Format(4, 2)), -1);
    EXPECT_EQ(output, std::vector<uint8_t>(64, 0xEE));
    EXPECT_EQ(c.surfaces.created, 0);
    // An input of no rows into a real frame: a black frame.
    EXPECT_EQ(composeWith(test::yuy2Format(4, 0), test::rgbFormat(4, 2, 32)), 0);
    EXPECT_EQ(std::vector<uint8_t>(output.begin(), output.begin() + 32), std::vector<uint8_t>(32, 0));
}

TEST(ComposeFrame, EverythingAtOnceOnTinyOddAndHugeFrames) {
    const std::pair<int32_t, int32_t> sizes[] = {{2, 2}, {1, 1}, {3, 5}, {321, 241}, {4096, 2160}};
    for (const auto& [w, h] : sizes)
        for (int border = 1; border <= 4; ++border) {
            if (w == 4096 && border != 1) continue;  // one large frame is enough
            Composer c;
            c.inputFormat = test::yuy2Format(w, h);
            c.outputFormat = test::rgbFormat(w, h, border % 2 == 0 ? 24 : 32);  // both depths
            c.settings.borderType = border;
            c.settings.mainBorderWidth = 9;
            c.settings.timeDisplay = 1;
            c.settings.watermarkFlag = 1;
            c.settings.watermarkText = u"透かし透かし透かし透かし透かし透かし";
            c.captions = {captionRow(1000, 1000, u"横", {std::u16string(1023, u'長'), u"長(ちょう)", u"$U$S下線", u""},
                                     {h, h - 10, h + 400, 0})};
            c.boxes = {box(1000, 2000, {w, h, 5000, 5000}, u"黄", 30)};
            c.initialise();
            c.compose(1500);
            EXPECT_EQ(c.result, 0) << w << "x" << h;
        }
}

TEST(ComposeFrame, AnOutputWiderThanTheInputIsDrawnOverTheInputsWidthOnly) {
    Composer c;
    c.inputFormat = test::yuy2Format(320, 240);
    c.outputFormat = test::rgbFormat(336, 240, 32);
    c.boxes = {box(1, 1000, {1, 1, 320, 240}, u"白", 64)};
    c.initialise();
    c.compose(500);
    EXPECT_EQ(c.at(319, 120), (Bgr{255, 255, 255}));
    EXPECT_EQ(c.at(320, 120), (Bgr{0, 0, 0}));
    EXPECT_EQ(c.at(335, 0), (Bgr{0, 0, 0}));
}

// Players read the fourth byte of an RGB32 frame as alpha: whatever is drawn
// (glyphs, rings, boxes, the black box, the time display, the watermark)
// keeps the fourth byte of the picture beneath, and a frame converted from
// YUY2 or 24 bits carries 0 there throughout.
TEST(ComposeFrame, EveryDrawnPixelKeepsTheFourthByteOfThePictureBeneath) {
    using Fourth = uint8_t (*)(int32_t, int32_t);
    const struct {
        const char* name;
        PictureFormat input;
        Fourth fourth;  // of the picture, and expected in the frame
    } pictures[] = {
        {"rgb32 opaque", test::rgbFormat(320, 240, 32), [](int32_t, int32_t) { return uint8_t(255); }},
        {"rgb32 mixed", test::rgbFormat(320, -240, 32), [](int32_t x, int32_t y) { return uint8_t(x * 7 + y * 13); }},
        {"yuy2", test::yuy2Format(320, 240), [](int32_t, int32_t) { return uint8_t(0); }},
        {"rgb24", test::rgbFormat(320, 240, 24), [](int32_t, int32_t) { return uint8_t(0); }},
    };
    const std::pair<int32_t, int32_t> borders[] = {{1, 0}, {1, 1}, {2, 0}, {4, 0}};  // type, gradation
    for (const auto& picture : pictures)
        for (const auto& [type, gradation] : borders)
            for (bool cache : {true, false}) {
                SCOPED_TRACE(testing::Message() << picture.name << ", border " << type << "/" << gradation
                                                << (cache ? ", cached" : ", laid out afresh"));
                Composer c;
                c.inputFormat = picture.input;
                if (picture.input.kind == PictureKind::Rgb) {
                    c.input = test::rgbPattern(picture.input);
                    for (int32_t y = 0; y < 240; ++y)
                        for (int32_t x = 0; x < 320; ++x)
                            test::setPixel(c.input, picture.input, x, y, test::patternAt(x, y), picture.fourth(x, y));
                }
                c.settings.borderType = type;
                c.settings.gradation = gradation;
                c.settings.timeDisplay = 1;
                c.settings.watermarkFlag = 1;
                c.settings.watermarkText = u"透かし";
                c.captions = {captionRow(1000, 1000, u"横", {u"字幕", u"じ(まく)", u"二行目", u""}, {150, 130, 200, 0})};
                c.boxes = {box(1000, 2000, {10, 120, 200, 60}, u"青", 40)};
                c.initialise();
                c.compositor.setLayoutCache(cache);
                c.compose(1500);
                int wrong = 0;
                for (int32_t y = 0; y < 240; ++y)
                    for (int32_t x = 0; x < 320; ++x)
                        wrong += c.output[test::offsetOf(c.outputFormat, x, y) + 3] == picture.fourth(x, y) ? 0 : 1;
                EXPECT_EQ(wrong, 0);
            }
}

}  // namespace
}  // namespace qucap
