// Pictures of the main window on each tab for the documentation; skipped
// unless tools/screenshots.sh names a folder for them.
#include <windows.h>

#include <commctrl.h>

#include <fstream>

#include "app/core/box_display/box_list.h"
#include "app/core/main_window/main_window_texts.h"
#include "app/main_window/app_state.h"
#include "app/main_window/caption_list_view.h"
#include "app/preview/preview.h"
#include "app/tabs/page.h"
#include "captiondata/project/project_settings.h"
#include "captiondata/text/paths.h"
#include "resources/app/page_ids.h"
#include "resources/app/resource.h"
#include "tests/support/test_encoder/test_encoder.h"
#include "tests/win/app_window_fixture.h"
#include "tests/win/environment_variable.h"
#include "tests/win/filter_module.h"
#include "tests/win/test_media.h"
#include "tests/win/window_capture.h"

namespace qucap::test {
namespace {

TEST_F(AppWindowTest, ScreenshotsOfEveryTab) {
    if (screenshotFolder().empty()) GTEST_SKIP() << "QUCAP_SCREENSHOT_DIR is not set";
    // The project to show: the demo's, offered as the last one opened.
    const std::u16string project = environmentVariable(L"QUCAP_SCREENSHOT_PROJECT");
    if (!project.empty()) recordLastProject(app().io, *programFolder_ / u"Qucapadd.ini", project);
    ASSERT_TRUE(openMainWindow());
    HWND fileSelection = app().pages[0]->window();
    if (!project.empty()) {
        SendMessageW(fileSelection, WM_COMMAND, MAKEWPARAM(IDC_LOAD, BN_CLICKED), LPARAM(GetDlgItem(fileSelection, IDC_LOAD)));
        pumpMessages(300);
        EXPECT_EQ(app().playState, PlayState::Stopped) << "the demo project did not load";
        // The first row selected: the row-editing tabs show it.
        const UINT both = LVIS_SELECTED | LVIS_FOCUSED;
        ListView_SetItemState(GetDlgItem(main(), IDC_CAPTION_LIST), 0, both, both);
        pumpMessages(50);
    }
    HWND tabs = GetDlgItem(main(), IDC_TABS);
    // The file-selection tab last, when the list has shown the loaded rows.
    for (int shot = 1; shot <= kPageCount; ++shot) {
        const int tab = shot % kPageCount;
        TabCtrl_SetCurSel(tabs, tab);
        NMHDR header{tabs, IDC_TABS, UINT(TCN_SELCHANGE)};
        SendMessageW(main(), WM_NOTIFY, IDC_TABS, LPARAM(&header));
        pumpMessages(150);
        // The box tab with the demo's first box row in its fields.
        if (tab == kBoxDisplayTab && !project.empty()) {
            const UINT both = LVIS_SELECTED | LVIS_FOCUSED;
            ListView_SetItemState(GetDlgItem(app().pages[std::size_t(tab)]->window(), kBoxListView), 0, both, both);
            pumpMessages(50);
        }
        EXPECT_TRUE(captureWindow(main(), u"main-tab-" + std::u16string(1, char16_t(u'0' + tab))));
    }
}

void click(HWND window, int id) {
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(GetDlgItem(window, id)));
}

// The pictures taken with the demo project loaded, when the script names it.
class DemoScreenshotTest : public AppWindowTest {
protected:
    void SetUp() override {
        AppWindowTest::SetUp();
        if (screenshotFolder().empty()) GTEST_SKIP() << "QUCAP_SCREENSHOT_DIR is not set";
        project_ = environmentVariable(L"QUCAP_SCREENSHOT_PROJECT");
        if (project_.empty()) GTEST_SKIP() << "QUCAP_SCREENSHOT_PROJECT is not set";
    }
    // The main window with the demo project loaded.
    void openDemo() {
        recordLastProject(app().io, *programFolder_ / u"Qucapadd.ini", project_);
        ASSERT_TRUE(openMainWindow());
        click(app().pages[0]->window(), IDC_LOAD);
        pumpMessages(300);
        ASSERT_EQ(app().playState, PlayState::Stopped) << "the demo project did not load";
    }
    std::u16string project_;
};

TEST_F(DemoScreenshotTest, ScreenshotsOfThePreview) {
    openDemo();
    if (HasFatalFailure()) return;

    // The movie in the main window, paused where the first caption shows.
    click(main(), IDC_PLAY_PAUSE);
    pumpMessages(1800);
    click(main(), IDC_PLAY_PAUSE);
    pumpMessages(300);
    EXPECT_TRUE(captureWindow(main(), u"main-playing"));
    click(main(), IDC_STOP);
    pumpMessages(100);

    // The same through the caption filter in the preview dialog.
    CheckDlgButton(main(), IDC_PLAY_WITH_CAPTIONS, BST_CHECKED);
    int ticks = 45;
    ModalSteps steps;
    steps.steps = {
        [](HWND dialog) { click(dialog, IDC_PLAY_PAUSE); },
        [&](HWND dialog) {
            if (--ticks > 0) return steps.again();
            click(dialog, IDC_PLAY_PAUSE);
        },
        [](HWND) {},
        [](HWND dialog) { EXPECT_TRUE(captureWindow(dialog, u"preview-dialog")); },
    };
    runModal([&] { click(main(), IDC_PLAY_PAUSE); }, findPreviewDialog, steps);
}

// Live timing in progress: two new rows without times, the first stamped
// in and waiting for its out press while the movie plays.
TEST_F(DemoScreenshotTest, ScreenshotOfLiveTiming) {
    openDemo();
    if (HasFatalFailure()) return;
    CaptionList& captions = app().captions;
    for (const char16_t* text : {u"ここから時間を付けます", u"イン／アウトで表示時間も"}) {
        WorkingRow row;
        row.texts[Line1Body] = row.plainTexts[Line1Body] = text;
        captions.writeRow(captions.appendRow(), row);
    }
    captions.clearSelection();
    captions.rebuildCaptionTable();
    showCaptionRows(GetDlgItem(main(), IDC_CAPTION_LIST), captions);
    openTab(kTimelineTab);
    pumpMessages(70);

    HWND timeline = app().pages[std::size_t(kTimelineTab)]->window();
    boxes_->answerNext({IDYES});
    click(timeline, IDC_LIVE_TIMING);
    pumpMessages(1500);
    click(timeline, IDC_IN_OUT);
    pumpMessages(700);
    EXPECT_TRUE(captureWindow(main(), u"timeline-live"));
    click(main(), IDC_STOP);
    pumpMessages(100);
    forceClose();
}

// The synthesis tab while the demo burns through the tests' encoder and
// after it ended (the completion text).
TEST_F(DemoScreenshotTest, ScreenshotsOfTheSynthesis) {
    const TestEncoderRegistration encoder;  // listed when the window builds its encoder tables
    ASSERT_EQ(encoder.result(), S_OK);
    openDemo();
    if (HasFatalFailure()) return;
    app().settings.outputMoviePath = folderOf(project_) + u"\\字幕入り.avi";
    openTab(kSynthesisTab);
    pumpMessages(120);
    HWND page = app().pages[std::size_t(kSynthesisTab)]->window();
    HWND combo = GetDlgItem(page, IDC_VIDEO_ENCODER);
    SendMessageW(combo, CB_SETCURSEL, SendMessageW(combo, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(kTestEncoderName)), 0);
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_VIDEO_ENCODER, CBN_SELCHANGE), LPARAM(combo));
    click(page, IDC_START_SYNTHESIS);
    // The demo burns in about a second here: the picture is taken while the
    // run goes, before its bar has moved.
    pumpMessages(300);
    ASSERT_EQ(app().playState, PlayState::Synthesizing);
    EXPECT_TRUE(captureWindow(main(), u"synthesis-running"));
    for (int wait = 0; wait < 3000 && app().playState != PlayState::SynthesisDone; ++wait) pumpMessages(50);
    ASSERT_EQ(app().playState, PlayState::SynthesisDone);
    pumpMessages(150);
    EXPECT_TRUE(captureWindow(main(), u"synthesis-done"));
}

