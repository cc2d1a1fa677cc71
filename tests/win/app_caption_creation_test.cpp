// The caption-creation tab driven by messages as a user drives it: rows
// added, inserted, selected and deleted in the caption list, texts typed
// and formatted in the rich edit controls, committed by Enter, by leaving
// the editor and by "リストに保存", and saved in the caption-info file.
#include <windows.h>

#include <commctrl.h>
#include <richedit.h>

#include "app/core/caption_creation/caption_tab.h"
#include "app/core/project/batch_project.h"
#include "app/main_window/app_state.h"
#include "app/main_window/main_window.h"
#include "app/tabs/page.h"
#include "captiondata/caption/caption_file.h"
#include "resources/app/page_ids.h"
#include "resources/app/resource.h"
#include "tests/support/test_io.h"
#include "tests/win/app_window_fixture.h"
#include "tests/win/filter_module.h"
#include "tests/win/test_media.h"

namespace qucap::test {
namespace {

constexpr std::u16string_view kScenarioBody = u"$W$k今日は$H$R字幕$h";
constexpr std::u16string_view kScenarioRuby = u"字幕($W$kじまく)";

class CaptionCreationTest : public AppWindowTest {
protected:
    // A new project for the sample movie, loaded, with the caption-creation tab current.
    void openProject() {
        if (!created_) {
            ASSERT_FALSE(createProject(u"字幕作成", *movie_, 320).empty());
            created_ = true;
        }
        ASSERT_TRUE(openMainWindow());
        loadOfferedProject();
        ASSERT_TRUE(app().projectLoaded);
        HWND tabs = GetDlgItem(main(), IDC_TABS);
        TabCtrl_SetCurSel(tabs, 3);
        NMHDR header{tabs, IDC_TABS, UINT(TCN_SELCHANGE)};
        SendMessageW(main(), WM_NOTIFY, IDC_TABS, LPARAM(&header));
        pumpMessages();
    }
    static HWND page() { return app().pages[3]->window(); }
    static HWND control(int id) { return GetDlgItem(page(), id); }
    static HWND listView() { return GetDlgItem(app().mainWindow, IDC_CAPTION_LIST); }
    static void click(int id) {
        SendMessageW(control(id), BM_CLICK, 0, 0);
        pumpMessages();
    }
    static void clickMain(int id) {
        SendMessageW(app().mainWindow, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(GetDlgItem(app().mainWindow, id)));
        pumpMessages();
    }
    // The user clicks a row of the list.
    static void selectInList(int row) {
        const UINT both = LVIS_SELECTED | LVIS_FOCUSED;
        ListView_SetItemState(listView(), row, both, both);
        pumpMessages();
    }
    static void select(int id, LONG start, LONG end) {
        CHARRANGE range{start, end};
        SendMessageW(control(id), EM_EXSETSEL, 0, LPARAM(&range));
    }
    static void focusAndSelect(int id, LONG start, LONG end) {
        SetFocus(control(id));
        select(id, start, end);
        pumpMessages();
    }
    static void replaceAll(int id, const wchar_t* text) {
        select(id, 0, -1);
        SendMessageW(control(id), EM_REPLACESEL, TRUE, LPARAM(text));
        pumpMessages();
    }
    static void key(int id, WPARAM downKey, WPARAM upKey) {
        SendMessageW(control(id), WM_KEYDOWN, downKey, 1);
        SendMessageW(control(id), WM_KEYUP, upKey, 0xC0000001);
        pumpMessages();
    }
    static std::u16string listText(int row, int column) {
        wchar_t buffer[1100] = {};
        ListView_GetItemText(listView(), row, column, buffer, 1100);
        return std::u16string(reinterpret_cast<const char16_t*>(buffer));
    }
    static int boxState(int id) { return int(SendMessageW(control(id), BM_GETCHECK, 0, 0)); }
    static bool listRowSelected(int row) { return ListView_GetItemState(listView(), row, LVIS_SELECTED) != 0; }
    static std::u16string messageLine() { return controlText(app().mainWindow, IDC_MESSAGE_LINE); }

