// Whole frames composed with the real GDI rasteriser and the IPA fonts (the
// Wine prefix maps "ＭＳ ゴシック" to IPAGothic), compared with the reference
// pictures in tests/data/reference (colour only). Refresh them deliberately with
// QUCAP_UPDATE_REFERENCES=1 after a change that is meant to alter them.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "captiondata/caption/caption_file.h"
#include "captiondata/colour/colour_info.h"
#include "filter/core/compose/compositor.h"
#include "filter/win/gdi_rasteriser.h"
#include "filter/win/gdi_surface.h"
#include "tests/support/test_io.h"
#include "tests/win/reference_image.h"

namespace qucap::test {
namespace {

constexpr int kWidth = 720;
constexpr int kHeight = 480;
// Other FreeType builds antialias a little differently; the layout may not move.
constexpr ImageTolerance kTolerance{24, 0.002};

CaptionTable tableOf(std::initializer_list<std::u16string_view> rows) {
    TestIo t;
    t.files.addDirectory(u"C:\\r");
    std::vector<std::u16string_view> lines{kCaptionFileHeader};
    lines.insert(lines.end(), rows.begin(), rows.end());
    std::string bytes = "\xFF\xFE";
    for (auto line : lines) bytes += utf16Bytes(std::u16string(line) + u"\r\n");
    t.files.addFile(u"C:\\r\\c.csv", bytes);
    CaptionTable table;
    EXPECT_EQ(readCaptionInfoForFilter(t.io, u"C:\\r\\c.csv", table), 0);
    return table;
}

// A calm picture: a vertical blue-grey gradient with a lighter band.
std::vector<uint8_t> background() {
    std::vector<uint8_t> yuy2(std::size_t(kWidth) * kHeight * 2);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; x += 2) {
            uint8_t* p = &yuy2[(std::size_t(y) * kWidth + x) * 2];
            const uint8_t luma = uint8_t(40 + y * 120 / kHeight + (x > 240 && x < 480 ? 30 : 0));
            p[0] = luma;
            p[1] = 150;
            p[2] = luma;
            p[3] = 120;
        }
    return yuy2;
}

struct Scene {
    FilterSettings settings;
    CaptionTable captions;
    BoxTable boxes;
};

FilterSettings gothic() {
    FilterSettings s;
    s.mainFace = u"ＭＳ ゴシック";
    s.rubyFace = u"ＭＳ ゴシック";
    return s;
}

// The frames at the given times, composed one after another by one compositor.
std::vector<RgbImage> composeSequence(const Scene& scene, std::initializer_list<int32_t> times, bool layoutCache,
                                      bool directOutput = true) {
    GdiRasteriser rasteriser;
    GdiSurfaceFactory surfaces;
    FrameCompositor compositor(rasteriser, surfaces);
    compositor.initialise(scene.settings, scene.captions, scene.boxes, defaultColourTable());
    compositor.setLayoutCache(layoutCache);
    compositor.setDirectOutput(directOutput);
    const std::vector<uint8_t> input = background();
    std::vector<uint8_t> output(std::size_t(kWidth) * kHeight * 4);
    std::vector<RgbImage> frames;
    for (const int32_t milliseconds : times) {
        ComposeRequest request;
        request.input = input.data();
        request.inputSize = input.size();
        request.inputFormat = {PictureKind::Yuy2, kWidth, kHeight, 16, {}};
        request.output = output.data();
        request.outputSize = output.size();
        request.outputFormat = {PictureKind::Rgb, kWidth, kHeight, 32, {}};
        request.times = SampleTimes{int64_t(milliseconds) * 10'000, int64_t(milliseconds) * 10'000 + 333'667};
        EXPECT_EQ(compositor.composeFrame(request), 0);
        frames.push_back(imageOf(FrameBuffer{output.data(), kWidth, kHeight, 4, kWidth * 4, false}));
    }
    return frames;
}

RgbImage compose(const Scene& scene, int32_t milliseconds) {
    return composeSequence(scene, {milliseconds}, true).front();
}

// One frame of a bottom-up RGB32 picture composed into RGB32, bytes as they are.
std::vector<uint8_t> composeRgb32(const Scene& scene, const std::vector<uint8_t>& input, int32_t milliseconds) {
    GdiRasteriser rasteriser;
    GdiSurfaceFactory surfaces;
    FrameCompositor compositor(rasteriser, surfaces);
    compositor.initialise(scene.settings, scene.captions, scene.boxes, defaultColourTable());
    std::vector<uint8_t> output(input.size());
    const PictureFormat rgb32{PictureKind::Rgb, kWidth, kHeight, 32, {}};
    const SampleTimes times{int64_t(milliseconds) * 10'000, int64_t(milliseconds) * 10'000 + 333'667};
    ComposeRequest request{input.data(), input.size(), rgb32, output.data(), output.size(), rgb32, times, 0};
    EXPECT_EQ(compositor.composeFrame(request), 0);
    return output;
}

// The sample row with two half-blue boxes, the watermark and the time display.
Scene everythingScene() {
    Scene scene{gothic(), tableOf({kCaptionSampleRow}), {}};
    BoxRow box;
    box.number = 1;
    box.startFrame = 1;
    box.startTime = 1;
    box.endFrame = 301;
    box.endTime = 10'010;
    box.boxes[0] = {210, 300, 300, 100};
    box.boxes[1] = {450, 330, 200, 80};
    box.colour = u"青";
    box.transparency = 32;
    scene.boxes = {box};
    scene.settings.watermarkFlag = 1;
    scene.settings.watermarkText = u"https://qucap.example.org/";
    scene.settings.watermarkColour = 0x00FFFF00;
    scene.settings.timeDisplay = 1;
    scene.settings.captionInfoPath = u"C:\\字幕作成001\\字幕情報.csv";
    return scene;
}

const std::u16string_view kVerticalRow =
    u"1,0:00:01.00,0:00:05.00,縦,$W$k縦書きの$Y字幕$Wです,620,縦書(たてが)字幕(じまく),660,$W$k$C二行目$Wも縦に,540,二行目(にぎょうめ),580,0";

TEST(ReferenceRender, HorizontalTwoLinesWithRuby) {
    const Scene scene{gothic(), tableOf({kCaptionSampleRow}), {}};
    EXPECT_TRUE(matchesReference("horizontal-ruby.bmp", compose(scene, 5'000), kTolerance));
}

TEST(ReferenceRender, VerticalTwoLinesWithRuby) {
    const Scene scene{gothic(), tableOf({kVerticalRow}), {}};
    EXPECT_TRUE(matchesReference("vertical-ruby.bmp", compose(scene, 2'000), kTolerance));
}

TEST(ReferenceRender, EachBorderType) {
    for (int type = 1; type <= 4; ++type) {
        for (int gradation = 0; gradation <= (type == 1 ? 1 : 0); ++gradation) {
            Scene scene{gothic(), tableOf({kCaptionSampleRow}), {}};
            scene.settings.borderType = type;
            scene.settings.gradation = gradation;
            scene.settings.mainBorderWidth = 5;
            scene.settings.rubyBorderWidth = 2;
            const std::string name = "border-" + std::to_string(type) + (gradation ? "-gradation" : "") + ".bmp";
            EXPECT_TRUE(matchesReference(name, compose(scene, 5'000), kTolerance)) << name;
        }
    }
}

TEST(ReferenceRender, BoxesWatermarkAndTimeDisplay) {
    EXPECT_TRUE(matchesReference("boxes-watermark-time.bmp", compose(everythingScene(), 5'000), kTolerance));
}

// An RGB32 picture as the movie splitter hands it on under Wine: GDI's text
// and fills (time display, watermark, black box) and the pixel work all keep
// its fourth byte, which players read as alpha.
TEST(ReferenceRender, EverythingDrawnKeepsTheFourthByteOfAnRgb32Picture) {
    using Fourth = uint8_t (*)(int, int);
    for (const int type : {1, 4})
        for (const Fourth fourth : {Fourth([](int, int) { return uint8_t(255); }),
                                    Fourth([](int x, int y) { return uint8_t(x * 7 + y * 13); })}) {
            Scene scene = everythingScene();
            scene.settings.borderType = type;
            std::vector<uint8_t> input(std::size_t(kWidth) * kHeight * 4);
            for (std::size_t i = 0; i < input.size(); i += 4) {
                const int x = int(i / 4 % kWidth), y = int(i / 4 / kWidth);
                input[i] = input[i + 1] = input[i + 2] = uint8_t(60 + y / 4);
                input[i + 3] = fourth(x, y);
            }
            const std::vector<uint8_t> output = composeRgb32(scene, input, 5'000);
            int drawn = 0, wrong = 0;
            for (std::size_t i = 0; i < output.size(); i += 4) {
                drawn += std::equal(&output[i], &output[i + 3], &input[i]) ? 0 : 1;
                wrong += output[i + 3] == input[i + 3] ? 0 : 1;
            }
            EXPECT_GT(drawn, 10'000) << "type " << type;
            EXPECT_EQ(wrong, 0) << "type " << type;
        }
}

// With the real rasteriser too, reusing the last layout gives the bytes of
// laying every frame out again: rows change, repeat, switch orientation.
TEST(ReferenceRender, LayoutCacheGivesTheSameFrames) {
    Scene scene{gothic(), tableOf({kVerticalRow, u"2,0:00:07.00,0:00:02.00,横,$H太字$hと$R赤,0,太字(ふとじ),0,,0,,0,0",
                                   u"3,0:00:09.50,0:00:02.00,縦,$I斜め$i,600,,0,,0,,0,0"}),
                {}};
    const auto times = {2'000, 2'033, 7'100, 7'133, 8'000, 9'600, 9'633, 20'000, 2'000};
    for (int type = 1; type <= 4; ++type) {
        scene.settings.borderType = type;
        const auto cached = composeSequence(scene, times, true);
        const auto fresh = composeSequence(scene, times, false);
        ASSERT_EQ(cached.size(), fresh.size());
        for (std::size_t i = 0; i < cached.size(); ++i) EXPECT_TRUE(cached[i] == fresh[i]) << "type " << type << " frame " << i;
    }
}

// Composing in the output sample, with GDI's text and fills relayed through
// the bitmap, gives the bytes of composing in the bitmap and copying it out.
TEST(ReferenceRender, ComposingInTheOutputGivesTheBitmapsBytes) {
    Scene scene = everythingScene();
    // The vertical row after the sample row's ten seconds.
    scene.captions = tableOf({kCaptionSampleRow, u"2,0:00:10.50,0:00:02.00" + std::u16string(kVerticalRow.substr(23))});
    const auto times = {5'000, 5'033, 10'600, 20'000};
    for (int type = 1; type <= 4; ++type) {
        scene.settings.borderType = type;
        const auto relayed = composeSequence(scene, times, true, true);
        const auto inBitmap = composeSequence(scene, times, true, false);
        ASSERT_EQ(relayed.size(), inBitmap.size());
        for (std::size_t i = 0; i < relayed.size(); ++i)
            EXPECT_TRUE(relayed[i] == inBitmap[i]) << "type " << type << " frame " << i;
    }
}

}  // namespace
}  // namespace qucap::test
