#include <windows.h>

#include <gtest/gtest.h>

#include "resources/filter/resource.h"
#include "tests/support/test_io.h"
#include "tests/win/message_box_watcher.h"
#include "tests/win/properties_fixture.h"

namespace qucap::test {
namespace {

using Texts = std::vector<std::u16string>;

constexpr char16_t kGothic[] = u"ＭＳ ゴシック";
constexpr int kWidthControls[] = {IDC_MAIN_WIDTH_LABEL, IDC_MAIN_WIDTH, IDC_RUBY_WIDTH_LABEL, IDC_RUBY_WIDTH};

std::u16string classOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, int(std::size(name)));
    return std::u16string(reinterpret_cast<const char16_t*>(name));
}

// Each control of the dialog: its window class, text and kind.
struct ControlSpec {
    int id;
    const char16_t* className;
    const char16_t* text;
    DWORD kind;  // the button style or the combo box type
    bool firstOfGroup;
};

constexpr DWORD kStatic = 0;
constexpr DWORD kEdit = 0;
constexpr ControlSpec kControls[] = {
    {IDC_FILE_GROUP, u"Button", u"ファイル選択", BS_GROUPBOX, false},
    {IDC_CAPTION_PATH_LABEL, u"Static", u"字幕情報ファイル", kStatic, false},
    {IDC_CAPTION_PATH, u"Edit", u"", kEdit, true},
    {IDC_CAPTION_BROWSE, u"Button", u"参照", BS_PUSHBUTTON, false},
    {IDC_OUTPUT_GROUP, u"Button", u"出力オプション", BS_GROUPBOX, false},
    {IDC_MAIN_FACE_LABEL, u"Static", u"本文フォント名", kStatic, false},
    {IDC_MAIN_FACE, u"ComboBox", nullptr, CBS_DROPDOWNLIST, false},
    {IDC_MAIN_SIZE_LABEL, u"Static", u"フォントサイズ", kStatic, false},
    {IDC_MAIN_SIZE, u"ComboBox", nullptr, CBS_DROPDOWNLIST, false},
    {IDC_RUBY_FACE_LABEL, u"Static", u"ルビフォント名", kStatic, false},
    {IDC_RUBY_FACE, u"ComboBox", nullptr, CBS_DROPDOWNLIST, false},
    {IDC_RUBY_SIZE_LABEL, u"Static", u"フォントサイズ", kStatic, false},
    {IDC_RUBY_SIZE, u"ComboBox", nullptr, CBS_DROPDOWNLIST, false},
    {IDC_RUBY_BOTH_SIDES, u"Button", u"ルビは両側", BS_AUTORADIOBUTTON, true},
    {IDC_RUBY_BETWEEN_LINES, u"Button", u"ルビは行間", BS_AUTORADIOBUTTON, false},
    {IDC_TIME_DISPLAY, u"Button", u"時間を表示", BS_AUTOCHECKBOX, true},
    {IDC_FILL, u"Button", u"行間詰め", BS_AUTOCHECKBOX, false},
    {IDC_SIDE, u"Button", u"端から表示", BS_AUTOCHECKBOX, false},
    {IDC_BORDER_OUTLINE, u"Button", u"縁取りあり", BS_AUTORADIOBUTTON, true},
    {IDC_BORDER_SHADOW, u"Button", u"影を表示", BS_AUTORADIOBUTTON, false},
    {IDC_BORDER_NONE, u"Button", u"縁取り無し", BS_AUTORADIOBUTTON, false},
    {IDC_BORDER_BLACK_BOX, u"Button", u"黒枠を表示", BS_AUTORADIOBUTTON, false},
    {IDC_MAIN_WIDTH_LABEL, u"Static", u"本文の縁取り幅", kStatic, true},
    {IDC_MAIN_WIDTH, u"ComboBox", nullptr, CBS_DROPDOWNLIST, false},
    {IDC_RUBY_WIDTH_LABEL, u"Static", u"ルビの縁取り幅", kStatic, false},
    {IDC_RUBY_WIDTH, u"ComboBox", nullptr, CBS_DROPDOWNLIST, false},
    {IDC_RESET, u"Button", u"リセット", BS_PUSHBUTTON, true},
    {IDC_DEFAULT, u"Button", u"デフォルト", BS_PUSHBUTTON, false},
};

