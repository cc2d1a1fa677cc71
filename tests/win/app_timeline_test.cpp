// The timeline tab in the program's own window, driven by messages: a row's
// times set by field, steps and a slider drag reach the caption-info file at
// the end; a range slide and a clear are undone; a live pass stamps two
// untimed rows while the demo movie plays and stops the preview after the
// last press; and how close a stamp is to the graph's position at the press.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/core/caption_list/caption_columns.h"
#include "app/core/main_window/main_window_texts.h"
#include "app/core/timeline/timeline_tab.h"
#include "app/main_window/app_state.h"
#include "app/main_window/caption_list_view.h"
#include "app/media/preview_control.h"
#include "app/tabs/page.h"
#include "captiondata/text/u16.h"
#include "captiondata/time/time_text.h"
#include "resources/app/page_ids.h"
#include "resources/app/resource.h"
#include "tests/support/test_io.h"
#include "tests/win/app_window_fixture.h"
#include "tests/win/temp_folder.h"
#include "tests/win/test_media.h"

namespace qucap::test {
namespace {

HWND listView() { return GetDlgItem(app().mainWindow, IDC_CAPTION_LIST); }
HWND page() { return app().pages[std::size_t(kTimelineTab)]->window(); }

void click(HWND window, int id) {
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(GetDlgItem(window, id)));
    pumpMessages(20);
}
// Typing then releasing Enter in a time field.
void typeAndEnter(int id, const wchar_t* text) {
    SetDlgItemTextW(page(), id, text);
    SendMessageW(GetDlgItem(page(), id), WM_KEYUP, VK_RETURN, 0);
    pumpMessages(20);
}
void dragSlider(int id, int position) {
    HWND slider = GetDlgItem(page(), id);
    for (const int at : {40, position}) {
        SendMessageW(slider, TBM_SETPOS, TRUE, at);
        SendMessageW(page(), WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, at), LPARAM(slider));
    }
    SendMessageW(page(), WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), LPARAM(slider));
    pumpMessages(20);
}
std::u16string start(int row) { return app().captions.cell(row, ColStart); }
std::u16string duration(int row) { return app().captions.cell(row, ColDuration); }