    // The scenario's row: a body with red bold "字幕" and a ruby, committed by Enter.
    void typeScenarioRow() {
        click(IDC_ADD_ROW);
        const int row = app().captions.selection();
        ASSERT_EQ(row, app().captions.rowCount() - 1);
        ASSERT_TRUE(listRowSelected(row));
        ASSERT_EQ(GetFocus(), control(IDC_LINE1_BODY_TEXT));
        replaceAll(IDC_LINE1_BODY_TEXT, L"今日は字幕");
        EXPECT_TRUE(app().captions.pendingEdit());
        EXPECT_TRUE(controlEnabled(main(), IDC_SAVE_TO_LIST));
        focusAndSelect(IDC_LINE1_BODY_TEXT, 3, 5);
        click(IDC_TEXT_RED);
        click(IDC_EFFECT_BOLD);
        replaceAll(IDC_LINE1_RUBY_TEXT, L"字幕(じまく)");
        key(IDC_LINE1_RUBY_TEXT, VK_RETURN, VK_RETURN);
    }

    std::optional<std::u16string> movie_ = testMovie("small.avi");
    bool created_ = false;
};

TEST_F(CaptionCreationTest, ARowTypedWithColourBoldAndRubyIsInTheCaptionFileAfterTheEnd) {
    if (!movie_) GTEST_SKIP() << "no sample movie (QUCAP_TEST_MEDIA)";
    openProject();
    EXPECT_FALSE(controlEnabled(page(), IDC_LINE1_BODY_TEXT)) << "no row selected yet";
    EXPECT_FALSE(controlEnabled(page(), IDC_INSERT_ROW));
    // The text columns share the list control's window width, borders included.
    RECT frame;
    GetWindowRect(listView(), &frame);
    EXPECT_EQ(ListView_GetColumnWidth(listView(), 6), captionColumnWidths(frame.right - frame.left)[6]);
    const int rowsBefore = app().captions.rowCount();
    typeScenarioRow();

    const int row = rowsBefore;
    EXPECT_EQ(app().captions.cell(row, kMarkupColumns[Line1Body]), kScenarioBody);
    EXPECT_EQ(app().captions.cell(row, kMarkupColumns[Line1Ruby]), kScenarioRuby);
    EXPECT_EQ(listText(row, kPlainColumns[Line1Body]), u"今日は字幕");
    EXPECT_EQ(listText(row, kMarkupColumns[Line1Body]), kScenarioBody);
    EXPECT_EQ(listText(row, ColNumber), std::u16string(1, char16_t(u'1' + row)));
    EXPECT_FALSE(app().captions.pendingEdit());
    EXPECT_FALSE(controlEnabled(main(), IDC_SAVE_TO_LIST));
    EXPECT_EQ(app().captions.captionTable()[std::size_t(row)].texts[Line1Body], kScenarioBody);

    clickMain(IDC_END);
    ASSERT_EQ(main(), nullptr);
    EXPECT_TRUE(boxes_->texts().empty());
    const std::u16string file = fromUtf16Bytes(fileBytes(app().settings.captionInfoPath));
    const std::u16string expected = u"横," + std::u16string(kScenarioBody) + u",";
    EXPECT_NE(file.find(expected), std::u16string::npos) << std::string(file.begin(), file.end());
    EXPECT_NE(file.find(u"," + std::u16string(kScenarioRuby) + u","), std::u16string::npos);
}

// Line 1 typed, then line 2 by a click into its editor: each focus change
// stores the row, and the positions the program filled in follow its texts,
// so the two lines never overlap. The 352x288 movie with sizes 32 and 16.
TEST_F(CaptionCreationTest, ATwoLineCaptionTypedInOrderTakesTheDefaultsOfItsFourTexts) {
    if (!movie_) GTEST_SKIP() << "no sample movie (QUCAP_TEST_MEDIA)";
    openProject();
    click(IDC_ADD_ROW);
    const int row = app().captions.selection();
    const auto positions = [row] {
        std::vector<std::u16string> values;
        for (const int column : kPositionColumns) values.push_back(listText(row, column));
        return values;
    };
    using Positions = std::vector<std::u16string>;
    replaceAll(IDC_LINE1_BODY_TEXT, L"字幕の見本です");
    focusAndSelect(IDC_LINE1_RUBY_TEXT, 0, 0);
    replaceAll(IDC_LINE1_RUBY_TEXT, L"字幕(じまく)");
    focusAndSelect(IDC_LINE2_BODY_TEXT, 0, 0);
    EXPECT_EQ(positions(), (Positions{u"244", u"226", u"", u""})) << "line 1 alone";
    replaceAll(IDC_LINE2_BODY_TEXT, L"二行目の本文");
    focusAndSelect(IDC_LINE2_RUBY_TEXT, 0, 0);
    replaceAll(IDC_LINE2_RUBY_TEXT, L"本文(ほんぶん)");
    key(IDC_LINE2_RUBY_TEXT, VK_RETURN, VK_RETURN);
    EXPECT_EQ(positions(), (Positions{u"192", u"174", u"226", u"260"}));

    clickMain(IDC_END);
    ASSERT_EQ(main(), nullptr);
    CaptionTable saved;
    ASSERT_EQ(readCaptionInfoForProgram(app().io, app().settings.captionInfoPath, saved), 0);
    ASSERT_GT(saved.size(), std::size_t(row));
    EXPECT_EQ(saved[std::size_t(row)].positions, (std::array<int32_t, kTextCount>{192, 174, 226, 260}));
}

// ルビ候補 as a user takes it: the proposal for the focused line, selected so
// Delete takes it away again; the user's own ruby kept while the rest of the
// line gets its proposal; then ﾂｰﾙ → ルビ候補を全行に付ける after its
// question, and everything in the caption-info file after 終了.
TEST_F(CaptionCreationTest, RubyProposalsFillTheFocusedLineAndThenEveryEmptyRuby) {
    if (!movie_) GTEST_SKIP() << "no sample movie (QUCAP_TEST_MEDIA)";
    app().rubyDictionary = windowsPathOf(QUCAP_PROGRAM_DIR) + u"\\dic\\ipadic";
    openProject();
    click(IDC_ADD_ROW);
    const int row = app().captions.selection();
    EXPECT_TRUE(controlEnabled(page(), IDC_PROPOSE_RUBY));
    replaceAll(IDC_LINE1_BODY_TEXT, L"雨が降り続いている");
    click(IDC_PROPOSE_RUBY);
    const std::u16string proposal = u"雨(あめ)降(ふ)続(つづ)";
    EXPECT_EQ(controlText(page(), IDC_LINE1_RUBY_TEXT), proposal);
    EXPECT_EQ(GetFocus(), control(IDC_LINE1_RUBY_TEXT));
    CHARRANGE selected{};
    SendMessageW(control(IDC_LINE1_RUBY_TEXT), EM_EXGETSEL, 0, LPARAM(&selected));
    EXPECT_EQ(selected.cpMin, 0);
    EXPECT_EQ(selected.cpMax, LONG(proposal.size()));
    // Committed as any edit: the editor's default colours are written out.
    EXPECT_EQ(app().captions.cell(row, kMarkupColumns[Line1Ruby]), u"雨($W$kあめ)降(ふ)続(つづ)");
    EXPECT_FALSE(app().captions.pendingEdit());
    EXPECT_EQ(messageLine(), u"ルビ候補を付けました（選択中の候補はDeleteキーで消せます）");
    key(IDC_LINE1_RUBY_TEXT, VK_DELETE, VK_DELETE);
    key(IDC_LINE1_RUBY_TEXT, VK_RETURN, VK_RETURN);
    EXPECT_EQ(app().captions.cell(row, kMarkupColumns[Line1Ruby]), u"");

    // Line 2: the user's reading of 山 stays, 字幕 before it is proposed.
    focusAndSelect(IDC_LINE2_BODY_TEXT, 0, 0);
    replaceAll(IDC_LINE2_BODY_TEXT, L"字幕と山");
    focusAndSelect(IDC_LINE2_RUBY_TEXT, 0, 0);
    replaceAll(IDC_LINE2_RUBY_TEXT, L"山(さん)");
    click(IDC_PROPOSE_RUBY);
    EXPECT_EQ(app().captions.cell(row, kMarkupColumns[Line2Ruby]), u"字幕($W$kじまく)山(さん)");
    SendMessageW(control(IDC_LINE2_RUBY_TEXT), EM_EXGETSEL, 0, LPARAM(&selected));
    EXPECT_EQ(selected.cpMin, 0);
    EXPECT_EQ(selected.cpMax, 7);
    // A line with no kanji says so and changes nothing.
    click(IDC_ADD_ROW);
    replaceAll(IDC_LINE1_BODY_TEXT, L"ひらがな");
    click(IDC_PROPOSE_RUBY);
    EXPECT_EQ(messageLine(), u"この行の本文に、ルビ候補を付ける漢字はありません");

    // Every empty ruby at once: only line 1 of the first row has kanji without ruby.
    boxes_->clear();
    boxes_->answerNext({IDYES});
    SendMessageW(main(), WM_COMMAND, IDM_PROPOSE_RUBY_ALL, 0);
    ASSERT_TRUE(boxes_->waitFor(1));
    EXPECT_EQ(boxes_->texts()[0],
              u"ルビが空の1か所にルビ候補を付けますか？\n字幕作成には元に戻す機能がないため、付けたルビは元に戻せません");
    pumpMessages();
    EXPECT_EQ(app().captions.cell(row, kMarkupColumns[Line1Ruby]), proposal);
    EXPECT_EQ(listText(row, kPlainColumns[Line1Ruby]), proposal);
    EXPECT_EQ(messageLine(), u"1か所にルビ候補を付けました");

    boxes_->clear();
    clickMain(IDC_END);
    ASSERT_EQ(main(), nullptr);
    CaptionTable saved;
    ASSERT_EQ(readCaptionInfoForProgram(app().io, app().settings.captionInfoPath, saved), 0);
    ASSERT_GT(saved.size(), std::size_t(row));
    EXPECT_EQ(saved[std::size_t(row)].texts[Line1Ruby], proposal);
    EXPECT_EQ(saved[std::size_t(row)].texts[Line2Ruby], u"字幕($W$kじまく)山(さん)");
}

TEST_F(CaptionCreationTest, ARowReopenedIsShownChangedCommittedInsertedAndDeleted) {
    if (!movie_) GTEST_SKIP() << "no sample movie (QUCAP_TEST_MEDIA)";
    openProject();
    const int row = app().captions.rowCount();
    typeScenarioRow();
    clickMain(IDC_END);
    ASSERT_EQ(main(), nullptr);

    resetAppState();
    openProject();
    ASSERT_EQ(app().captions.rowCount(), row + 1);
    selectInList(row);
    EXPECT_EQ(controlText(page(), IDC_LINE1_BODY_TEXT), u"今日は字幕");
    EXPECT_EQ(controlText(page(), IDC_LINE1_BODY_BORDER), u"今日は字幕");
    EXPECT_EQ(controlText(page(), IDC_LINE1_RUBY_TEXT), u"字幕(じまく)");
    EXPECT_FALSE(app().captions.pendingEdit());

    // Two characters of which one is bold: 太字 mixed; both red: 赤色.
    focusAndSelect(IDC_LINE1_BODY_TEXT, 2, 4);
    SendMessageW(control(IDC_LINE1_BODY_TEXT), WM_LBUTTONUP, 0, 0);
    pumpMessages();
    EXPECT_EQ(boxState(IDC_EFFECT_BOLD), BST_INDETERMINATE);
    focusAndSelect(IDC_LINE1_BODY_TEXT, 3, 5);
    SendMessageW(control(IDC_LINE1_BODY_TEXT), WM_LBUTTONUP, 0, 0);
    pumpMessages();
    EXPECT_EQ(boxState(IDC_EFFECT_BOLD), BST_CHECKED);
    EXPECT_EQ(boxState(IDC_TEXT_RED), BST_CHECKED);

    // Enter that confirms an input-method composition only asks for a real Enter.
    replaceAll(IDC_LINE2_BODY_TEXT, L"二行目");
    key(IDC_LINE2_BODY_TEXT, VK_PROCESSKEY, VK_RETURN);
    EXPECT_EQ(messageLine(), kEnterAfterComposition);
    EXPECT_TRUE(app().captions.pendingEdit());
    EXPECT_EQ(app().captions.cell(row, kMarkupColumns[Line2Body]), u"");
    clickMain(IDC_SAVE_TO_LIST);
    EXPECT_EQ(app().captions.cell(row, kMarkupColumns[Line2Body]), u"$W$k二行目");
    EXPECT_EQ(messageLine(), u"");
    EXPECT_FALSE(controlEnabled(main(), IDC_SAVE_TO_LIST));

    // A longer text keeps the border colours by position; the new characters get black borders.
    focusAndSelect(IDC_LINE2_BODY_BORDER, 0, 2);
    click(IDC_TEXT_RED);
    EXPECT_EQ(app().captions.cell(row, kMarkupColumns[Line2Body]), u"$W$r二行$k目");
    replaceAll(IDC_LINE2_BODY_TEXT, L"二行目です");
    key(IDC_LINE2_BODY_TEXT, VK_RETURN, VK_RETURN);
    EXPECT_EQ(app().captions.cell(row, kMarkupColumns[Line2Body]), u"$W$r二行$k目です");

    // 挿入 before the selected row: a new empty row takes its number.
    const int rows = app().captions.rowCount();
    click(IDC_INSERT_ROW);
    ASSERT_EQ(app().captions.rowCount(), rows + 1);
    EXPECT_EQ(app().captions.selection(), row);
    EXPECT_TRUE(listRowSelected(row));
    EXPECT_EQ(listText(row, kPlainColumns[Line1Body]), u"");
    EXPECT_EQ(listText(row + 1, kPlainColumns[Line1Body]), u"今日は字幕");
    for (int i = 0; i <= rows; ++i) EXPECT_EQ(listText(i, ColNumber), std::u16string(1, char16_t(u'1' + i)));
    EXPECT_EQ(controlText(page(), IDC_LINE1_BODY_TEXT), u"");

    // 削除: No keeps the row, Yes deletes it and leaves nothing selected.
    selectInList(row + 1);
    EXPECT_EQ(controlText(page(), IDC_LINE1_BODY_TEXT), u"今日は字幕");
    boxes_->answerNext({IDNO});
    click(IDC_DELETE_ROW);
    ASSERT_TRUE(boxes_->waitFor(1));
    EXPECT_EQ(boxes_->texts()[0], std::u16string(1, char16_t(u'1' + row + 1)) + u"行目を削除しますか？");
    EXPECT_EQ(app().captions.rowCount(), rows + 1);
    boxes_->clear();
    boxes_->answerNext({IDYES});
    click(IDC_DELETE_ROW);
    ASSERT_TRUE(boxes_->waitFor(1));
    pumpMessages();
    EXPECT_EQ(app().captions.rowCount(), rows);
    EXPECT_EQ(ListView_GetItemCount(listView()), rows);
    EXPECT_EQ(app().captions.selection(), -1);
    EXPECT_EQ(ListView_GetSelectedCount(listView()), 0u);
    EXPECT_EQ(controlText(page(), IDC_LINE1_BODY_TEXT), u"");
    EXPECT_FALSE(controlEnabled(page(), IDC_DELETE_ROW));
    EXPECT_FALSE(controlEnabled(page(), IDC_LINE1_BODY_TEXT));
    EXPECT_EQ(listText(rows - 1, ColNumber), std::u16string(1, char16_t(u'0' + rows)));
}

TEST_F(CaptionCreationTest, AnEffectBoxChangesOnlyItsOwnEffectOnTheSelection) {
    if (!movie_) GTEST_SKIP() << "no sample movie (QUCAP_TEST_MEDIA)";
    openProject();
    click(IDC_ADD_ROW);
    const int row = app().captions.selection();
    replaceAll(IDC_LINE1_BODY_TEXT, L"ABCD");
    focusAndSelect(IDC_LINE1_BODY_TEXT, 0, 4);
    click(IDC_EFFECT_ITALIC);
    focusAndSelect(IDC_LINE1_BODY_TEXT, 0, 2);
    SendMessageW(control(IDC_LINE1_BODY_TEXT), WM_LBUTTONUP, 0, 0);
    pumpMessages();
    click(IDC_EFFECT_BOLD);
    focusAndSelect(IDC_LINE1_BODY_TEXT, 0, 4);
    SendMessageW(control(IDC_LINE1_BODY_TEXT), WM_LBUTTONUP, 0, 0);
    pumpMessages();
    ASSERT_EQ(boxState(IDC_EFFECT_BOLD), BST_INDETERMINATE);
    ASSERT_EQ(boxState(IDC_EFFECT_ITALIC), BST_CHECKED);
    click(IDC_EFFECT_UNDERLINE);
    EXPECT_EQ(app().captions.cell(row, kMarkupColumns[Line1Body]), u"$H$I$U$W$kAB$hCD$i$u");
    EXPECT_EQ(boxState(IDC_EFFECT_BOLD), BST_INDETERMINATE) << "the mixed box is left as it was";
    // A checked box clicked switches its effect off on the whole selection.
    click(IDC_EFFECT_ITALIC);
    EXPECT_EQ(app().captions.cell(row, kMarkupColumns[Line1Body]), u"$H$U$W$kAB$hCD$u");
    EXPECT_EQ(boxState(IDC_EFFECT_ITALIC), BST_UNCHECKED);
}

TEST_F(CaptionCreationTest, CutCopyAndPasteFollowTheLastCaptionFieldAndItsCapacity) {
    if (!movie_) GTEST_SKIP() << "no sample movie (QUCAP_TEST_MEDIA)";
    openProject();
    click(IDC_ADD_ROW);
    const int row = app().captions.selection();
    replaceAll(IDC_LINE1_BODY_TEXT, L"切り取る字幕");

    // The edit menu's items follow the focused field's selection.
    focusAndSelect(IDC_LINE1_BODY_TEXT, 0, 0);
    HMENU bar = GetMenu(main());
    SendMessageW(main(), WM_INITMENUPOPUP, WPARAM(GetSubMenu(bar, 1)), 1);
    EXPECT_TRUE(GetMenuState(bar, IDM_CUT, MF_BYCOMMAND) & MF_GRAYED);
    focusAndSelect(IDC_LINE1_BODY_TEXT, 0, 4);
    SendMessageW(main(), WM_INITMENUPOPUP, WPARAM(GetSubMenu(bar, 1)), 1);
    EXPECT_FALSE(GetMenuState(bar, IDM_CUT, MF_BYCOMMAND) & MF_GRAYED);

    clickMain(IDM_CUT);
    EXPECT_EQ(controlText(page(), IDC_LINE1_BODY_TEXT), u"字幕");
    focusAndSelect(IDC_LINE2_BODY_TEXT, 0, 0);
    clickMain(IDM_PASTE);
    EXPECT_EQ(controlText(page(), IDC_LINE2_BODY_TEXT), u"切り取る");
    clickMain(IDC_SAVE_TO_LIST);
    EXPECT_EQ(app().captions.cell(row, kMarkupColumns[Line2Body]), u"$W$k切り取る");

    // A paste that would pass 255 characters is refused with a message.
    const std::u16string longText(300, u'長');
    ASSERT_TRUE(OpenClipboard(main()));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (longText.size() + 1) * 2);
    memcpy(GlobalLock(memory), longText.c_str(), (longText.size() + 1) * 2);
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    focusAndSelect(IDC_LINE1_RUBY_TEXT, 0, 0);
    clickMain(IDM_PASTE);
    EXPECT_EQ(controlText(page(), IDC_LINE1_RUBY_TEXT), u"");
    EXPECT_EQ(messageLine(), u"貼り付けると1行目ルビが255文字を超えるため、貼り付けませんでした");