class PropertyPageTest : public PropertyPageHost {};

TEST_F(PropertyPageTest, DialogHasEveryControlOfThePageWithItsTextAndKind) {
    open();
    const LONG_PTR dialogStyle = GetWindowLongPtrW(dialog, GWL_STYLE);
    EXPECT_TRUE(dialogStyle & WS_CHILD);
    EXPECT_TRUE(dialogStyle & DS_CONTROL);
    EXPECT_FALSE(dialogStyle & WS_CAPTION);
    for (const ControlSpec& spec : kControls) {
        SCOPED_TRACE(spec.id);
        HWND window = GetDlgItem(dialog, spec.id);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(classOf(window), spec.className);
        if (spec.text && spec.id != IDC_CAPTION_PATH) {
            EXPECT_EQ(text(spec.id), spec.text);
        }
        const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
        if (classOf(window) == u"Button") {
            EXPECT_EQ(DWORD(style & BS_TYPEMASK), spec.kind);
        } else if (classOf(window) == u"ComboBox") {
            EXPECT_EQ(DWORD(style & 3), spec.kind);
        }
        EXPECT_EQ((style & WS_GROUP) != 0, spec.firstOfGroup);
    }
    // 265 x 168 dialog units, as the page tells the frame.
    PROPPAGEINFO info = {};
    info.cb = sizeof(info);
    ASSERT_EQ(page->GetPageInfo(&info), S_OK);
    RECT units = {0, 0, 265, 168};
    MapDialogRect(dialog, &units);
    EXPECT_EQ(info.size.cx, units.right);
    EXPECT_EQ(info.size.cy, units.bottom);
    ASSERT_NE(info.pszTitle, nullptr);
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(info.pszTitle)), u"詳細設定");
    CoTaskMemFree(info.pszTitle);
    CoTaskMemFree(info.pszDocString);
    CoTaskMemFree(info.pszHelpFile);
}

TEST_F(PropertyPageTest, ActivationShowsTheFiltersValuesCleanly) {
    filter.mainFace = u"@IPAGothic";  // as the filter holds it after a vertical row
    open();
    EXPECT_EQ(items(IDC_MAIN_FACE), (Texts{u"IPAGothic", u"IPAMincho", kGothic}));
    EXPECT_EQ(items(IDC_RUBY_FACE), items(IDC_MAIN_FACE));
    EXPECT_EQ(items(IDC_MAIN_SIZE).size(), 125u);
    EXPECT_EQ(items(IDC_RUBY_WIDTH), (Texts{u"1", u"2", u"3", u"4", u"5", u"6", u"7", u"8", u"9"}));
    EXPECT_EQ(text(IDC_CAPTION_PATH), u"C:\\proj\\字幕情報.csv");
    EXPECT_EQ(selected(IDC_MAIN_FACE), u"IPAGothic");
    EXPECT_EQ(selected(IDC_RUBY_FACE), u"IPAMincho");
    EXPECT_EQ(selected(IDC_MAIN_SIZE), u"40");
    EXPECT_EQ(selected(IDC_RUBY_SIZE), u"20");
    EXPECT_EQ(selected(IDC_MAIN_WIDTH), u"3");
    EXPECT_EQ(selected(IDC_RUBY_WIDTH), u"1");
    EXPECT_TRUE(checked(IDC_RUBY_BETWEEN_LINES));
    EXPECT_FALSE(checked(IDC_RUBY_BOTH_SIDES));
    EXPECT_TRUE(checked(IDC_FILL));
    EXPECT_FALSE(checked(IDC_SIDE));
    EXPECT_TRUE(checked(IDC_TIME_DISPLAY));
    EXPECT_TRUE(checked(IDC_BORDER_SHADOW));
    for (int id : kWidthControls) EXPECT_TRUE(enabled(id));
    EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_CAPTION_PATH, EM_GETLIMITTEXT, 0, 0), 254);
    EXPECT_FALSE(dirty());
    EXPECT_TRUE(site.statuses.empty());
}

