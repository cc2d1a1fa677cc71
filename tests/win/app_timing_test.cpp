// Timing with the movie in the program's own window: the analysis that
// starts with the load finds the cuts of the clips movie and keeps them
// beside the project; on the timeline tab "ショットに合わせる" snaps a typed
// time, "タイミング調整" asks with its table, changes the rows and is undone;
// the space bar held on "イン／アウト" times a row by itself; and the strip
// across the tab shows the cuts, seeks and sets a row's start and end.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>

#include "app/core/caption_list/caption_columns.h"
#include "app/core/main_window/main_window_texts.h"
#include "app/main_window/app_state.h"
#include "app/main_window/caption_list_view.h"
#include "app/main_window/movie_analysis_worker.h"
#include "app/preview/preview.h"
#include "app/tabs/page.h"
#include "app/tabs/timing_strip_window.h"
#include "app/timing/analysis_cache.h"
#include "app/timing/retime.h"
#include "app/timing/timing_strip.h"
#include "captiondata/time/time_text.h"
#include "resources/app/page_ids.h"
#include "resources/app/resource.h"
#include "tests/win/app_window_fixture.h"
#include "tests/win/test_media.h"

namespace qucap::test {
namespace {

HWND page() { return app().pages[std::size_t(kTimelineTab)]->window(); }
HWND listView() { return GetDlgItem(app().mainWindow, IDC_CAPTION_LIST); }

void click(int id) {
    SendMessageW(page(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(GetDlgItem(page(), id)));
    pumpMessages(20);
}
std::u16string times(int row) {
    return app().captions.cell(row, ColStart) + u" " + app().captions.cell(row, ColDuration);
}

class TimingTest : public AppWindowTest {
protected:
    // The clips movie's project with rows of these (start, duration), loaded
    // with the analysis on, and the analysis waited for.
    bool openProject(std::initializer_list<std::pair<const char16_t*, const char16_t*>> rows) {
        if (!clips_ || (project_ = createProject(u"タイミング", *clips_, 320)).empty() || !openMainWindow())
            return false;
        app().analyseMovies = true;
        loadOfferedProject();
        for (int i = 0; i < 400 && !(app().cuts && app().soundPeaks); ++i) pumpMessages(50);
        messageAfterLoad_ = controlText(main(), IDC_MESSAGE_LINE);
        putCaptionRows(rows);
        openTab(kTimelineTab);
        return app().cuts.has_value();
    }
    std::optional<std::u16string> clips_ = testMovie("clips.avi");
    std::u16string project_;
    std::u16string messageAfterLoad_;
};

TEST_F(TimingTest, TheCutsSnapATypedTimeAndTheCleanUpAsksChangesAndIsUndone) {
    if (!clips_) GTEST_SKIP() << "no clips movie (QUCAP_TEST_MEDIA)";
    ASSERT_TRUE(openProject({{u"0:00:02.20", u"0:00:01.00"}, {u"0:00:03.25", u"0:00:00.30"}, {u"0:00:05.00", u"0:00:08.00"}}));
    EXPECT_EQ(app().cuts->cuts, (std::vector<int64_t>{60, 120, 180}));
    EXPECT_EQ(app().cuts->frameDuration, 333'667);
    ASSERT_TRUE(app().soundPeaks);
    EXPECT_EQ(app().soundPeaks->level(0).size(), 801u) << "10 ms slices of 8.008 s";
    EXPECT_EQ(app().soundPeaks->peakOver(0, 4000, 10), 2048) << "the loud half of the tone";
    EXPECT_EQ(app().soundPeaks->peakOver(4100, 8000, 40), 410);
    EXPECT_EQ(messageAfterLoad_, analysisDoneText(3));
    for (const AnalysisKind kind : {AnalysisKind::Shots, AnalysisKind::Peaks})
        EXPECT_NE(GetFileAttributesW(reinterpret_cast<const wchar_t*>(analysisCachePath(project_, kind).c_str())),
                  INVALID_FILE_ATTRIBUTES);

    // Waiting for nothing: the cleaned-up rules without the check box leave the cuts out.
    click(IDC_RETIME);
    ASSERT_TRUE(boxes_->waitFor(1));
    EXPECT_EQ(boxes_->texts().back().rfind(u"タイミングを次の2件のように変えます。\n", 0), 0u);
    EXPECT_EQ(times(0), u"0:00:02.20 0:00:01.00") << "answered No: nothing changed";

    CheckDlgButton(page(), IDC_SNAP_TO_SHOTS, BST_CHECKED);
    click(IDC_SNAP_TO_SHOTS);
    boxes_->answerNext({IDYES});
    click(IDC_RETIME);
    ASSERT_TRUE(boxes_->waitFor(2));
    const std::u16string question = boxes_->texts().back();
    EXPECT_NE(question.find(u"1   開始  0:00:02.20  0:00:02.00  ショットに合わせる"), std::u16string::npos) << "4 changes";
    EXPECT_EQ(times(0), u"0:00:02.00 0:00:01.20");
    EXPECT_EQ(times(1), u"0:00:03.25 0:00:00.68");
    EXPECT_EQ(times(2), u"0:00:05.00 0:00:07.00");
    EXPECT_EQ(controlText(main(), IDC_MESSAGE_LINE), retimeDoneMessage(4));
    EXPECT_TRUE(controlEnabled(page(), IDC_UNDO));
    boxes_->answerNext({IDYES});
    click(IDC_UNDO);
    EXPECT_EQ(times(0), u"0:00:02.20 0:00:01.00");
    EXPECT_EQ(times(2), u"0:00:05.00 0:00:08.00");

    // The rules of the settings file beside the program: with a longer
    // maximum the long row stays; read at the click, no restart.
    ASSERT_TRUE(WritePrivateProfileStringW(L"Timing", L"MaxMs", L"9000", wide(app().paths.settingsFile)));
    click(IDC_RETIME);
    ASSERT_TRUE(boxes_->waitFor(4)) << "after the question of the undo";
    EXPECT_EQ(boxes_->texts().back().rfind(u"タイミングを次の3件のように変えます。\n", 0), 0u) << "no 最長時間";

    // A typed start 6 frames after the cut at 2.002 s goes onto it; the end stays.
    ListView_SetItemState(listView(), 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    pumpMessages(20);
    SetDlgItemTextW(page(), IDC_START_TIME, L"0:00:02.20");
    SendMessageW(GetDlgItem(page(), IDC_START_TIME), WM_KEYUP, VK_RETURN, 0);
    pumpMessages(20);
    EXPECT_EQ(times(0), u"0:00:02.00 0:00:01.20");
    forceClose();
}

// The menu item stops the analysis; it does not come back until the next load.
TEST_F(TimingTest, TheAnalysisStopsByTheMenuUntilTheNextLoad) {
    if (!clips_) GTEST_SKIP() << "no clips movie (QUCAP_TEST_MEDIA)";
    ASSERT_FALSE((project_ = createProject(u"停止", *clips_, 320)).empty());
    ASSERT_TRUE(openMainWindow());
    app().analyseMovies = true;
    loadOfferedProject();
    ASSERT_TRUE(app().analysisThread) << "the analysis runs after the load";
    SendMessageW(main(), WM_COMMAND, MAKEWPARAM(IDM_STOP_ANALYSIS, 0), 0);
    pumpMessages(100);
    EXPECT_FALSE(app().analysisThread);
    EXPECT_EQ(controlText(main(), IDC_MESSAGE_LINE), kAnalysisStopped);
    resumeMovieAnalysis();
    EXPECT_FALSE(app().analysisThread) << "not after a preview, only after a load";
    loadOfferedProject();
    for (int i = 0; i < 400 && !(app().cuts && app().soundPeaks); ++i) pumpMessages(50);
    EXPECT_TRUE(app().cuts && app().soundPeaks);
    forceClose();
}

TEST_F(TimingTest, TheSpaceBarHeldOnInOutTimesARow) {
    if (!clips_) GTEST_SKIP() << "no clips movie (QUCAP_TEST_MEDIA)";
    ASSERT_TRUE(openProject({{u"0:00:00.00", u"0:00:00.00"}, {u"0:00:00.00", u"0:00:00.00"}}));
    boxes_->answerNext({IDYES});
    click(IDC_LIVE_TIMING);
    ASSERT_TRUE(app().liveTiming && app().playState == PlayState::Playing);
    HWND inOut = GetDlgItem(page(), IDC_IN_OUT);
    pumpMessages(300);
    SendMessageW(inOut, WM_KEYDOWN, VK_SPACE, 0);
    pumpMessages(400);
    SendMessageW(inOut, WM_KEYUP, VK_SPACE, 0xC0000001);
    pumpMessages(20);
    const int32_t start = parseTime(app().captions.cell(0, ColStart));
    const int32_t duration = parseTime(app().captions.cell(0, ColDuration));
    EXPECT_GT(start, 0);
    EXPECT_GE(duration, 300) << "held for 400 ms";
    EXPECT_EQ(app().captions.selection(), 1) << "the next row is being timed";
    // A tap is one press: the in of the next row, its out waits for the next tap.
    SendMessageW(inOut, WM_KEYDOWN, VK_SPACE, 0);
    SendMessageW(inOut, WM_KEYUP, VK_SPACE, 0xC0000001);
    pumpMessages(200);
    EXPECT_GT(parseTime(app().captions.cell(1, ColStart)), start);
    EXPECT_EQ(app().captions.cell(1, ColDuration), u"0:00:00.00");
    SendMessageW(inOut, WM_KEYDOWN, VK_SPACE, 0);
    SendMessageW(inOut, WM_KEYUP, VK_SPACE, 0xC0000001);
    pumpMessages(100);
    EXPECT_GT(parseTime(app().captions.cell(1, ColDuration)), 0);
    EXPECT_FALSE(app().liveTiming) << "the last row was timed";
    forceClose();
}

// The strip across the tab: the cuts in red at their times, a click seeks,
// Shift+click and Ctrl+click set the selected row's start and end, the
// wheel zooms; and how long a redraw takes (printed).
TEST_F(TimingTest, TheStripShowsTheCutsAndItsClicksSeekAndSetTheRow) {
    if (!clips_) GTEST_SKIP() << "no clips movie (QUCAP_TEST_MEDIA)";
    ASSERT_TRUE(openProject({{u"0:00:01.00", u"0:00:00.50"}}));
    HWND strip = GetDlgItem(page(), IDC_TIMING_STRIP);
    ASSERT_TRUE(strip && IsWindowVisible(strip));
    RECT client;
    GetClientRect(strip, &client);
    auto view = [&] {
        return StripView{previewPosition().currentTimeMs(), timingStripSpan(strip), int(client.right)};
    };
    auto clickAt = [&](int64_t ms, WPARAM keys) {
        SendMessageW(strip, WM_LBUTTONDOWN, keys, MAKELPARAM(view().xOf(ms), 5));
        pumpMessages(50);
    };

    clickAt(3'000, 0);
    EXPECT_NEAR(double(previewPosition().currentTimeMs()), 3'000.0, 40.0) << "a click seeks";
    InvalidateRect(strip, nullptr, FALSE);
    UpdateWindow(strip);
    HDC dc = GetDC(strip);
    const int cutX = view().xOf(2'002);
    EXPECT_EQ(GetPixel(dc, cutX, client.bottom / 2), RGB(220, 0, 0)) << "the cut at frame 60";
    EXPECT_EQ(GetPixel(dc, client.right / 2, client.bottom / 2), RGB(0, 0, 0)) << "the playhead in the middle";
    ReleaseDC(strip, dc);

    ListView_SetItemState(listView(), 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    pumpMessages(20);
    const int64_t at = view().msAt(view().xOf(2'500));  // the time of the column the click lands on
    clickAt(2'500, MK_SHIFT);
    EXPECT_EQ(app().captions.cell(0, ColStart), formatTime(int32_t(at), TimeForm::Caption));
    const int64_t end = view().msAt(view().xOf(3'600));
    clickAt(3'600, MK_CONTROL);
    EXPECT_EQ(parseTime(app().captions.cell(0, ColStart)) + parseTime(app().captions.cell(0, ColDuration)),
              int32_t(end / 10 * 10))
        << "the end lands on the column's time, in whole centiseconds";

    SendMessageW(strip, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(timingStripSpan(strip), 13'333) << "a notch in";

    LARGE_INTEGER frequency, before, after;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&before);
    constexpr int kRedraws = 50;
    for (int i = 0; i < kRedraws; ++i) {
        InvalidateRect(strip, nullptr, FALSE);
        UpdateWindow(strip);
    }
    QueryPerformanceCounter(&after);
    std::printf("timing strip: %.2f ms a redraw (%d px wide, %d redraws)\n",
                double(after.QuadPart - before.QuadPart) * 1000.0 / double(frequency.QuadPart) / kRedraws,
                int(client.right), kRedraws);
    forceClose();
}

}  // namespace
}  // namespace qucap::test