// The main window after the ﾂｰﾙ menu's import of a WebVTT file with ruby,
// colours and a voice tag: the rows in the list, the message line.
TEST_F(DemoScreenshotTest, ScreenshotOfTheImport) {
    openDemo();
    if (HasFatalFailure()) return;
    const std::u16string vtt = *documents_ / u"配信用.vtt";
    {
        std::ofstream file(reinterpret_cast<const wchar_t*>(vtt.c_str()), std::ios::binary);
        file << "WEBVTT\n\n00:00:00.500 --> 00:00:03.000\n<ruby>字幕<rt>じまく</rt></ruby>を<c.yellow>読み込み</c>ました\n"
                "<v 話者>ルビも<ruby>色<rt>いろ</rt></ruby>もそのまま</v>\n\n"
                "00:00:03.500 --> 00:00:05.500 vertical:rl line:10%\n<b>縦書き</b>の字幕\n";
    }
    boxes_->answerNext({IDYES});
    ModalSteps steps;
    steps.steps = {[&](HWND dialog) { answerSaveDialog(dialog, vtt); }};
    runModal([&] { SendMessageW(main(), WM_COMMAND, IDM_IMPORT_CAPTIONS, 0); },
             [&] { return findDialogTitled(L"字幕ファイルの読み込み"); }, steps);
    pumpMessages(300);
    EXPECT_EQ(app().captions.rowCount(), 2);
    EXPECT_TRUE(captureWindow(main(), u"main-import"));
}

