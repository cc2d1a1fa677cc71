// Timing with the movie in the program's own window: the analysis that
// starts with the load finds the cuts of the clips movie and keeps them
// beside the project; on the timeline tab "ショットに合わせる" snaps a typed
// time, "タイミング調整" asks with its table, changes the rows and is undone;
// and the space bar held on "イン／アウト" times a row by itself.
#include <windows.h>

#include <commctrl.h>

#include "app/core/caption_list/caption_columns.h"
#include "app/core/main_window/main_window_texts.h"
#include "app/main_window/app_state.h"
#include "app/main_window/caption_list_view.h"
#include "app/main_window/movie_analysis_worker.h"
#include "app/tabs/page.h"
#include "app/timing/analysis_cache.h"
#include "app/timing/retime.h"
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
        CaptionList& captions = app().captions;
        captions.clear();
        for (const auto& [begin, length] : rows) {
            WorkingRow row;
            row.texts[Line1Body] = row.plainTexts[Line1Body] = u"字幕";
            row.start = begin;
            row.duration = length;
            captions.writeRow(captions.appendRow(), row);
        }
        captions.clearSelection();
        captions.rebuildCaptionTable();
        showCaptionRows(listView(), captions);
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

    // A typed start 6 frames after the cut at 2.002 s goes onto it; the end stays.
    ListView_SetItemState(listView(), 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    pumpMessages(20);
    SetDlgItemTextW(page(), IDC_START_TIME, L"0:00:02.20");
    SendMessageW(GetDlgItem(page(), IDC_START_TIME), WM_KEYUP, VK_RETURN, 0);
    pumpMessages(20);
    EXPECT_EQ(times(0), u"0:00:02.00 0:00:01.20");
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

}  // namespace
}  // namespace qucap::test
