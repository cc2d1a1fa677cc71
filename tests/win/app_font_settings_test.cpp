// The font-settings tab of the program's main window, driven by messages:
// list choices arrive as selection-change notifications, radio buttons and
// check boxes are clicked, the rewind time is typed; what the tab took is
// read back from the project file after the program has ended.
#include <windows.h>

#include <commctrl.h>

#include <optional>
#include <string>
#include <vector>

#include "app/core/font_settings/font_tab.h"
#include "app/core/main_window/main_window_texts.h"
#include "app/core/project/batch_project.h"
#include "app/main_window/app_state.h"
#include "app/tabs/font_settings_page.h"
#include "captiondata/project/project_files.h"
#include "captiondata/text/u16.h"
#include "resources/app/page_ids.h"
#include "resources/app/resource.h"
#include "tests/win/app_window_fixture.h"
#include "tests/win/temp_folder.h"
#include "tests/win/test_media.h"

namespace qucap::test {
namespace {

using Names = std::vector<std::u16string>;

std::u16string profileString(const std::u16string& file, const wchar_t* section, const wchar_t* key) {
    wchar_t value[128] = {};
    GetPrivateProfileStringW(section, key, L"<none>", value, DWORD(std::size(value)),
                             reinterpret_cast<const wchar_t*>(file.c_str()));
    return reinterpret_cast<const char16_t*>(value);
}

void setProfileString(const std::u16string& file, const wchar_t* section, const wchar_t* key, const wchar_t* value) {
    WritePrivateProfileStringW(section, key, value, reinterpret_cast<const wchar_t*>(file.c_str()));
}

Names comboEntries(HWND page, int id) {
    HWND combo = GetDlgItem(page, id);
    Names entries;
    for (int index = 0; index < int(SendMessageW(combo, CB_GETCOUNT, 0, 0)); ++index) {
        wchar_t text[128] = {};
        SendMessageW(combo, CB_GETLBTEXT, index, LPARAM(text));
        entries.emplace_back(reinterpret_cast<const char16_t*>(text));
    }
    return entries;
}

// The text of the entry a list shows, "<none>" without a selection.
std::u16string comboShown(HWND page, int id) {
    const int index = int(SendDlgItemMessageW(page, id, CB_GETCURSEL, 0, 0));
    return index < 0 ? u"<none>" : comboEntries(page, id)[std::size_t(index)];
}

// The user picks the entry `text` in a drop-down list.
void choose(HWND page, int id, std::u16string_view text) {
    HWND combo = GetDlgItem(page, id);
    const std::u16string entry(text);
    SendMessageW(combo, CB_SELECTSTRING, WPARAM(-1), LPARAM(entry.c_str()));
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), LPARAM(combo));
}

void click(HWND page, int id) { SendMessageW(GetDlgItem(page, id), BM_CLICK, 0, 0); }

// Replaces the rewind field's text as typing and deleting would.
void typeRewind(HWND page, const wchar_t* text) {
    HWND edit = GetDlgItem(page, IDC_REWIND_SECONDS);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    SendMessageW(edit, EM_REPLACESEL, TRUE, LPARAM(text));
}

void showTab(HWND main, int tab) {
    HWND tabs = GetDlgItem(main, IDC_TABS);
    TabCtrl_SetCurSel(tabs, tab);
    NMHDR header{tabs, IDC_TABS, UINT(TCN_SELCHANGE)};
    SendMessageW(main, WM_NOTIFY, IDC_TABS, LPARAM(&header));
    pumpMessages(20);
}

HWND findDisplayItemsDialog() {
    HWND dialog = FindWindowW(L"#32770", L"表示項目設定");
    DWORD process = 0;
    GetWindowThreadProcessId(dialog, &process);
    return dialog && process == GetCurrentProcessId() ? dialog : nullptr;
}

class FontSettingsTest : public AppWindowTest {
protected:
    HWND page() const { return app().pages[std::size_t(kFontTab)]->window(); }
    FontSettingsPage& fontPage() const { return dynamic_cast<FontSettingsPage&>(*app().pages[std::size_t(kFontTab)]); }
    // Counts the recomputes of the unlocked rows' default positions.
    void countRecomputes() {
        fontPage().setPositionRecompute([this] { ++recomputes_; });
    }
    // A new project for the sample movie, offered as the last one opened; its project file.
    std::u16string makeProject() { return createProject(u"フォント確認", *movie_, 320); }

