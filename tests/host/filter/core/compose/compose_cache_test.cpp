// Reusing the last layout gives exactly the frames that laying every frame
// out again gives, through rows that change, repeat, carry bold into the
// next row or turn the orientation, frames without times, boxes, and every
// border kind, depth and orientation of the frame.
#include "tests/host/filter/core/compose/compose_fixture.h"

namespace qucap {
namespace {

using test::Composer;
using test::captionRow;

BoxRow boxRow(int32_t number, int32_t start, int32_t end, BoxRect box1, BoxRect box2, std::u16string colour,
              int32_t transparency) {
    BoxRow row;
    row.number = number;
    row.startTime = start;
    row.endTime = end;
    row.boxes = {box1, box2};
    row.colour = std::move(colour);
    row.transparency = transparency;
    return row;
}

CaptionTable sequenceRows() {
    return {
        // Bold switched on and left on: it reaches the row's own next frame and the next row.
        captionRow(1000, 999, u"横", {u"前$H$r太字の$R行", u"太字(ふとじ)", u"$U二行目$u$S取消", u"行(ぎょう)"},
                   {150, 128, 190, 170}),
        captionRow(2000, 999, u"横", {u"次の行", u"次(つぎ)", u"", u""}, {120, 100, 0, 0}),
        captionRow(3000, 999, u"縦", {u"縦書き$Bです", u"縦(たて)", u"二列目", u""}, {250, 270, 200, 220}),
        captionRow(4000, 999, u"横", {u"横に戻る$h", u"", u"$I斜体", u""}, {60, 0, 100, 0}),
        captionRow(5000, 999, u"横", {u"端$$から", u"", u"", u""}, {235, 0, 0, 0}),
    };
}

BoxTable sequenceBoxes() {
    return {
        boxRow(1, 1500, 3500, {20, 100, 200, 60}, {150, 120, 100, 100}, u"水", 32),
        boxRow(2, 4500, 6500, {1, 1, 320, 240}, {}, u"桃", 16),
    };
}

// Sample starts in milliseconds; none for a frame without times.
const std::optional<int64_t> kSequence[] = {
    1000, 1033, 1066,        // the first row three times (bold carried into its own frames)
    1500, 1533,              // a box under it
    2000, 2033, std::nullopt, 2066,  // the next row, bold carried in; a frame without times
    3000, 3033, 3500,        // vertical
    4000, 4033,              // back to horizontal
    4500, 5000, 5033, 6000,  // the full-frame box, then the last row over it, then the box alone
    7000,                    // nothing shown
    1000, 1033,              // the first row again, after other rows
};

struct Variant {
    int32_t border;
    int32_t gradation;
    int32_t bits;
    int32_t height;
};

void configure(Composer& c, const Variant& v, bool cache) {
    c.inputFormat = test::yuy2Format(320, 240);
    c.outputFormat = test::rgbFormat(320, v.height, v.bits);
    c.settings.borderType = v.border;
    c.settings.gradation = v.gradation;
    c.settings.mainBorderWidth = 4;
    c.settings.rubyBorderWidth = 2;
    c.settings.timeDisplay = 1;
    c.settings.watermarkFlag = 1;
    c.settings.watermarkText = u"透かし";
    c.captions = sequenceRows();
    c.boxes = sequenceBoxes();
    c.initialise();
    c.compositor.setLayoutCache(cache);
    // A picture with detail, so blends against the wrong background show.
    c.input.assign(test::pictureSize(c.inputFormat), 0);
    for (int32_t y = 0; y < 240; ++y)
        for (int32_t pair = 0; pair < 160; ++pair)
            test::setPair(c.input, c.inputFormat, pair, y,
                          {uint8_t(16 + (pair * 3 + y) % 220), uint8_t(60 + pair % 130), uint8_t(16 + (pair + y * 5) % 220),
                           uint8_t(200 - y % 150)});
}

TEST(LayoutCache, EveryFrameIsTheSameWithAndWithoutTheCache) {
    std::vector<Variant> variants;
    for (int32_t border = 1; border <= 4; ++border) variants.push_back({border, 0, 32, 240});
    variants.push_back({1, 1, 24, 240});
    variants.push_back({2, 0, 24, -240});
    variants.push_back({1, 0, 32, -240});
    for (const Variant& v : variants) {
        // Also composed in the bitmap and copied out, against composing in
        // the output with the drawings of the canvas relayed.
        Composer cached, direct, inBitmap;
        configure(cached, v, true);
        configure(direct, v, false);
        configure(inBitmap, v, true);
        inBitmap.compositor.setDirectOutput(false);
        for (std::size_t i = 0; i < std::size(kSequence); ++i) {
            cached.compose(kSequence[i]);
            direct.compose(kSequence[i]);
            inBitmap.compose(kSequence[i]);
            ASSERT_EQ(cached.result, 0);
            ASSERT_EQ(direct.result, 0);
            const auto where = [&] {
                return testing::Message() << "border " << v.border << " gradation " << v.gradation << " bits "
                                          << v.bits << " height " << v.height << " frame " << i;
            };
            EXPECT_TRUE(cached.output == direct.output) << where();
            EXPECT_TRUE(cached.output == inBitmap.output) << where();
        }
        EXPECT_LT(cached.rasteriser.rasteriseCalls, direct.rasteriser.rasteriseCalls) << v.border;
    }
}

TEST(LayoutCache, BoldCarriedFromTheRowsOwnFrameChangesItsNextFrame) {
    // The row leaves bold on, so its second frame starts bold: the cache
    // must not hand back the first frame's layout; from then on it may.
    Composer c;
    configure(c, {3, 0, 32, 240}, true);
    const std::vector<uint8_t> first = c.compose(1000);
    const std::vector<uint8_t> second = c.compose(1033);
    EXPECT_FALSE(first == second);
    const int calls = c.rasteriser.rasteriseCalls;
    EXPECT_TRUE(c.compose(1066) == second);
    EXPECT_EQ(c.rasteriser.rasteriseCalls, calls);
}

TEST(LayoutCache, ARepeatedRowIsNotRasterisedAgainAndOffLaysOutEveryFrame) {
    for (bool cache : {true, false}) {
        Composer c;
        configure(c, {1, 0, 32, 240}, cache);
        c.compose(4000);
        const int calls = c.rasteriser.rasteriseCalls;
        ASSERT_GT(calls, 0);
        c.compose(4033);
        c.compose(std::nullopt);
        c.compose(4066);
        EXPECT_EQ(c.rasteriser.rasteriseCalls, cache ? calls : 3 * calls);
    }
}

TEST(LayoutCache, ANewTableOrFrameSizeIsLaidOutAfresh) {
    Composer cached, direct;
    const Variant v{1, 0, 32, 240};
    configure(cached, v, true);
    configure(direct, v, false);
    for (Composer* c : {&cached, &direct}) c->compose(2000);
    // The same slot with other texts, as a new initialisation brings it.
    for (Composer* c : {&cached, &direct}) {
        c->captions[1].texts[0] = u"書き換えた行";
        c->initialise();
        c->compose(2000);
    }
    EXPECT_TRUE(cached.output == direct.output);
    // Another frame size for the same row.
    for (Composer* c : {&cached, &direct}) {
        c->inputFormat = test::yuy2Format(256, 240);
        c->outputFormat = test::rgbFormat(256, 240, 32);
        c->input = c->yuy2OrRgbGrey();
        c->compose(2033);
    }
    EXPECT_TRUE(cached.output == direct.output);
}

}  // namespace
}  // namespace qucap
