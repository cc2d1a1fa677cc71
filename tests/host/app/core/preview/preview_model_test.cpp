#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <tuple>
#include <utility>

#include "app/core/preview/preview_display.h"
#include "app/core/preview/preview_layout.h"
#include "app/core/preview/preview_position.h"

namespace qucap {
namespace {

// 4500 frames at 29.97 frames a second: 2 min 30.150 s.
const MediaFacts kMovie{.duration = 1'501'501'500, .frameDuration = 333'667, .totalFrames = 4500};
// 250 frames of 40 ms, the last one short; a page is 2 frames.
const MediaFacts kShort{.duration = 99'990'000, .frameDuration = 400'000, .totalFrames = 250, .earliestPosition = 1'000};

TEST(PreviewPosition, FrameTimeAndBarFollowThePosition) {
    struct Case { int64_t position; bool seekable; int64_t frame, ms; int bar; };
    const Case cases[] = {
        {0, true, 1, 0, 0},           {333'666, true, 1, 0, 0},       {333'667, true, 2, 33, 0},
        {750'000'000, true, 2248, 74'974, 49},
        {1'501'501'500, true, 4500, 150'116, 99},  // the bar's last value, not 100
        {INT64_MAX, true, 4500, 150'116, 99},      {-5, true, 1, 0, 0},
        {750'000'000, false, 1, 0, 0},             // no seeking: frame 1
    };
    for (const Case& c : cases) {
        const PreviewPosition at(kMovie, c.position, c.seekable);
        EXPECT_EQ(at.currentFrame(), c.frame) << c.position;
        EXPECT_EQ(at.currentTimeMs(), c.ms) << c.position;
        EXPECT_EQ(at.scrollPosition(), c.bar) << c.position;
    }
}

TEST(PreviewPosition, SeekTargetsStayInsideTheMovie) {
    struct Case { int64_t frame, back, forward, pageBack, pageForward; };
    const Case cases[] = {
        {1, 0, 400'000, 0, 800'000},  // nothing before the first frame
        {10, 3'200'000, 4'000'000, 2'800'000, 4'400'000},
        {249, 98'800'000, 99'600'000, 98'400'000, 99'990'000},
        {250, 99'200'000, 99'990'000, 98'800'000, 99'990'000},  // at most the duration
    };
    for (const Case& c : cases) {
        const PreviewPosition at(kShort, (c.frame - 1) * 400'000);
        ASSERT_EQ(at.currentFrame(), c.frame);
        EXPECT_EQ(at.stepBack(), c.back) << c.frame;
        EXPECT_EQ(at.stepForward(), c.forward) << c.frame;
        EXPECT_EQ(at.pageBack(), c.pageBack) << c.frame;
        EXPECT_EQ(at.pageForward(), c.pageForward) << c.frame;
    }
    const PreviewPosition at(kShort, 40'000'000);
    EXPECT_EQ(at.seekToStart(), 1'000);
    // The thumb at 0 goes to the earliest position, not to frame 1's time.
    const std::pair<int, int64_t> percents[] = {{0, 1'000}, {-5, 1'000}, {1, 800'000}, {50, 50'000'000},
                                                {99, 98'800'000}, {150, 98'800'000}};
    for (const auto& [percent, target] : percents) EXPECT_EQ(at.seekToPercent(percent), target) << percent;
}

TEST(PreviewPosition, AMovieWithoutFrameDurationOrFramesStaysAtFrameOne) {
    const MediaFacts noRate{.duration = 30'000'000};
    const MediaFacts noFrames{.frameDuration = 400'000};
    for (const MediaFacts& facts : {noRate, noFrames}) {
        const PreviewPosition at(facts, 12'345'678);
        EXPECT_EQ(at.currentFrame(), 1);
        EXPECT_EQ(at.currentTimeMs(), 0);
        EXPECT_EQ(at.scrollPosition(), 0);
        for (int64_t target : {at.stepBack(), at.stepForward(), at.pageBack(), at.pageForward(), at.seekToPercent(50)})
            EXPECT_EQ(target, 0);
    }
    EXPECT_EQ(counterTexts(PreviewPosition(noRate, 5)), (CounterTexts{u"1 / 0", u"0:00:00.000 / 0:00:03.000"}));
}

TEST(PreviewPosition, ResumingReplaysTheRewindSeconds) {
    const std::tuple<int64_t, int, int64_t> cases[] = {
        {74'974, 3, 719'740'000}, {74'974, 0, 749'740'000},  // rewind 0 resumes at the pause point
        {3'001, 3, 10'000},       {3'000, 3, 10'000},       {0, 0, 10'000},  // never before 1 ms
    };
    for (const auto& [ms, rewind, target] : cases) EXPECT_EQ(pendingSeekTarget(ms, rewind), target) << ms;
}

TEST(PreviewDisplay, CountersCaptionLinesAndTitle) {
    EXPECT_EQ(counterTexts(PreviewPosition(kMovie, 0)), (CounterTexts{u"1 / 4500", u"0:00:00.000 / 0:02:30.150"}));
    EXPECT_EQ(counterTexts(PreviewPosition(kMovie, 750'000'000)),
              (CounterTexts{u"2248 / 4500", u"0:01:14.974 / 0:02:30.150"}));

    const auto row = [](int32_t number, int32_t start, int32_t duration, std::array<std::u16string, 4> texts) {
        CaptionRow caption;
        caption.number = number, caption.start = start, caption.duration = duration, caption.texts = texts;
        return caption;
    };
    const CaptionTable table = {row(0, 0, 9'000, {u"空き"}),  // an empty slot
                                row(1, 1'000, 2'000, {u"$H太字$h", u"ふと", u"100$$"}), row(2, 3'000, 0, {u"次"})};
    const std::pair<int64_t, CaptionLines> lines[] = {
        {999, {}}, {1'000, {u"太字", u"100$"}}, {3'000, {u"太字", u"100$"}}, {3'001, {}},
        {4'294'968'296, {}},  // beyond 32 bits: no caption, not 1 s after a wrap
    };
    for (const auto& [ms, expected] : lines) EXPECT_EQ(captionLinesAt(table, ms), expected) << ms;

    EXPECT_EQ(previewDialogTitle(u"C:\\動画\\a.avi"), u"ﾌﾟﾚﾋﾞｭｰ (a.avi)");
    EXPECT_EQ(previewDialogTitle(u""), u"ﾌﾟﾚﾋﾞｭｰ");
}

TEST(PreviewDisplay, DialogButtonsFollowTheMainWindowRules) {
    // Per state from NoMedia to SynthesisDone: 1107, 1108, 1109, 1110, 1102 and 2 ("終了" like 1009).
    const std::string expected[] = {"000001", "010110", "111110", "010001", "000000", "010101"};
    for (int state = 0; state < int(kPlayStateCount); ++state) {
        std::string cells, ids;
        for (const ControlEnabling& control : previewDialogControlStates(PlayState(state))) {
            cells += control.enabled ? '1' : '0';
            ids += std::to_string(control.id) + ' ';
        }
        EXPECT_EQ(cells, expected[state]) << state;
        EXPECT_EQ(ids, "1107 1108 1109 1110 1102 2 ");
    }
}

TEST(PreviewLayout, DialogFitsTheVideoIntoTheWorkArea) {
    const PreviewDialogMetrics dialog{{470, 440}, {464, 410}, {7, 7, 450, 300}, {1280, 984}, {1280, 1024}};
    PreviewDialogMetrics lowWorkArea = dialog;
    lowWorkArea.workArea = {1280, 600};
    PreviewDialogMetrics tiny = dialog;
    tiny.workArea = {100, 100};
    const std::tuple<PreviewDialogMetrics, ClientSize, PreviewDialogLayout> cases[] = {
        {dialog, {720, 480}, {{740, 620}, {7, 7, 720, 480}, 270, 180, {270, 196}}},
        // Smaller than the area: the width stays, the height shrinks.
        {dialog, {320, 240}, {{470, 380}, {72, 7, 320, 240}, 0, -60, {405, 316}}},
        {dialog, {1920, 1080}, {{1268, 842}, {7, 7, 1248, 702}, 798, 402, {6, 85}}},  // 65 %
        {lowWorkArea, {720, 480}, {{740, 620}, {7, 7, 720, 480}, 270, 180, {270, 0}}},
        {tiny, {720, 480}, {{470, 144}, {228, 7, 7, 4}, 0, -296, {405, 0}}},  // nothing fits: 1 %
        {dialog, {0, 0}, {{470, 440}, {7, 7, 450, 300}, 0, 0, {405, 286}}},  // no picture: as designed
    };
    for (const auto& [metrics, video, expected] : cases)
        EXPECT_EQ(previewDialogLayout(metrics, video), expected) << video.width << "x" << video.height;
}

TEST(PreviewLayout, VideoWindowKeepsTheRatioAtFullHeight) {
    const std::pair<ClientSize, ControlRect> cases[] = {
        {{720, 480}, {0, 0, 450, 300}}, {{640, 480}, {25, 0, 400, 300}},
        {{1920, 1080}, {-41, 0, 533, 300}}, {{720, 0}, {0, 0, 450, 300}}, {{0, 480}, {0, 0, 450, 300}},
    };
    for (const auto& [video, rect] : cases) EXPECT_EQ(videoWindowRect({450, 300}, video), rect) << video.width;
}

}  // namespace
}  // namespace qucap