// The caption-creation tab after ルビ候補: a new row's body read, the
// proposal selected in its ruby field.
TEST_F(DemoScreenshotTest, ScreenshotOfTheRubyProposal) {
    app().rubyDictionary = windowsPathOf(QUCAP_PROGRAM_DIR) + u"\\dic\\ipadic";
    openDemo();
    if (HasFatalFailure()) return;
    HWND tabs = GetDlgItem(main(), IDC_TABS);
    TabCtrl_SetCurSel(tabs, kCaptionCreationTab);
    NMHDR header{tabs, IDC_TABS, UINT(TCN_SELCHANGE)};
    SendMessageW(main(), WM_NOTIFY, IDC_TABS, LPARAM(&header));
    pumpMessages(100);
    HWND page = app().pages[kCaptionCreationTab]->window();
    click(page, IDC_ADD_ROW);
    pumpMessages(50);
    SetWindowTextW(GetDlgItem(page, IDC_LINE1_BODY_TEXT), L"雨が降り続いている");
    SetWindowTextW(GetDlgItem(page, IDC_LINE2_BODY_TEXT), L"三本の傘を二人で分けた");
    SetFocus(GetDlgItem(page, IDC_LINE2_BODY_TEXT));
    click(page, IDC_PROPOSE_RUBY);
    SetFocus(GetDlgItem(page, IDC_LINE1_BODY_TEXT));
    click(page, IDC_PROPOSE_RUBY);
    pumpMessages(100);
    EXPECT_EQ(app().captions.cell(app().captions.selection(), kMarkupColumns[Line1Ruby]), u"雨($W$kあめ)降(ふ)続(つづ)");
    EXPECT_TRUE(captureWindow(main(), u"main-ruby"));
}

// The timeline tab over the clips movie: the strip with its sound, its three
// cuts and four rows around 3.5 s, the second row selected, snapping on.
TEST_F(DemoScreenshotTest, ScreenshotOfTheTimingStrip) {
    const std::optional<std::u16string> clips = testMovie("clips.avi");
    if (!clips) GTEST_SKIP() << "no clips movie (QUCAP_TEST_MEDIA)";
    ASSERT_FALSE(createProject(u"タイミング", *clips, 320).empty());
    ASSERT_TRUE(openMainWindow());
    app().analyseMovies = true;
    click(app().pages[0]->window(), IDC_LOAD);
    for (int i = 0; i < 400 && !(app().cuts && app().soundPeaks); ++i) pumpMessages(50);
    CaptionList& captions = app().captions;
    captions.clear();
    const std::pair<const char16_t*, std::pair<const char16_t*, const char16_t*>> rows[] = {
        {u"カットの前から", {u"0:00:00.50", u"0:00:01.20"}},
        {u"カットの後に始まる字幕", {u"0:00:02.20", u"0:00:01.00"}},
        {u"短い字幕", {u"0:00:03.25", u"0:00:00.30"}},
        {u"フェードの間の字幕", {u"0:00:05.00", u"0:00:02.50"}},
    };
    for (const auto& [text, times] : rows) {
        WorkingRow row;
        row.texts[Line1Body] = row.plainTexts[Line1Body] = text;
        row.start = times.first;
        row.duration = times.second;
        captions.writeRow(captions.appendRow(), row);
    }
    captions.clearSelection();
    captions.rebuildCaptionTable();
    HWND list = GetDlgItem(main(), IDC_CAPTION_LIST);
    showCaptionRows(list, captions);
    openTab(kTimelineTab);
    seekPreviewTo(35'000'000);
    HWND timeline = app().pages[std::size_t(kTimelineTab)]->window();
    CheckDlgButton(timeline, IDC_SNAP_TO_SHOTS, BST_CHECKED);
    click(timeline, IDC_SNAP_TO_SHOTS);
    ListView_SetItemState(list, 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    pumpMessages(300);
    EXPECT_TRUE(captureWindow(main(), u"timeline-strip"));
    forceClose();
}

}  // namespace
}  // namespace qucap::test