    // Typing past the limit says so too.
    const std::wstring full(255, L'満');
    replaceAll(IDC_LINE1_BODY_TEXT, full.c_str());
    ASSERT_EQ(controlText(page(), IDC_LINE1_BODY_TEXT).size(), 255u);
    SendMessageW(control(IDC_LINE1_BODY_TEXT), WM_CHAR, L'x', 1);
    pumpMessages();
    EXPECT_EQ(controlText(page(), IDC_LINE1_BODY_TEXT).size(), 255u);
    EXPECT_EQ(messageLine(), u"1行目本文に入力できるのは255文字までです");
}

TEST_F(CaptionCreationTest, AnEditTheRowCannotHoldStaysInTheEditorsAndKeepsTheSelection) {
    if (!movie_) GTEST_SKIP() << "no sample movie (QUCAP_TEST_MEDIA)";
    openProject();
    click(IDC_ADD_ROW);
    const int row = app().captions.selection();
    // Every other character red and bold: five markup characters each, more than a text holds.
    replaceAll(IDC_LINE1_BODY_TEXT, std::wstring(255, L'あ').c_str());
    for (LONG i = 0; i < 255; i += 2) {
        select(IDC_LINE1_BODY_TEXT, i, i + 1);
        CHARFORMAT2W format{};
        format.cbSize = sizeof format;
        format.dwMask = CFM_BOLD | CFM_COLOR;
        format.dwEffects = CFE_BOLD;
        format.crTextColor = RGB(255, 0, 0);
        SendMessageW(control(IDC_LINE1_BODY_TEXT), EM_SETCHARFORMAT, SCF_SELECTION, LPARAM(&format));
    }
    key(IDC_LINE1_BODY_TEXT, VK_RETURN, VK_RETURN);
    EXPECT_EQ(messageLine(), u"1行目本文の文字と書式が多すぎるため、リストに保存できません。文字か書式を減らして下さい");
    EXPECT_EQ(app().captions.cell(row, kMarkupColumns[Line1Body]), u"");

    // Another row clicked: the selection comes back, the edit is still there to mend.
    selectInList(0);
    EXPECT_EQ(app().captions.selection(), row);
    EXPECT_TRUE(listRowSelected(row));
    EXPECT_FALSE(listRowSelected(0));
    EXPECT_EQ(controlText(page(), IDC_LINE1_BODY_TEXT).size(), 255u);
    EXPECT_TRUE(app().captions.pendingEdit());

    replaceAll(IDC_LINE1_BODY_TEXT, L"短い字幕");
    key(IDC_LINE1_BODY_TEXT, VK_RETURN, VK_RETURN);
    // The new text took the format of the first character it replaced.
    EXPECT_EQ(app().captions.cell(row, kMarkupColumns[Line1Body]), u"$H$R$k短い字幕$h");
    selectInList(0);
    EXPECT_EQ(app().captions.selection(), 0);
}

TEST_F(CaptionCreationTest, RepeatReplaysTheRowInTheMainWindowWhilePaused) {
    if (!movie_) GTEST_SKIP() << "no sample movie (QUCAP_TEST_MEDIA)";
    openProject();
    selectInList(0);
    EXPECT_FALSE(controlEnabled(page(), IDC_REPEAT)) << "not while stopped";
    clickMain(IDC_PLAY_PAUSE);
    ASSERT_EQ(app().playState, PlayState::Playing);
    EXPECT_FALSE(controlEnabled(page(), IDC_LINE1_BODY_TEXT));
    EXPECT_FALSE(controlEnabled(page(), IDC_ADD_ROW));
    pumpMessages(300);
    clickMain(IDC_PLAY_PAUSE);
    ASSERT_EQ(app().playState, PlayState::Paused);
    // The page is refreshed once the preview thread has ended.
    for (int waited = 0; waited < 5000 && app().previewThread; waited += 50) pumpMessages(50);
    EXPECT_TRUE(controlEnabled(page(), IDC_REPEAT));
    EXPECT_TRUE(controlEnabled(page(), IDC_LINE1_BODY_TEXT));
    EXPECT_FALSE(controlEnabled(page(), IDC_DELETE_ROW));

    CheckDlgButton(main(), IDC_PLAY_WITH_CAPTIONS, BST_CHECKED);
    click(IDC_REPEAT);
    EXPECT_EQ(app().playState, PlayState::Playing);
    EXPECT_EQ(IsDlgButtonChecked(main(), IDC_PLAY_WITH_CAPTIONS), BST_UNCHECKED);
    EXPECT_EQ(GetFocus(), GetDlgItem(main(), IDC_PLAY_PAUSE));
    pumpMessages(200);
    clickMain(IDC_STOP);
    EXPECT_EQ(app().playState, PlayState::Stopped);
}

TEST_F(CaptionCreationTest, TheTabStartsClearedAndItsEditorsGrowWithTheWindow) {
    ASSERT_TRUE(openMainWindow());
    HWND tabs = GetDlgItem(main(), IDC_TABS);
    TabCtrl_SetCurSel(tabs, 3);
    NMHDR header{tabs, IDC_TABS, UINT(TCN_SELCHANGE)};
    SendMessageW(main(), WM_NOTIFY, IDC_TABS, LPARAM(&header));
    pumpMessages();
    EXPECT_EQ(boxState(IDC_TEXT_WHITE), BST_CHECKED);
    EXPECT_EQ(boxState(IDC_EFFECT_BOLD), BST_UNCHECKED);
    EXPECT_FALSE(controlEnabled(page(), IDC_LINE2_RUBY_BORDER));
    EXPECT_FALSE(controlEnabled(page(), IDC_TEXT_RED));
    EXPECT_TRUE(controlEnabled(page(), IDC_ADD_ROW));

    auto rectOf = [](int id) { return screenRect(page(), id); };
    const RECT editor = rectOf(IDC_LINE2_RUBY_BORDER), button = rectOf(IDC_DELETE_ROW);
    widenMainWindow(100);
    EXPECT_EQ(rectOf(IDC_LINE2_RUBY_BORDER).right - rectOf(IDC_LINE2_RUBY_BORDER).left, editor.right - editor.left + 100);
    EXPECT_EQ(rectOf(IDC_LINE2_RUBY_BORDER).left, editor.left);
    EXPECT_EQ(rectOf(IDC_DELETE_ROW).left, button.left + 100);
}

}  // namespace
}  // namespace qucap::test