TEST_F(PropertyPageTest, BlackBoxDisablesTheWidthListsAndShadowEnablesThemAgain) {
    filter.borderType = 3;
    open();
    for (int id : kWidthControls) EXPECT_FALSE(enabled(id));
    click(IDC_BORDER_SHADOW);
    EXPECT_TRUE(checked(IDC_BORDER_SHADOW));
    EXPECT_FALSE(checked(IDC_BORDER_NONE));
    for (int id : kWidthControls) EXPECT_TRUE(enabled(id));
    click(IDC_BORDER_BLACK_BOX);
    for (int id : kWidthControls) EXPECT_FALSE(enabled(id));
    click(IDC_BORDER_SHADOW);
    for (int id : kWidthControls) EXPECT_TRUE(enabled(id));
    EXPECT_TRUE(dirty());
    ASSERT_FALSE(site.statuses.empty());
    EXPECT_EQ(site.statuses.back() & PROPPAGESTATUS_DIRTY, DWORD(PROPPAGESTATUS_DIRTY));
}

TEST_F(PropertyPageTest, ApplySendsThePageValuesToTheFilterAndEveryKeyToTheProject) {
    putFile(filter.projectPath, "\xFF\xFE");  // an existing, empty project file
    open();
    type(u"C:\\proj\\新しい字幕.csv");
    select(IDC_MAIN_FACE, kGothic);
    select(IDC_RUBY_SIZE, u"24");
    select(IDC_MAIN_WIDTH, u"5");
    click(IDC_RUBY_BOTH_SIDES);
    click(IDC_SIDE);
    click(IDC_TIME_DISPLAY);
    click(IDC_BORDER_OUTLINE);
    EXPECT_TRUE(dirty());
    ASSERT_EQ(page->Apply(), S_OK);
    EXPECT_EQ(filter.calls,
              (Texts{u"SetCaptionPath C:\\proj\\新しい字幕.csv", u"SetFontNames ＭＳ ゴシック IPAMincho",
                     u"SetFontSizes 40 24", u"SetLayout 1 1 1", u"SetTimeDisplay 0", u"SetBorderType 1"}));
    EXPECT_FALSE(dirty());
    EXPECT_EQ(utf16Lines(fileBytes(filter.projectPath)), (Texts{u"[FileName]",
                                                                u"InpCapName=C:\\proj\\新しい字幕.csv",
                                                                u"",
                                                                u"[FontName]",
                                                                u"MainName=ＭＳ ゴシック",
                                                                u"RubyName=IPAMincho",
                                                                u"",
                                                                u"[FontSize]",
                                                                u"MainSize=40",
                                                                u"RubySize=24",
                                                                u"",
                                                                u"[Layout]",
                                                                u"Type=1",
                                                                u"Fill=1",
                                                                u"Side=1",
                                                                u"",
                                                                u"[TimeDisp]",
                                                                u"Disp=0",
                                                                u"",
                                                                u"[Border]",
                                                                u"Type=1",
                                                                u"MainWidth=5",
                                                                u"RubyWidth=1"}));
}

TEST_F(PropertyPageTest, ApplyOfOnlyTheTimeDisplayRewritesTheProjectsWidthOf5As3) {
    putFile(filter.projectPath, utf16File({u"[Border]", u"MainWidth=5"}));
    open();
    EXPECT_EQ(selected(IDC_MAIN_WIDTH), u"3");
    click(IDC_TIME_DISPLAY);
    ASSERT_EQ(page->Apply(), S_OK);
    const Texts lines = utf16Lines(fileBytes(filter.projectPath));
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ((Texts{lines[0], lines[1], lines[2], lines[3]}),
              (Texts{u"[Border]", u"MainWidth=3", u"Type=2", u"RubyWidth=1"}));
    EXPECT_NE(std::find(lines.begin(), lines.end(), u"Disp=0"), lines.end());
    EXPECT_EQ(lines.size(), 23u);  // every key of the page once, in five new sections
}

TEST_F(PropertyPageTest, ApplyWithoutAProjectFileStillReachesTheFilter) {
    open();  // the project file does not exist
    click(IDC_FILL);
    ASSERT_EQ(page->Apply(), S_OK);
    EXPECT_EQ(filter.calls.size(), 6u);
    EXPECT_EQ(fileBytes(filter.projectPath), "<missing>");
}