class TimelineTest : public AppWindowTest {
protected:
    // A new project for `movie`, loaded, with rows of these (start, duration).
    bool openProject(const std::optional<std::u16string>& movie,
                     std::initializer_list<std::pair<const char16_t*, const char16_t*>> times) {
        if (createProject(u"時間", *movie, 720).empty() || !openMainWindow()) return false;
        loadOfferedProject();
        putCaptionRows(times);
        openTab(kTimelineTab);
        return app().projectLoaded && app().playState == PlayState::Stopped;
    }
    static void selectRow(int row) {
        ListView_SetItemState(listView(), row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        pumpMessages(20);
    }
    // The live pass started and answered Yes; false when it did not play.
    bool startLive() {
        boxes_->answerNext({IDYES});
        click(page(), IDC_LIVE_TIMING);
        return app().liveTiming && app().playState == PlayState::Playing;
    }
    // Lets the movie play about `ms`, then presses イン／アウト.
    static void pressAfter(int ms) {
        pumpMessages(ms);
        click(page(), IDC_IN_OUT);
    }
    std::optional<std::u16string> movie_ = testMovie("yuy2.avi");
    std::optional<std::u16string> demo_ = testMovie("demo.avi");
};

TEST_F(TimelineTest, ARowsTimesSetByFieldStepsAndSliderReachTheFileAtTheEnd) {
    if (!movie_) GTEST_SKIP() << "no sample movie (QUCAP_TEST_MEDIA)";
    ASSERT_TRUE(openProject(movie_, {{u"0:00:01.00", u"0:00:02.00"}, {u"0:00:05.00", u"0:00:01.00"}}));
    EXPECT_EQ(IsDlgButtonChecked(page(), IDC_MODE_RANGE), BST_CHECKED) << "no row selected";
    EXPECT_FALSE(controlEnabled(page(), IDC_START_TIME));

    selectRow(0);
    EXPECT_EQ(IsDlgButtonChecked(page(), IDC_MODE_SELECTED_ROW), BST_CHECKED);
    EXPECT_EQ(controlText(page(), IDC_SHOW_LINE1_BODY), u"字幕1");
    EXPECT_EQ(controlText(page(), IDC_START_TIME), u"0:00:01.00");
    EXPECT_FALSE(controlEnabled(page(), IDC_RUN_RANGE));

    // Typing waits for Enter; Enter commits.
    SetDlgItemTextW(page(), IDC_START_TIME, L"1.5");
    pumpMessages(20);
    EXPECT_TRUE(app().captions.pendingEdit());
    SendMessageW(GetDlgItem(page(), IDC_START_TIME), WM_KEYUP, 'A', 0);
    EXPECT_EQ(controlText(main(), IDC_MESSAGE_LINE), kPressEnterMessage);
    SendMessageW(GetDlgItem(page(), IDC_START_TIME), WM_KEYUP, VK_RETURN, 0);
    pumpMessages(20);
    EXPECT_EQ(start(0), u"0:00:01.50");
    EXPECT_FALSE(app().captions.pendingEdit());
    EXPECT_EQ(controlText(main(), IDC_MESSAGE_LINE), u"");

    click(page(), IDC_START_PLUS_TENTH);
    click(page(), IDC_DURATION_MINUS_HUNDREDTH);
    EXPECT_EQ(start(0), u"0:00:01.60");
    EXPECT_EQ(duration(0), u"0:00:01.99");
    dragSlider(IDC_DURATION_SLIDER, 53);
    EXPECT_EQ(duration(0), u"0:00:04.99");
    EXPECT_EQ(SendDlgItemMessageW(page(), IDC_DURATION_SLIDER, TBM_GETPOS, 0, 0), kSliderRest);

    // A wrong time is put back; the list keeps the last good one.
    typeAndEnter(IDC_DURATION_TIME, L"1:2:3");
    EXPECT_EQ(controlText(main(), IDC_MESSAGE_LINE), kTimeFieldError);
    EXPECT_EQ(controlText(page(), IDC_DURATION_TIME), u"0:00:04.99");
    EXPECT_EQ(duration(0), u"0:00:04.99");

    // The display-position tab's undo follows the timeline's.
    Page& positions = *app().pages[std::size_t(kDisplayPositionTab)];
    positions.refresh();
    EXPECT_TRUE(controlEnabled(positions.window(), IDC_UNDO));

    click(main(), IDC_END);
    ASSERT_TRUE(quitPosted() || !app().mainWindow);
    const std::u16string file = fromUtf16Bytes(fileBytes(app().settings.captionInfoPath));
    EXPECT_NE(file.find(u"1,0:00:01.60,0:00:04.99,横,字幕1"), std::u16string::npos) << toUtf8(file);
    EXPECT_NE(file.find(u"2,0:00:05.00,0:00:01.00,横,字幕2"), std::u16string::npos);
}

TEST_F(TimelineTest, ARangeSlideChangesExactlyItsRowsAndUndoBringsBackAClear) {
    if (!movie_) GTEST_SKIP() << "no sample movie (QUCAP_TEST_MEDIA)";
    ASSERT_TRUE(openProject(movie_, {{u"0:00:01.00", u"0:00:01.00"},
                                     {u"0:00:03.00", u"0:00:01.00"},
                                     {u"0:00:05.00", u"0:00:01.00"},
                                     {u"0:00:07.00", u"0:00:01.00"}}));
    CheckRadioButton(page(), IDC_RANGE_ALL_ROWS, IDC_RANGE_ROWS, IDC_RANGE_ROWS);
    click(page(), IDC_RANGE_ROWS);
    EXPECT_TRUE(controlEnabled(page(), IDC_RANGE_FIRST_ROW));
    SetDlgItemTextW(page(), IDC_RANGE_FIRST_ROW, L"3");
    SetDlgItemTextW(page(), IDC_RANGE_LAST_ROW, L"2");
    click(page(), IDC_RUN_RANGE);
    EXPECT_EQ(controlText(main(), IDC_MESSAGE_LINE), kLastRowError);

    SetDlgItemTextW(page(), IDC_RANGE_FIRST_ROW, L"2");
    SetDlgItemTextW(page(), IDC_RANGE_LAST_ROW, L"3");
    SetDlgItemTextW(page(), IDC_SLIDE_AMOUNT, L"0:00:01.00");
    SendDlgItemMessageW(page(), IDC_SLIDE_DIRECTION, CB_SETCURSEL, 1, 0);  // 後方
    click(page(), IDC_RUN_RANGE);
    EXPECT_EQ((std::vector<std::u16string>{start(0), start(1), start(2), start(3)}),
              (std::vector<std::u16string>{u"0:00:01.00", u"0:00:04.00", u"0:00:06.00", u"0:00:07.00"}));
    EXPECT_EQ(controlText(main(), IDC_MESSAGE_LINE), u"");
    EXPECT_TRUE(controlEnabled(page(), IDC_UNDO));

    CheckRadioButton(page(), IDC_RANGE_ALL_ROWS, IDC_RANGE_ROWS, IDC_RANGE_ALL_ROWS);
    CheckRadioButton(page(), IDC_SLIDE_START, IDC_CLEAR_TIMES, IDC_CLEAR_TIMES);
    click(page(), IDC_CLEAR_TIMES);
    EXPECT_FALSE(controlEnabled(page(), IDC_SLIDE_AMOUNT));
    click(page(), IDC_RUN_RANGE);
    EXPECT_EQ(start(3), u"0:00:00.00");
    EXPECT_EQ(duration(3), u"0:00:00.00");

    boxes_->answerNext({IDYES});
    click(page(), IDC_UNDO);
    ASSERT_TRUE(boxes_->waitFor(1));
    EXPECT_EQ(boxes_->texts().back(), kTimesUndoQuestion);
    EXPECT_EQ(start(1), u"0:00:04.00");
    EXPECT_EQ(duration(3), u"0:00:01.00");
    EXPECT_FALSE(controlEnabled(page(), IDC_UNDO));

    // A wider window stretches the displays, the sliders and the group and moves the buttons.
    const RECT slider = screenRect(page(), IDC_START_SLIDER), button = screenRect(page(), IDC_IN_OUT);
    widenMainWindow(80);
    EXPECT_EQ(screenRect(page(), IDC_START_SLIDER).right, slider.right + 80);
    EXPECT_EQ(screenRect(page(), IDC_START_SLIDER).left, slider.left);
    EXPECT_EQ(screenRect(page(), IDC_IN_OUT).left, button.left + 80);
    forceClose();
}

TEST_F(TimelineTest, ALivePassStampsTheTwoUntimedRowsAndStopsAfterTheLast) {
    if (!demo_) GTEST_SKIP() << "no demo movie (QUCAP_TEST_MEDIA)";
    ASSERT_TRUE(openProject(demo_, {{u"0:00:00.10", u"0:00:00.20"},
                                    {u"0:00:00.00", u"0:00:00.00"},
                                    {u"0:00:00.00", u"0:00:00.00"}}));
    CheckDlgButton(main(), IDC_PLAY_WITH_CAPTIONS, BST_CHECKED);
    ASSERT_TRUE(startLive());
    EXPECT_EQ(IsDlgButtonChecked(main(), IDC_PLAY_WITH_CAPTIONS), BST_UNCHECKED);
    EXPECT_TRUE(controlEnabled(main(), IDC_CAPTION_LIST)) << "the list stays usable while timing";
    EXPECT_EQ(app().captions.selection(), 1);
    EXPECT_TRUE(controlEnabled(page(), IDC_IN_OUT));
    EXPECT_FALSE(controlEnabled(page(), IDC_LIVE_TIMING));
    EXPECT_EQ(GetFocus(), GetDlgItem(page(), IDC_IN_OUT));

    pressAfter(600);
    pressAfter(500);
    EXPECT_EQ(app().captions.selection(), 2) << "the next untimed row is being timed";
    EXPECT_EQ(GetFocus(), GetDlgItem(page(), IDC_IN_OUT));
    pressAfter(300);
    pressAfter(500);
    pumpMessages(100);
    EXPECT_EQ(app().playState, PlayState::Stopped);
    EXPECT_FALSE(app().liveTiming);
    EXPECT_EQ(app().captions.selection(), -1);

    const int32_t in1 = parseTime(start(1)), out1 = in1 + parseTime(duration(1));
    const int32_t in2 = parseTime(start(2)), out2 = in2 + parseTime(duration(2));
    EXPECT_GT(in1, 0);
    EXPECT_LT(in1, out1);
    EXPECT_LE(out1, in2);
    EXPECT_LT(in2, out2);
    EXPECT_EQ(start(0), u"0:00:00.10");
    EXPECT_EQ(duration(0), u"0:00:00.20");
    EXPECT_TRUE(controlEnabled(page(), IDC_LIVE_TIMING));
    forceClose();
}

TEST_F(TimelineTest, ALivePassOverAListThatDoesNotValidateEndsAtOnce) {
    if (!demo_) GTEST_SKIP() << "no demo movie (QUCAP_TEST_MEDIA)";
    // The second row starts before the first one ends.
    ASSERT_TRUE(openProject(demo_, {{u"0:00:05.00", u"0:00:02.00"},
                                    {u"0:00:01.00", u"0:00:01.00"},
                                    {u"0:00:00.00", u"0:00:00.00"}}));
    EXPECT_FALSE(startLive());
    EXPECT_FALSE(app().liveTiming);
    EXPECT_EQ(app().playState, PlayState::Stopped);
    EXPECT_EQ(controlText(main(), IDC_MESSAGE_LINE).rfind(u"エラー：2行目の開始時間", 0), 0u);
    EXPECT_TRUE(controlEnabled(page(), IDC_LIVE_TIMING));
    EXPECT_FALSE(controlEnabled(page(), IDC_IN_OUT));
    forceClose();
}

// The in/out press takes the graph's position of its own moment, not the
// counter of the last display slice: the stamp is the start of the frame
// playing then, cut to hundredths.
TEST_F(TimelineTest, AStampIsThePositionOfThePress) {
    if (!demo_) GTEST_SKIP() << "no demo movie (QUCAP_TEST_MEDIA)";
    ASSERT_TRUE(openProject(demo_, {{u"0:00:00.00", u"0:00:00.00"}, {u"0:00:00.00", u"0:00:00.00"},
                                    {u"0:00:00.00", u"0:00:00.00"}, {u"0:00:00.00", u"0:00:00.00"},
                                    {u"0:00:00.00", u"0:00:00.00"}, {u"0:00:00.00", u"0:00:00.00"},
                                    {u"0:00:00.00", u"0:00:00.00"}, {u"0:00:00.00", u"0:00:00.00"},
                                    {u"0:00:00.00", u"0:00:00.00"}, {u"0:00:00.00", u"0:00:00.00"}}));
    ASSERT_TRUE(startLive());
    std::vector<double> differences;
    for (int press = 0; press < 20 && app().liveTiming; ++press) {
        pumpMessages(130 + (press % 3) * 70);
        const int row = app().captions.selection();
        const bool out = press % 2 == 1;
        const double before = double(currentPosition(app().graph)) / 10'000;
        click(page(), IDC_IN_OUT);
        const int32_t stamped = out ? parseTime(start(row)) + parseTime(duration(row)) : parseTime(start(row));
        differences.push_back(before - stamped);
    }
    ASSERT_EQ(differences.size(), 20u);
    std::vector<double> magnitudes;
    for (const double d : differences) magnitudes.push_back(d < 0 ? -d : d);
    std::sort(magnitudes.begin(), magnitudes.end());
    const double frameMs = double(app().movie.frameDuration) / 10'000;
    // A frame's start cut to hundredths, and the graph's own jitter under
    // Wine (its position can step back by a few milliseconds): within two
    // frames, where a stamp of a display slice could be 100 ms old.
    EXPECT_LE(magnitudes.back(), 2 * frameMs + 10);
    std::printf("live stamp: |stamp - graph position at the press| median %.1f ms, worst %.1f ms over 20 presses "
                "(one frame %.1f ms)\n",
                magnitudes[10], magnitudes.back(), frameMs);
    forceClose();
}

}  // namespace
}  // namespace qucap::test
