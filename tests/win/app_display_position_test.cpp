// The display-position tab in the program's own window, driven by messages:
// unset positions filled when the tab is shown, the scroll ranges of the
// loaded movie, a typed and a scrolled position committed, the lock, the
// orientation switch, a range move refused, made and undone, the all-rows
// default, and unlocked rows following a new body size on the font tab.
#include <windows.h>

#include <commctrl.h>

#include "app/core/caption_list/caption_columns.h"
#include "app/core/display_position/position_controls.h"
#include "app/core/display_position/position_tab.h"
#include "app/core/main_window/main_window_texts.h"
#include "app/core/project/batch_project.h"
#include "app/main_window/app_state.h"
#include "app/main_window/caption_list_view.h"
#include "app/tabs/page.h"
#include "captiondata/project/project_settings.h"
#include "resources/app/page_ids.h"
#include "resources/app/resource.h"
#include "tests/win/app_window_fixture.h"
#include "tests/win/test_media.h"

namespace qucap::test {
namespace {

constexpr PositionSet kHorizontalDefaults = {376, 358, 410, 444};
constexpr PositionSet kVerticalDefaults = {650, 684, 616, 598};
constexpr std::array<std::u16string_view, kTextCount> kFourTexts = {u"字幕", u"じまく", u"二行目", u"にぎょうめ"};

HWND listView() { return GetDlgItem(app().mainWindow, IDC_CAPTION_LIST); }
HWND page() { return app().pages[std::size_t(kDisplayPositionTab)]->window(); }

void click(HWND window, int id) {
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(GetDlgItem(window, id)));
    pumpMessages(20);
}
void choose(int first, int last, int id) {
    CheckRadioButton(page(), first, last, id);
    click(page(), id);
}
void type(int id, const wchar_t* text) {
    SetDlgItemTextW(page(), id, text);  // sends EN_CHANGE as typing does
    pumpMessages(20);
}
void scroll(int bar, int code, int thumb = 0) {
    SendMessageW(page(), WM_VSCROLL, MAKEWPARAM(code, thumb), LPARAM(GetDlgItem(page(), bar)));
    pumpMessages(20);
}

PositionSet positionsOf(int row) {
    WorkingRow working;
    app().captions.readRow(row, working);
    return working.positions;
}
std::u16string cellShown(int row, int column) {
    wchar_t buffer[32] = {};
    ListView_GetItemText(listView(), row, column, buffer, int(std::size(buffer)));
    return reinterpret_cast<const char16_t*>(buffer);
}

class DisplayPositionTest : public AppWindowTest {
protected:
    // A new project for the 720 x 480 sample movie, loaded, with an empty
    // caption list and the fonts of the worked examples.
    bool openProject() {
        if (createProject(u"表示位置", *movie_, 720).empty() || !openMainWindow()) return false;
        loadOfferedProject();
        ProjectSettings& settings = app().settings;
        settings.mainFontName = settings.rubyFontName = u"ＭＳ ゴシック";
        settings.mainSize = 32;
        settings.rubySize = 16;
        settings.layoutType = 1;
        settings.fillFlag = 0;
        app().captions.clear();
        return app().projectLoaded && app().movie.width == 720 && app().movie.height == 480;
    }
    // A committed row; `present` marks the texts it has (line-1 body first).
    static int addRow(PositionSet positions, bool vertical = false, int32_t lock = 0, const char* present = "1111") {
        WorkingRow row;
        for (int text = 0; text < kTextCount; ++text)
            if (present[text] == '1') row.texts[std::size_t(text)] = row.plainTexts[std::size_t(text)] = kFourTexts[std::size_t(text)];
        row.positions = positions;
        row.vertical = vertical;
        row.lock = lock;
        const int index = app().captions.appendRow();
        app().captions.writeRow(index, row);
        app().captions.writeLock(index, row);
        app().captions.clearSelection();
        app().captions.rebuildCaptionTable();
        showCaptionRows(listView(), app().captions);
        return index;
    }
    static void selectRow(int row) {
        ListView_SetItemState(listView(), row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        pumpMessages(20);
    }
    std::optional<std::u16string> movie_ = testMovie("yuy2.avi");
};

TEST_F(DisplayPositionTest, TheSelectedRowIsPlacedTypedScrolledLockedAndTurned) {
    if (!movie_) GTEST_SKIP() << "no sample movie (QUCAP_TEST_MEDIA)";
    ASSERT_TRUE(openProject());
    // The load gave the bars the movie's frame.
    EXPECT_EQ(controlText(page(), kHorizontalBarLastLabel), u"720");
    EXPECT_EQ(controlText(page(), kVerticalBarLastLabel), u"480");
    int low = 0, high = 0;
    GetScrollRange(GetDlgItem(page(), 1119), SB_CTL, &low, &high);
    EXPECT_EQ(std::pair(low, high), std::pair(1, 720));

    addRow({});
    addRow({}, true, 0, "1000");
    addRow({100, 80, 0, 0}, false, 1, "1100");
    openTab(kDisplayPositionTab);
    // Showing the tab fills what is not set and leaves placed rows alone.
    EXPECT_EQ(positionsOf(0), kHorizontalDefaults);
    EXPECT_EQ(positionsOf(1), (PositionSet{650, 0, 0, 0}));
    EXPECT_EQ(positionsOf(2), (PositionSet{100, 80, 0, 0}));
    EXPECT_EQ(cellShown(0, kPositionColumns[0]), u"376");
    EXPECT_EQ(IsDlgButtonChecked(page(), kRangeModeRadio), BST_CHECKED) << "no row selected";
    EXPECT_FALSE(controlEnabled(page(), 1118));
    EXPECT_TRUE(controlEnabled(page(), kRunRangeButton));

    selectRow(0);
    EXPECT_EQ(IsDlgButtonChecked(page(), kRowModeRadio), BST_CHECKED);
    EXPECT_EQ(controlText(page(), 1117), u"字幕");
    EXPECT_EQ(controlText(page(), 1118), u"376");
    EXPECT_EQ(controlText(page(), IDC_ORIENTATION), u"横");
    EXPECT_TRUE(controlEnabled(page(), 1134)) << "a horizontal row moves on the vertical bar";
    EXPECT_FALSE(controlEnabled(page(), 1119));
    EXPECT_FALSE(controlEnabled(page(), kRunRangeButton));
    EXPECT_EQ(GetScrollPos(GetDlgItem(page(), 1134), SB_CTL), 376);

    // A typed position waits for リストに保存 and is kept in the frame.
    type(1118, L"500");
    EXPECT_TRUE(app().captions.pendingEdit());
    EXPECT_TRUE(controlEnabled(main(), IDC_SAVE_TO_LIST));
    EXPECT_EQ(positionsOf(0)[0], 376);
    click(main(), IDC_SAVE_TO_LIST);
    EXPECT_EQ(positionsOf(0)[0], 449);
    EXPECT_EQ(cellShown(0, kPositionColumns[0]), u"449");
    EXPECT_EQ(controlText(page(), 1118), u"449");
    EXPECT_FALSE(app().captions.pendingEdit());

    // An arrow step waits too; letting go of the thumb places the text.
    scroll(1133, SB_LINEUP);
    EXPECT_EQ(controlText(page(), 1121), u"357");
    EXPECT_EQ(positionsOf(0)[1], 358);
    scroll(1133, SB_THUMBPOSITION, 200);
    EXPECT_EQ(positionsOf(0)[1], 200);
    EXPECT_EQ(app().captions.captionTable()[0].positions[1], 200);

    CheckDlgButton(page(), kLockBox, BST_CHECKED);
    click(page(), kLockBox);
    EXPECT_EQ(app().captions.cell(0, ColLock), u"1");

    click(page(), kSwitchOrientationButton);
    EXPECT_EQ(controlText(page(), IDC_ORIENTATION), u"縦");
    EXPECT_EQ(positionsOf(0), kVerticalDefaults);
    EXPECT_EQ(app().captions.cell(0, ColOrientation), u"縦");
    EXPECT_TRUE(controlEnabled(page(), 1119));
    EXPECT_EQ(controlText(page(), 1118), u"650");

    click(page(), kSwitchOrientationButton);
    click(page(), kDefaultPositionButton);
    EXPECT_EQ(positionsOf(0), kHorizontalDefaults);
    EXPECT_EQ(app().captions.cell(0, ColLock), u"0");
    EXPECT_EQ(IsDlgButtonChecked(page(), kLockBox), BST_UNCHECKED);

    // A new body size on the font tab moves the unlocked rows' defaults; the locked row stays.
    openTab(kFontTab);
    HWND fontPage = app().pages[std::size_t(kFontTab)]->window();
    HWND bodySize = GetDlgItem(fontPage, IDC_BODY_FONT_SIZE);
    SendMessageW(bodySize, CB_SELECTSTRING, WPARAM(-1), LPARAM(L"40"));
    SendMessageW(fontPage, WM_COMMAND, MAKEWPARAM(IDC_BODY_FONT_SIZE, CBN_SELCHANGE), LPARAM(bodySize));
    pumpMessages(20);
    ASSERT_EQ(app().settings.mainSize, 40);
    EXPECT_EQ(positionsOf(0), (PositionSet{360, 342, 402, 444}));
    EXPECT_EQ(positionsOf(2), (PositionSet{100, 80, 0, 0}));
    EXPECT_EQ(cellShown(0, kPositionColumns[0]), u"360");
    openTab(kDisplayPositionTab);
    EXPECT_EQ(controlText(page(), 1118), u"360");
    EXPECT_TRUE(boxes_->texts().empty());
}

TEST_F(DisplayPositionTest, ARangeMoveIsCheckedMadeAndUndoneAndTheAllRowsDefaultAsks) {
    if (!movie_) GTEST_SKIP() << "no sample movie (QUCAP_TEST_MEDIA)";
    ASSERT_TRUE(openProject());
    addRow(kHorizontalDefaults);
    addRow(kHorizontalDefaults, false, 1);
    addRow(kVerticalDefaults, true);
    addRow({100, 80, 140, 170});
    openTab(kDisplayPositionTab);
    ASSERT_EQ(IsDlgButtonChecked(page(), kRangeModeRadio), BST_CHECKED);
    EXPECT_FALSE(controlEnabled(page(), kFirstRowField));
    EXPECT_FALSE(controlEnabled(page(), kPositionUndoButton));

    choose(kAllRowsRadio, kRowRangeRadio, kRowRangeRadio);
    EXPECT_TRUE(controlEnabled(page(), kFirstRowField));
    type(kFirstRowField, L"5");
    click(page(), kRunRangeButton);
    EXPECT_EQ(controlText(main(), IDC_MESSAGE_LINE), kFirstRowError);
    EXPECT_EQ(GetFocus(), GetDlgItem(page(), kFirstRowField));
    type(kFirstRowField, L"2");
    type(kLastRowField, L"1");
    click(page(), kRunRangeButton);
    EXPECT_EQ(controlText(main(), IDC_MESSAGE_LINE), kLastRowError);
    EXPECT_FALSE(controlEnabled(page(), kPositionUndoButton));

    // Rows 1 to 4 up by 10: the locked row and the vertical row stay.
    type(kFirstRowField, L"1");
    type(kLastRowField, L"4");
    type(kHorizontalAmountField, L"10");
    click(page(), kRunRangeButton);
    EXPECT_EQ(controlText(main(), IDC_MESSAGE_LINE), u"");
    EXPECT_EQ(positionsOf(0), (PositionSet{366, 348, 400, 434}));
    EXPECT_EQ(positionsOf(1), kHorizontalDefaults);
    EXPECT_EQ(positionsOf(2), kVerticalDefaults);
    EXPECT_EQ(positionsOf(3), (PositionSet{90, 70, 130, 160}));
    EXPECT_EQ(cellShown(0, kPositionColumns[0]), u"366");
    EXPECT_TRUE(controlEnabled(page(), kPositionUndoButton));

    // Down past the frame: the far edge. Then the undo asks and gives back the last move.
    SendDlgItemMessageW(page(), kHorizontalDirectionList, CB_SETCURSEL, 1, 0);
    type(kHorizontalAmountField, L"400");
    click(page(), kRunRangeButton);
    EXPECT_EQ(positionsOf(0), kHorizontalDefaults);
    EXPECT_EQ(positionsOf(3), kHorizontalDefaults);
    boxes_->answerNext({IDNO});
    click(page(), kPositionUndoButton);
    ASSERT_TRUE(boxes_->waitFor(1));
    EXPECT_EQ(boxes_->texts()[0], kUndoQuestion);
    EXPECT_EQ(positionsOf(0), kHorizontalDefaults);
    boxes_->answerNext({IDYES});
    click(page(), kPositionUndoButton);
    ASSERT_TRUE(boxes_->waitFor(2));
    EXPECT_EQ(positionsOf(0), (PositionSet{366, 348, 400, 434}));
    EXPECT_EQ(positionsOf(3), (PositionSet{90, 70, 130, 160}));
    EXPECT_FALSE(controlEnabled(page(), kPositionUndoButton));

    // The all-rows default recomputes the locked row too and clears its lock.
    boxes_->answerNext({IDYES});
    click(page(), kAllRowsDefaultButton);
    ASSERT_TRUE(boxes_->waitFor(3));
    EXPECT_EQ(boxes_->texts()[2], kAllRowsDefaultQuestion);
    for (int row : {0, 1, 3}) EXPECT_EQ(positionsOf(row), kHorizontalDefaults) << row;
    EXPECT_EQ(positionsOf(2), kVerticalDefaults);
    EXPECT_EQ(app().captions.cell(1, ColLock), u"0");
    EXPECT_TRUE(controlEnabled(page(), kPositionUndoButton));
    EXPECT_EQ(IsDlgButtonChecked(page(), kAllRowsRadio), BST_CHECKED) << "the tab is reset";

    // A paused preview locks the whole tab.
    app().playState = PlayState::Paused;
    app().pages[std::size_t(kDisplayPositionTab)]->refresh();
    for (int id : {1117, int(kRangeModeRadio), int(kAllRowsRadio), int(kRunRangeButton), int(kAllRowsDefaultButton),
                   int(kPositionUndoButton)})
        EXPECT_FALSE(controlEnabled(page(), id)) << id;
    app().playState = PlayState::Stopped;
}

}  // namespace
}  // namespace qucap::test
