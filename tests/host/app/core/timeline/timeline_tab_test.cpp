// The timeline tab's model: the selected row's fields, steps and sliders,
// the range operations, the one-level undo and the live in/out walk.
#include "app/core/timeline/timeline_tab.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/core/caption_list/caption_columns.h"
#include "app/core/timeline/timeline_controls.h"
#include "tests/support/recording_ui.h"

namespace qucap {
namespace {

using test::RecordingUi;

class TimelineTabTest : public ::testing::Test {
protected:
    // Rows with these (start, duration) pairs in caption form.
    void addRows(std::initializer_list<std::pair<std::u16string, std::u16string>> times) {
        for (const auto& [start, duration] : times) {
            WorkingRow row;
            row.texts[0] = row.plainTexts[0] = u"本文";
            row.start = start;
            row.duration = duration;
            list.writeRow(list.appendRow(), row);
        }
        list.clearSelection();
    }
    std::u16string start(int index) const { return list.cell(index, ColStart); }
    std::u16string duration(int index) const { return list.cell(index, ColDuration); }
    std::vector<std::u16string> allTimes() const {
        std::vector<std::u16string> times;
        for (int i = 0; i < list.rowCount(); ++i) {
            times.push_back(start(i));
            times.push_back(duration(i));
        }
        return times;
    }