    int recomputes_ = 0;
    std::optional<std::u16string> movie_ = testMovie("small.avi");
};

// A project naming a font that is not offered, edited on the tab, ended:
// the project file holds what the tab showed and took.
TEST_F(FontSettingsTest, TheTabShowsTheProjectsSettingsAndTheProgramsEndWritesWhatItTook) {
    if (!movie_) GTEST_SKIP() << "no sample movie (QUCAP_TEST_MEDIA)";
    const std::u16string project = makeProject();
    ASSERT_FALSE(project.empty());
    setProfileString(project, L"FontName", L"MainName", L"どこにも無いフォント");
    setProfileString(project, L"FontSize", L"RubySize", L"200");
    setProfileString(project, L"Border", L"Type", L"2");
    setProfileString(project, L"RepTime", L"Time", L"5");
    ASSERT_TRUE(openMainWindow());
    loadOfferedProject();
    ASSERT_TRUE(app().projectLoaded);
    countRecomputes();
    showTab(main(), kFontTab);

    EXPECT_EQ(comboShown(page(), IDC_BODY_FONT_NAME), u"ＭＳ ゴシック");
    EXPECT_EQ(comboShown(page(), IDC_RUBY_FONT_NAME), u"ＭＳ ゴシック");
    EXPECT_EQ(comboShown(page(), IDC_BODY_FONT_SIZE), u"32");
    EXPECT_EQ(comboShown(page(), IDC_RUBY_FONT_SIZE), u"16");
    EXPECT_EQ(comboEntries(page(), IDC_BODY_FONT_SIZE).size(), 125u);
    EXPECT_EQ(comboEntries(page(), IDC_RUBY_BORDER_WIDTH),
              (Names{u"1", u"2", u"3", u"4", u"5", u"6", u"7", u"8", u"9"}));
    EXPECT_EQ(IsDlgButtonChecked(page(), IDC_BORDER_SHADOW), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(page(), IDC_RUBY_OUTER_SIDES), BST_CHECKED);
    EXPECT_EQ(controlText(page(), IDC_REWIND_SECONDS), u"5");

    // The black box leaves no use for gradation and widths; the outline
    // brings them back with their values.
    choose(page(), IDC_BODY_BORDER_WIDTH, u"5");
    click(page(), IDC_BORDER_BLACK_BOX);
    for (int id : {IDC_BORDER_GRADATION, IDC_BODY_BORDER_WIDTH, IDC_RUBY_BORDER_WIDTH})
        EXPECT_FALSE(controlEnabled(page(), id)) << id;
    EXPECT_TRUE(controlEnabled(page(), IDC_BORDER_SHADOW));
    click(page(), IDC_BORDER_OUTLINE);
    for (int id : {IDC_BORDER_GRADATION, IDC_BODY_BORDER_WIDTH, IDC_RUBY_BORDER_WIDTH})
        EXPECT_TRUE(controlEnabled(page(), id)) << id;
    EXPECT_EQ(comboShown(page(), IDC_BODY_BORDER_WIDTH), u"5");
    click(page(), IDC_BORDER_GRADATION);
    EXPECT_EQ(recomputes_, 0) << "border settings do not move captions";

    // Sizes, layout and the two flags move the unlocked rows' positions.
    choose(page(), IDC_BODY_FONT_SIZE, u"40");
    EXPECT_EQ(recomputes_, 1);
    click(page(), IDC_RUBY_BETWEEN_LINES);
    click(page(), IDC_FILL_EMPTY_RUBY);
    click(page(), IDC_FROM_EDGE);
    EXPECT_EQ(recomputes_, 4);

    // Out of range or no digits shows 0 again; a number in range stays.
    for (const wchar_t* text : {L"150", L"-5", L"abc"}) {
        typeRewind(page(), text);
        EXPECT_EQ(controlText(page(), IDC_REWIND_SECONDS), u"0") << toUtf8(reinterpret_cast<const char16_t*>(text));
    }
    typeRewind(page(), L"12");
    EXPECT_EQ(controlText(page(), IDC_REWIND_SECONDS), u"12");

    // A preview locks every setting; the help stays.
    app().playState = PlayState::Paused;
    fontPage().refresh();
    for (int id : {IDC_BODY_FONT_NAME, IDC_BODY_FONT_SIZE, IDC_BORDER_OUTLINE, IDC_FROM_EDGE, IDC_REWIND_SECONDS})
        EXPECT_FALSE(controlEnabled(page(), id)) << id;
    EXPECT_FALSE(controlEnabled(page(), IDC_PAGE_HELP));
    app().playState = PlayState::Stopped;
    fontPage().refresh();
    EXPECT_TRUE(controlEnabled(page(), IDC_REWIND_SECONDS));

    SendMessageW(main(), WM_CLOSE, 0, 0);
    pumpMessages();
    ASSERT_EQ(main(), nullptr);
    EXPECT_TRUE(boxes_->texts().empty());
    const struct {
        const wchar_t* section;
        const wchar_t* key;
        std::u16string value;
    } written[] = {
        {L"FontName", L"MainName", u"ＭＳ ゴシック"}, {L"FontSize", L"MainSize", u"40"},
        {L"FontSize", L"RubySize", u"16"},          {L"Layout", L"Type", u"2"},
        {L"Layout", L"Fill", u"1"},                 {L"Layout", L"Side", u"1"},
        {L"Border", L"Type", u"1"},                 {L"Border", L"Gradation", u"1"},
        {L"Border", L"MainWidth", u"5"},            {L"RepTime", L"Time", u"12"},
    };
    for (const auto& entry : written)
        EXPECT_EQ(profileString(project, entry.section, entry.key), entry.value)
            << toUtf8(reinterpret_cast<const char16_t*>(entry.key));
}

