// Frames and caption times, and the snapping of starts and ends to cuts.
#include "app/timing/shot_snapping.h"

#include <gtest/gtest.h>

#include "app/core/caption_list/caption_columns.h"
#include "tests/support/recording_ui.h"

namespace qucap {
namespace {

constexpr FrameClock kNtsc{333'667};  // 29.97 frames a second
constexpr FrameClock kPal{400'000};   // 25

TEST(FrameClock, CaptionTimesLandOnTheirFrames) {
    for (const FrameClock& clock : {kNtsc, kPal})
        for (int64_t f = 0; f < 20'000; ++f) {
            ASSERT_EQ(clock.firstFrameFrom(clock.startAt(f)), f) << f;
            ASSERT_EQ(clock.lastFrameTo(clock.endAt(f)), f) << f;
            ASSERT_EQ(clock.startAt(f) % 10, 0);
            ASSERT_EQ(clock.endAt(f) % 10, 0);
        }
    EXPECT_EQ(kNtsc.msOf(30), 1001);
    EXPECT_EQ(kNtsc.firstFrameFrom(1000), 30);  // 1001 ms is the first frame at or after 1 s
    EXPECT_EQ(kNtsc.lastFrameTo(1000), 29);
    EXPECT_EQ(kNtsc.startAt(30), 1000);
    EXPECT_EQ(kNtsc.endAt(29), 1000);
    EXPECT_EQ(kPal.lastFrameTo(-1), -1);
}

TEST(ShotSnapping, StartsAndEndsByTheDeliveryRules) {
    const std::vector<int64_t> cuts{100, 200, 210};
    const SnapRules rules;
    struct Case {
        int64_t first, snapped;
    };
    for (const Case c : std::initializer_list<Case>{
             {100, 100}, {112, 100}, {113, 113},        // up to 12 after a cut: onto it
             {99, 100}, {93, 100}, {92, 88}, {89, 88},  // 1-7 before: onto it; 8-11: 12 before it
             {88, 88}, {87, 87}, {0, 0}, {300, 300},
             {204, 200}, {205, 200}, {206, 210},        // between two cuts: onto the nearer
         })
        EXPECT_EQ(snapStartFrame(c.first, cuts, rules), c.snapped) << c.first;

    struct EndCase {
        int64_t last, first, snapped;  // the last frame shown
    };
    for (const EndCase c : std::initializer_list<EndCase>{
             {99, 50, 97}, {98, 50, 97}, {97, 50, 97}, {90, 50, 97}, {87, 50, 97},  // within 12 before: 2 before
             {86, 50, 86}, {100, 50, 100}, {150, 50, 150}, {99, 98, 98},           // never before its first frame
             {195, 150, 197}, {205, 201, 207},
         })
        EXPECT_EQ(snapEndFrame(c.last, c.first, cuts, rules), c.snapped) << c.last;
    EXPECT_EQ(snapStartFrame(50, {}, rules), 50);

    const SnapRules wide{.startAfter = 3, .startOnto = 2, .startAhead = 5, .endBefore = 4, .endGap = 1};
    EXPECT_EQ(snapStartFrame(104, cuts, wide), 104);
    EXPECT_EQ(snapStartFrame(97, cuts, wide), 95);
    EXPECT_EQ(snapEndFrame(95, 50, cuts, wide), 98);
}

TEST(ShotSnapping, TimesMoveToTheCutsFrames) {
    const std::vector<int64_t> cuts{30, 300};
    // A start 5 frames after the cut at 1.001 s goes onto it; an end 4 frames
    // before the cut at 10.01 s ends 2 frames before it.
    EXPECT_EQ(snapStartTime(1170, cuts, kNtsc, {}), 1000);
    EXPECT_EQ(snapEndTime(9870, 1000, cuts, kNtsc, {}), 9940);
    EXPECT_EQ(kNtsc.lastFrameTo(9940), 297);
    EXPECT_EQ(snapStartTime(5000, cuts, kNtsc, {}), 5000);
    EXPECT_EQ(snapEndTime(5000, 1000, cuts, kNtsc, {}), 5000);
}

// The timeline tab with the snapper of the check box: live stamps and typed
// times go onto the cuts (25 fps, cuts at 4 s and 10 s); steps do not.
TEST(ShotSnapping, TheTimelineTabsStampsAndTypedTimes) {
    CaptionList list;
    test::RecordingUi ui;
    TimelineTab tab{list, ui};
    for (int i = 0; i < 2; ++i) {
        WorkingRow row;
        row.texts[0] = row.plainTexts[0] = u"本文";
        row.start = row.duration = u"0:00:00.00";
        list.writeRow(list.appendRow(), row);
    }
    const CutSnapper snapper({100, 250}, kPal);
    tab.setSnapper(&snapper);
    ui.answers = {true};
    ASSERT_EQ(tab.startLive(), 0);
    tab.press(4'170);  // 5 frames after the cut: onto it
    tab.press(9'870);  // the last frame 3 frames before the cut at 10 s: 2 frames before it
    EXPECT_EQ(list.cell(0, ColStart), u"0:00:04.00");
    EXPECT_EQ(list.cell(0, ColDuration), u"0:00:05.91");
    tab.endLive();

    tab.loadRow(1);
    ASSERT_TRUE(tab.commit(u"0:00:04.20", u"0:00:01.00", nullptr, true));
    EXPECT_EQ(list.cell(1, ColStart), u"0:00:04.00");
    EXPECT_EQ(list.cell(1, ColDuration), u"0:00:01.20") << "the end stays where it was typed";
    ASSERT_TRUE(tab.step(TimeField::Start, 10, u"0:00:04.00", u"0:00:01.20"));
    EXPECT_EQ(list.cell(1, ColStart), u"0:00:04.01") << "a step is not snapped back";
    ASSERT_TRUE(tab.commit(u"0:00:04.20", u"0:00:01.00"));
    EXPECT_EQ(list.cell(1, ColStart), u"0:00:04.20") << "only typed times are snapped";
}

}  // namespace
}  // namespace qucap