    CaptionList list;
    RecordingUi ui;
    TimelineTab tab{list, ui};
};

TEST_F(TimelineTabTest, StepsAndSlidersMoveFromTheRowsTimesAndStopAtZero) {
    struct Case {
        const char* what;
        std::u16string start, duration;
        int button;      // a step button id, or 0 for a slider
        TimeField field; // the slider's field
        int position;    // the slider's position
        std::u16string wantStart, wantDuration;
    };
    const Case cases[] = {
        {"-0.1 at 0.05 s", u"0:00:00.05", u"0:00:02.00", 1187, {}, 0, u"0:00:00.00", u"0:00:02.00"},
        {"+0.01 on the start", u"0:00:01.99", u"0:00:02.00", 1190, {}, 0, u"0:00:02.00", u"0:00:02.00"},
        {"-0.01 on the duration", u"0:00:01.00", u"0:00:00.00", 1195, {}, 0, u"0:00:01.00", u"0:00:00.00"},
        {"+0.1 on the duration", u"0:00:01.00", u"0:00:02.95", 1198, {}, 0, u"0:00:01.00", u"0:00:03.05"},
        {"start slider fully left", u"0:00:30.00", u"0:00:02.00", 0, TimeField::Start, 0, u"0:00:00.00", u"0:00:02.00"},
        {"start slider fully right", u"0:00:30.00", u"0:00:02.00", 0, TimeField::Start, 100, u"0:01:20.00", u"0:00:02.00"},
        {"duration slider 52", u"0:00:30.00", u"0:00:02.00", 0, TimeField::Duration, 52, u"0:00:30.00", u"0:00:04.00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        list.clear();
        addRows({{c.start, c.duration}});
        tab.loadRow(0);
        if (c.button) {
            const auto& button = *std::find_if(kTimeStepButtons.begin(), kTimeStepButtons.end(),
                                               [&](const TimeStepButton& b) { return b.id == c.button; });
            const std::u16string typed = tab.shown(button.field);
            const TimeField other = button.field == TimeField::Start ? TimeField::Duration : TimeField::Start;
            EXPECT_TRUE(tab.step(button.field, button.stepMs, typed, tab.shown(other)));
        } else {
            tab.slide(c.field, 30);  // a drag passes other places first
            const std::u16string shown = tab.slide(c.field, c.position);
            EXPECT_EQ(start(0), c.start) << "a drag in progress is not in the list";
            EXPECT_TRUE(tab.commit(tab.shown(TimeField::Start), tab.shown(TimeField::Duration)));
        }
        EXPECT_EQ(start(0), c.wantStart);
        EXPECT_EQ(duration(0), c.wantDuration);
        EXPECT_TRUE(tab.undoAvailable());
    }
}

TEST_F(TimelineTabTest, AWrongTimeIsPutBackAndKeepsTheLastChangeUndoable) {
    addRows({{u"0:00:01.00", u"0:00:02.00"}, {u"0:00:05.00", u"0:00:01.00"}});
    tab.loadRow(0);
    ASSERT_TRUE(tab.commit(u"1.5", u"0:00:02.00"));
    EXPECT_EQ(start(0), u"0:00:01.50");

    TimeField failed = TimeField::Start;
    EXPECT_FALSE(tab.commit(u"0:00:01.50", u"1:2:3", &failed));
    EXPECT_EQ(failed, TimeField::Duration);
    EXPECT_EQ(ui.messageLine, kTimeFieldError);
    EXPECT_EQ(tab.shown(TimeField::Duration), u"0:00:02.00") << "the field shows its value before the typing";
    EXPECT_EQ(duration(0), u"0:00:02.00");

    // Undo still returns to the times before the good commit.
    ui.answers = {true};
    ASSERT_TRUE(tab.undo());
    EXPECT_EQ(ui.questions.back().text, kTimesUndoQuestion);
    EXPECT_EQ(start(0), u"0:00:01.00");
    EXPECT_FALSE(tab.undoAvailable());

    // A step on a wrong field steps from the last good value and still says why.
    tab.loadRow(1);
    EXPECT_TRUE(tab.step(TimeField::Start, 100, u"x", u"0:00:01.00"));
    EXPECT_EQ(start(1), u"0:00:05.10");
}

TEST_F(TimelineTabTest, RangeOperationsChangeExactlyTheirRowsAndUndoRestoresAll) {
    addRows({{u"0:00:01.00", u"0:00:02.00"},
             {u"0:00:04.00", u"0:00:02.00"},
             {u"0:00:07.00", u"0:00:02.00"},
             {u"0:00:10.00", u"0:00:02.00"}});

    TimeRangeRequest slide{false, u"2", u"3", RangeOperation::SlideStart, u"0:00:01.00", true};
    ASSERT_EQ(tab.runRange(slide).status, 0);
    EXPECT_EQ(allTimes(), (std::vector<std::u16string>{u"0:00:01.00", u"0:00:02.00", u"0:00:05.00", u"0:00:02.00",
                                                       u"0:00:08.00", u"0:00:02.00", u"0:00:10.00", u"0:00:02.00"}));

    // Lengthening all by 5 s: only the last row, whose new end reaches no next row.
    TimeRangeRequest lengthen{true, u"", u"", RangeOperation::ChangeDuration, u"5", true};
    ASSERT_EQ(tab.runRange(lengthen).status, 0);
    EXPECT_EQ(duration(0), u"0:00:02.00");
    EXPECT_EQ(duration(2), u"0:00:02.00");
    EXPECT_EQ(duration(3), u"0:00:07.00");

    TimeRangeRequest shorten{true, u"", u"", RangeOperation::ChangeDuration, u"0:00:03.00", false};
    ASSERT_EQ(tab.runRange(shorten).status, 0);
    EXPECT_EQ(duration(0), u"0:00:00.00");
    EXPECT_EQ(duration(3), u"0:00:04.00");

    // Undo returns to the times before the last operation, in every row.
    ui.answers = {true};
    ASSERT_TRUE(tab.undo());
    EXPECT_EQ(duration(0), u"0:00:02.00");
    EXPECT_EQ(duration(3), u"0:00:07.00");

    TimeRangeRequest clear{false, u"1", u"4", RangeOperation::Clear, u"", false};
    ASSERT_EQ(tab.runRange(clear).status, 0);
    EXPECT_EQ(allTimes(), std::vector<std::u16string>(8, u"0:00:00.00"));
    ui.answers = {false};
    EXPECT_FALSE(tab.undo());
    EXPECT_EQ(start(3), u"0:00:00.00");
}

TEST_F(TimelineTabTest, RefusedRangesSayWhyAndChangeNothing) {
    addRows({{u"0:00:01.00", u"0:00:02.00"}, {u"0:00:04.00", u"0:00:02.00"}, {u"0:00:07.00", u"0:00:02.00"}});
    ASSERT_EQ(tab.runRange({true, u"", u"", RangeOperation::SlideStart, u"1", true}).status, 0);
    const std::vector<std::u16string> after = allTimes();
    struct Case {
        TimeRangeRequest request;
        std::u16string_view message;
        RangeField focus;
    };
    const Case cases[] = {
        {{false, u"3", u"2", RangeOperation::Clear, u"", false}, kLastRowError, RangeField::LastRow},
        {{false, u"0", u"2", RangeOperation::Clear, u"", false}, kFirstRowError, RangeField::FirstRow},
        {{false, u"1", u"4", RangeOperation::Clear, u"", false}, kLastRowError, RangeField::LastRow},
        {{true, u"", u"", RangeOperation::SlideStart, u"1:2:3", false}, kSlideAmountError, RangeField::Amount},
        {{true, u"", u"", RangeOperation::ChangeDuration, u"abc", true}, kDurationAmountError, RangeField::Amount},
    };
    for (const Case& c : cases) {
        const TimeRangeResult result = tab.runRange(c.request);
        EXPECT_EQ(result.status, -1);
        EXPECT_EQ(result.focus, c.focus);
        EXPECT_EQ(ui.messageLine, c.message);
        EXPECT_EQ(allTimes(), after);
    }
    // The refusals kept the backup of the good operation.
    ui.answers = {true};
    ASSERT_TRUE(tab.undo());
    EXPECT_EQ(start(0), u"0:00:01.00");
}

TEST_F(TimelineTabTest, TheLiveWalkStampsTheUntimedRowsOneAfterAnother) {
    addRows({{u"0:00:01.00", u"0:00:02.00"}, {u"0:00:00.00", u"0:00:00.00"}, {u"0:00:09.00", u"0:00:01.00"},
             {u"0:00:00.00", u"0:00:00.00"}});
    ui.answers = {false};
    EXPECT_EQ(tab.startLive(), -1);
    EXPECT_EQ(ui.questions.back().text, kLiveTimingQuestion);

    ui.answers = {true};
    ASSERT_EQ(tab.startLive(), 1);
    tab.loadRow(1);
    EXPECT_EQ(tab.press(4'000).stampedRow, 1);
    EXPECT_EQ(tab.shown(TimeField::Start), u"0:00:04.00") << "the row shown takes the stamp";
    const LivePress out = tab.press(6'500);
    EXPECT_EQ(out.stampedRow, 1);
    EXPECT_EQ(out.nextRow, 3);
    EXPECT_EQ(duration(1), u"0:00:02.50");

    // An out press before the in time leaves the duration and the walk ends.
    tab.press(12'000);
    const LivePress last = tab.press(11'000);
    EXPECT_TRUE(last.finished);
    EXPECT_EQ(start(3), u"0:00:12.00");
    EXPECT_EQ(duration(3), u"0:00:00.00");
    EXPECT_FALSE(tab.live());

    // Undo takes the whole walk back.
    ui.answers = {true};
    ASSERT_TRUE(tab.undo());
    EXPECT_EQ(start(1), u"0:00:00.00");
    EXPECT_EQ(start(3), u"0:00:00.00");

    // With every row timed, nothing happens after the question.
    list.clear();
    addRows({{u"0:00:01.00", u"0:00:02.00"}});
    ui.answers = {true};
    EXPECT_EQ(tab.startLive(), -1);
    EXPECT_FALSE(tab.live());
}

TEST_F(TimelineTabTest, ARowDeletedDuringTheWalkIsNeverStamped) {
    addRows({{u"0:00:00.00", u"0:00:00.00"}});
    ui.answers = {true};
    ASSERT_EQ(tab.startLive(), 0);
    list.clear();
    const LivePress press = tab.press(3'000);
    EXPECT_EQ(press.stampedRow, -1);
    EXPECT_TRUE(press.finished);
    EXPECT_FALSE(tab.live());
}

TEST(TimelineControls, EnablingFollowsTheModeThePlayStateAndLiveTiming) {
    auto enabled = [](PlayState state, TimelineTabState tab) {
        std::vector<int> ids;
        for (const ControlEnabling& control : timelineControlStates(state, tab))
            if (control.enabled) ids.push_back(control.id);
        std::sort(ids.begin(), ids.end());
        return ids;
    };
    TimelineTabState row{true, false, RangeOperation::SlideStart, false, false};
    EXPECT_EQ(enabled(PlayState::Stopped, row),
              (std::vector<int>{1001, 1018, 1117, 1123, 1143, 1144, 1187, 1188, 1189, 1190, 1191, 1192, 1194, 1195, 1196,
                                1197, 1198, 1200, 1401}))
        << "row mode: times, steps, sliders, mode radios, live, snapping; repeat not while Stopped";
    TimelineTabState range{false, true, RangeOperation::ChangeDuration, true, false};
    EXPECT_EQ(enabled(PlayState::Stopped, range),
              (std::vector<int>{1001, 1011, 1013, 1018, 1145, 1146, 1147, 1149, 1203, 1204, 1205, 1210, 1212, 1401, 1402}))
        << "range mode: the clean-up by the rules beside 実行";
    TimelineTabState live{true, false, RangeOperation::SlideStart, true, true};
    EXPECT_EQ(enabled(PlayState::Playing, live), (std::vector<int>{1019, 1117, 1123, 1189, 1196, 1401}))
        << "while playing live: the in/out button, the time fields and snapping";
    EXPECT_EQ(enabled(PlayState::Paused, live),
              (std::vector<int>{1005, 1019, 1117, 1123, 1143, 1144, 1189, 1192, 1196, 1200, 1401}));
}

}  // namespace
}  // namespace qucap