TEST_F(PropertyPageTest, AProjectThatCannotBeWrittenShowsTheMessageAndApplySucceeds) {
    putFile(filter.projectPath, "\xFF\xFE");
    open();
    click(IDC_FILL);
    MessageBoxWatcher boxes;
    {
        const OpenHandle holder(openExclusively(filter.projectPath));
        ASSERT_TRUE(holder.valid());
        EXPECT_EQ(page->Apply(), S_OK);
    }
    ASSERT_TRUE(boxes.waitFor(1));
    EXPECT_EQ(boxes.texts(), (Texts{u"confファイルの設定に失敗しました"}));
    EXPECT_EQ(filter.calls.at(3), u"SetLayout 2 0 0");
    EXPECT_FALSE(dirty());
}

TEST_F(PropertyPageTest, ResetShowsTheLastAppliedValuesAndLeavesThePageClean) {
    open();
    select(IDC_MAIN_SIZE, u"64");
    click(IDC_BORDER_BLACK_BOX);
    click(IDC_RESET);
    EXPECT_EQ(selected(IDC_MAIN_SIZE), u"40");
    EXPECT_TRUE(checked(IDC_BORDER_SHADOW));
    EXPECT_FALSE(checked(IDC_BORDER_BLACK_BOX));
    EXPECT_TRUE(enabled(IDC_MAIN_WIDTH));
    EXPECT_FALSE(dirty());

    select(IDC_RUBY_WIDTH, u"6");
    type(u"C:\\proj\\b.csv");
    ASSERT_EQ(page->Apply(), S_OK);
    select(IDC_RUBY_WIDTH, u"2");
    type(u"C:\\proj\\c.csv");
    click(IDC_RESET);
    EXPECT_EQ(selected(IDC_RUBY_WIDTH), u"6");
    EXPECT_EQ(text(IDC_CAPTION_PATH), u"C:\\proj\\b.csv");
    EXPECT_FALSE(dirty());
    // A clean page applies nothing.
    filter.calls.clear();
    EXPECT_EQ(page->Apply(), S_OK);
    EXPECT_TRUE(filter.calls.empty());
}

TEST_F(PropertyPageTest, DefaultKeepsTheCaptionPathAndResetsEverythingElseDirty) {
    open();
    click(IDC_DEFAULT);
    EXPECT_EQ(text(IDC_CAPTION_PATH), u"C:\\proj\\字幕情報.csv");
    EXPECT_EQ(selected(IDC_MAIN_FACE), kGothic);
    EXPECT_EQ(selected(IDC_RUBY_FACE), kGothic);
    EXPECT_EQ(selected(IDC_MAIN_SIZE), u"32");
    EXPECT_EQ(selected(IDC_RUBY_SIZE), u"16");
    EXPECT_EQ(selected(IDC_MAIN_WIDTH), u"3");
    EXPECT_EQ(selected(IDC_RUBY_WIDTH), u"1");
    EXPECT_TRUE(checked(IDC_RUBY_BOTH_SIDES));
    EXPECT_FALSE(checked(IDC_FILL));
    EXPECT_FALSE(checked(IDC_SIDE));
    EXPECT_FALSE(checked(IDC_TIME_DISPLAY));
    EXPECT_TRUE(checked(IDC_BORDER_OUTLINE));
    EXPECT_TRUE(dirty());
    ASSERT_EQ(page->Apply(), S_OK);
    EXPECT_EQ(filter.calls,
              (Texts{u"SetCaptionPath C:\\proj\\字幕情報.csv", u"SetFontNames ＭＳ ゴシック ＭＳ ゴシック",
                     u"SetFontSizes 32 16", u"SetLayout 1 0 0", u"SetTimeDisplay 0", u"SetBorderType 1"}));
}

TEST_F(PropertyPageTest, AnObjectWithoutTheFiltersInterfaceIsRefused) {
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->OnDisconnect(), E_UNEXPECTED);
    PlainObject plain;
    EXPECT_EQ(object->OnConnect(&plain), E_NOINTERFACE);
    ASSERT_EQ(page->SetPageSite(&site), S_OK);
    IUnknown* objects[] = {&plain};
    EXPECT_EQ(page->SetObjects(1, objects), E_NOINTERFACE);
    // The page holds the filter's interface from connection to disconnection only.
    EXPECT_EQ(object->OnConnect(static_cast<IQucapsyf*>(&filter)), S_OK);
    EXPECT_EQ(filter.references, 2);
    EXPECT_EQ(object->OnDisconnect(), S_OK);
    EXPECT_EQ(filter.references, 1);
    page->SetPageSite(nullptr);
}

}  // namespace
}  // namespace qucap::test