// Unchecking a font in "表示項目設定" takes it out of both lists at once; a
// project that used it falls back to "ＭＳ ゴシック", which moves the positions.
TEST_F(FontSettingsTest, SavingTheFontDisplayListRefillsBothFontLists) {
    ASSERT_TRUE(openMainWindow());
    countRecomputes();
    app().fontNames = {u"メイリオ", u"ＭＳ 明朝", u"ＭＳ ゴシック"};
    const auto checkFonts = [](std::vector<bool> checked) {
        return [checked](HWND dialog) {
            HWND list = GetDlgItem(dialog, IDC_DISPLAY_ITEMS);
            for (int row = 0; row < int(checked.size()); ++row)
                ListView_SetCheckState(list, row, checked[std::size_t(row)] ? TRUE : FALSE);
        };
    };
    ModalSteps all;
    all.steps = {checkFonts({true, true, false})};
    runModal([this] { SendMessageW(main(), WM_COMMAND, IDM_DISPLAY_ITEMS, 0); }, findDisplayItemsDialog, all);
    EXPECT_EQ(comboEntries(page(), IDC_BODY_FONT_NAME), (Names{u"メイリオ", u"ＭＳ 明朝", u"ＭＳ ゴシック"}));
    EXPECT_EQ(comboEntries(page(), IDC_RUBY_FONT_NAME), comboEntries(page(), IDC_BODY_FONT_NAME));

    showTab(main(), kFontTab);
    choose(page(), IDC_BODY_FONT_NAME, u"メイリオ");
    choose(page(), IDC_RUBY_FONT_NAME, u"ＭＳ 明朝");
    ASSERT_EQ(app().settings.mainFontName, u"メイリオ");
    ASSERT_EQ(recomputes_, 2);

    ModalSteps withoutMeiryo;
    withoutMeiryo.steps = {checkFonts({false, true, true})};
    runModal([this] { SendMessageW(main(), WM_COMMAND, IDM_DISPLAY_ITEMS, 0); }, findDisplayItemsDialog,
             withoutMeiryo);
    EXPECT_EQ(comboEntries(page(), IDC_BODY_FONT_NAME), (Names{u"ＭＳ 明朝", u"ＭＳ ゴシック"}));
    EXPECT_EQ(comboEntries(page(), IDC_RUBY_FONT_NAME), (Names{u"ＭＳ 明朝", u"ＭＳ ゴシック"}));
    EXPECT_EQ(comboShown(page(), IDC_BODY_FONT_NAME), u"ＭＳ ゴシック");
    EXPECT_EQ(comboShown(page(), IDC_RUBY_FONT_NAME), u"ＭＳ 明朝");
    EXPECT_EQ(app().settings.mainFontName, u"ＭＳ ゴシック");
    EXPECT_EQ(recomputes_, 3);
}

}  // namespace
}  // namespace qucap::test
