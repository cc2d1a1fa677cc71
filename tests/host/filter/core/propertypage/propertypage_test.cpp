#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <map>
#include <optional>

#include "captiondata/project/project_keys.h"
#include "captiondata/text/u16.h"
#include "filter/core/propertypage/page_model.h"
#include "resources/filter/resource.h"
#include "tests/support/test_io.h"

namespace qucap {
namespace {

using test::fromUtf16Bytes;
using test::MemoryFileSystem;
using test::RecordingUi;
using test::utf16File;
using Calls = std::vector<std::u16string>;
using Items = std::vector<std::u16string>;

constexpr std::u16string_view kProject = u"C:\\proj\\p.mcc";
constexpr std::u16string_view kGothic = u"ＭＳ ゴシック";

// A filter whose values the tests set and whose setters are recorded in order.
class FakeFilter : public PageSettingsSource {
public:
    std::u16string settings = u"C:\\prog\\Qucapadd.ini";
    std::u16string project = std::u16string(kProject);
    std::u16string caption = u"C:\\proj\\字幕情報.csv";
    Items fonts = {u"IPAGothic", u"メイリオ"};
    PageFaceNames faces = {u"IPAGothic", u"メイリオ"};
    PageFontSizes sizes = {40, 20};
    PageLayout layoutValues = {2, 1, 0};
    int32_t time = 1;
    int32_t border = 2;
    Calls calls;

    std::u16string settingsPath() override { return settings; }
    std::u16string projectPath() override { return project; }
    std::u16string captionPath() override { return caption; }
    Items installedFonts() override { return fonts; }
    PageFaceNames faceNames() override { return faces; }
    PageFontSizes fontSizes() override { return sizes; }
    PageLayout layout() override { return layoutValues; }
    int32_t timeDisplay() override { return time; }
    int32_t borderType() override { return border; }

    void setCaptionPath(std::u16string_view path) override { record(u"SetCaptionPath", {path}); }
    void setFaceNames(std::u16string_view main, std::u16string_view ruby) override {
        record(u"SetFontNames", {main, ruby});
    }
    void setFontSizes(int32_t main, int32_t ruby) override { record(u"SetFontSizes", {number(main), number(ruby)}); }
    void setLayout(int32_t type, int32_t fill, int32_t side) override {
        record(u"SetLayout", {number(type), number(fill), number(side)});
    }
    void setTimeDisplay(int32_t flag) override { record(u"SetTimeDisplay", {number(flag)}); }
    void setBorderType(int32_t type) override { record(u"SetBorderType", {number(type)}); }

private:
    static std::u16string number(int32_t n) { return toDecimal(n); }
    void record(std::u16string_view name, std::initializer_list<std::u16string_view> args) {
        std::u16string call(name);
        for (auto arg : args) call += u" " + std::u16string(arg);
        calls.push_back(call);
    }
};

// The dialog's controls as plain state. Like a real edit control it reports a
// new text as a change, so the model sees what Windows would send it.
class FakeView : public PageView {
public:
    QucapsyfPageModel* notified = nullptr;
    std::map<int, std::u16string> texts;
    std::map<int, std::size_t> limits;
    std::map<int, Items> lists;
    std::map<int, int> selections;
    std::map<int, bool> checks;
    std::map<int, bool> enabled;
    std::vector<std::u16string> dialogFolders;
    std::deque<std::optional<std::u16string>> dialogAnswers;

    void setText(int control, std::u16string_view text) override {
        texts[control] = std::u16string(text);
        if (notified) notified->command(control, PageEvent::TextChanged, *this);
    }
    std::u16string text(int control) override { return texts[control]; }
    void limitText(int control, std::size_t maxChars) override { limits[control] = maxChars; }
    void fillList(int control, const Items& items) override {
        lists[control] = items;
        selections[control] = -1;
    }
    void selectItem(int control, int index) override { selections[control] = index; }
    std::optional<std::u16string> selectedText(int control) override {
        const int at = selections.count(control) ? selections[control] : -1;
        if (at < 0 || at >= int(lists[control].size())) return std::nullopt;
        return lists[control][at];
    }
    void setChecked(int control, bool checked) override { checks[control] = checked; }
    bool isChecked(int control) override { return checks[control]; }
    void enable(int control, bool on) override { enabled[control] = on; }
    std::optional<std::u16string> chooseCaptionFile(std::u16string_view initialFolder) override {
        dialogFolders.emplace_back(initialFolder);
        if (dialogAnswers.empty()) return std::nullopt;
        auto answer = dialogAnswers.front();
        dialogAnswers.pop_front();
        return answer;
    }

    std::u16string selected(int control) { return selectedText(control).value_or(u"<none>"); }
};

constexpr int kWidthControls[] = {IDC_MAIN_WIDTH_LABEL, IDC_MAIN_WIDTH, IDC_RUBY_WIDTH_LABEL, IDC_RUBY_WIDTH};
constexpr int kBorderRadios[] = {IDC_BORDER_OUTLINE, IDC_BORDER_SHADOW, IDC_BORDER_NONE, IDC_BORDER_BLACK_BOX};
constexpr int kLayoutRadios[] = {IDC_RUBY_BOTH_SIDES, IDC_RUBY_BETWEEN_LINES};

class PropertyPage : public ::testing::Test {
protected:
    test::TestIo io;
    FakeFilter filter;
    FakeView view;
    RememberedFolder folder;
    QucapsyfPageModel page{folder};

    PropertyPage() {
        io.files.addDirectory(u"C:\\proj");
        view.notified = &page;
    }

    void open() {
        page.connect(filter);
        page.start(view);
    }
    // What a user does; each sends the notification Windows would.
    void select(int list, std::u16string_view item) {
        const Items& items = view.lists[list];
        const auto at = std::find(items.begin(), items.end(), item);
        ASSERT_NE(at, items.end()) << "no item in list " << list;
        view.selections[list] = int(at - items.begin());
        EXPECT_TRUE(page.command(list, PageEvent::SelectionChanged, view));
    }
    void clickRadio(int control) {
        const bool border = std::count(std::begin(kBorderRadios), std::end(kBorderRadios), control) > 0;
        for (int other : border ? std::vector<int>(std::begin(kBorderRadios), std::end(kBorderRadios))
                                : std::vector<int>(std::begin(kLayoutRadios), std::end(kLayoutRadios)))
            view.checks[other] = other == control;
        EXPECT_TRUE(page.command(control, PageEvent::Clicked, view));
    }
    void toggle(int box) {
        view.checks[box] = !view.checks[box];
        EXPECT_TRUE(page.command(box, PageEvent::Clicked, view));
    }
    void click(int button) { EXPECT_TRUE(page.command(button, PageEvent::Clicked, view)); }
    void type(std::u16string_view text) {
        view.texts[IDC_CAPTION_PATH] = std::u16string(text);
        EXPECT_TRUE(page.command(IDC_CAPTION_PATH, PageEvent::TextChanged, view));
    }
    bool widthsEnabled() {
        int on = 0;
        for (int control : kWidthControls) on += view.enabled[control] ? 1 : 0;
        EXPECT_TRUE(on == 0 || on == 4) << "width controls enabled unevenly";
        return on == 4;
    }
    std::u16string projectText() { return fromUtf16Bytes(io.files.contents(kProject)); }
    std::u16string projectValue(const ProfileKey& key) {
        return IniDocument::parse(projectText()).readString(key.section, key.name, u"<missing>");
    }
};

TEST_F(PropertyPage, ConnectTakesTheFiltersValuesAndStartsTheWidthsAt3And1) {
    filter.faces = {u"@IPAGothic", u"@メイリオ"};  // as held after a vertical row
    page.connect(filter);
    const PageValues& values = page.pageValues();
    EXPECT_EQ(values.settingsPath, u"C:\\prog\\Qucapadd.ini");
    EXPECT_EQ(values.projectPath, kProject);
    EXPECT_EQ(values.captionPath, u"C:\\proj\\字幕情報.csv");
    EXPECT_EQ(values.installedFonts, filter.fonts);
    EXPECT_EQ(values.mainFace, u"IPAGothic");
    EXPECT_EQ(values.rubyFace, u"メイリオ");
    EXPECT_EQ(
        (std::vector<int32_t>{values.mainSize, values.rubySize, values.layoutType, values.fillFlag, values.sideFlag,
                              values.timeDisplay, values.borderType, values.mainWidth, values.rubyWidth}),
        (std::vector<int32_t>{40, 20, 2, 1, 0, 1, 2, 3, 1}));
    EXPECT_EQ(page.appliedValues(), values);
    EXPECT_FALSE(page.dirty());
    EXPECT_TRUE(filter.calls.empty());
}

TEST_F(PropertyPage, StartFillsTheListsAndShowsEveryValue) {
    open();
    EXPECT_EQ(view.lists[IDC_MAIN_FACE], (Items{u"IPAGothic", u"メイリオ", std::u16string(kGothic)}));
    EXPECT_EQ(view.lists[IDC_RUBY_FACE], view.lists[IDC_MAIN_FACE]);
    for (int list : {IDC_MAIN_SIZE, IDC_RUBY_SIZE}) {
        ASSERT_EQ(view.lists[list].size(), 125u);
        EXPECT_EQ(view.lists[list].front(), u"4");
        EXPECT_EQ(view.lists[list].back(), u"128");
    }
    for (int list : {IDC_MAIN_WIDTH, IDC_RUBY_WIDTH})
        EXPECT_EQ(view.lists[list], (Items{u"1", u"2", u"3", u"4", u"5", u"6", u"7", u"8", u"9"}));
    EXPECT_EQ(view.texts[IDC_CAPTION_PATH], u"C:\\proj\\字幕情報.csv");
    EXPECT_EQ(view.limits[IDC_CAPTION_PATH], 254u);
    EXPECT_EQ(view.selected(IDC_MAIN_FACE), u"IPAGothic");
    EXPECT_EQ(view.selected(IDC_RUBY_FACE), u"メイリオ");
    EXPECT_EQ(view.selected(IDC_MAIN_SIZE), u"40");
    EXPECT_EQ(view.selected(IDC_RUBY_SIZE), u"20");
    EXPECT_EQ(view.selected(IDC_MAIN_WIDTH), u"3");
    EXPECT_EQ(view.selected(IDC_RUBY_WIDTH), u"1");
    EXPECT_FALSE(view.checks[IDC_RUBY_BOTH_SIDES]);
    EXPECT_TRUE(view.checks[IDC_RUBY_BETWEEN_LINES]);
    EXPECT_TRUE(view.checks[IDC_FILL]);
    EXPECT_FALSE(view.checks[IDC_SIDE]);
    EXPECT_TRUE(view.checks[IDC_TIME_DISPLAY]);
    EXPECT_EQ((std::vector<bool>{view.checks[1019], view.checks[1020], view.checks[1021], view.checks[1022]}),
              (std::vector<bool>{false, true, false, false}));
    EXPECT_TRUE(widthsEnabled());
    // Showing the path in the edit is not a change of the user's.
    EXPECT_FALSE(page.dirty());
}

TEST_F(PropertyPage, StartReplacesValuesTheListsDoNotOffer) {
    filter.fonts = {u"IPAGothic", std::u16string(kGothic)};
    filter.faces = {u"", u"Not Installed"};
    filter.sizes = {200, 3};
    filter.layoutValues = {0, 0, 1};
    filter.border = 0;
    open();
    EXPECT_EQ(view.lists[IDC_MAIN_FACE], (Items{u"IPAGothic", std::u16string(kGothic)}));  // not added twice
    EXPECT_EQ(view.selected(IDC_MAIN_FACE), kGothic);
    EXPECT_EQ(view.selected(IDC_RUBY_FACE), kGothic);
    EXPECT_EQ(view.selected(IDC_MAIN_SIZE), u"32");
    EXPECT_EQ(view.selected(IDC_RUBY_SIZE), u"16");
    EXPECT_TRUE(view.checks[IDC_RUBY_BOTH_SIDES]);
    EXPECT_TRUE(view.checks[IDC_BORDER_OUTLINE]);
    EXPECT_TRUE(view.checks[IDC_SIDE]);
    const PageValues& values = page.pageValues();
    EXPECT_EQ(values.mainFace, kGothic);
    EXPECT_EQ(values.rubyFace, kGothic);
    EXPECT_EQ((std::vector<int32_t>{values.mainSize, values.rubySize, values.layoutType, values.borderType}),
              (std::vector<int32_t>{32, 16, 1, 1}));
    // The applied values stay as the filter gave them.
    EXPECT_EQ(page.appliedValues().mainSize, 200);
}

TEST_F(PropertyPage, StartKeepsTheRangeLimitsAndDisablesWidthsForTypes3And4) {
    filter.sizes = {4, 128};
    filter.faces = {u"ipagothic", u"IPAGOTHIC"};  // face names compare without case
    for (int32_t type : {3, 4}) {
        filter.border = type;
        open();
        EXPECT_EQ(view.selected(IDC_MAIN_SIZE), u"4");
        EXPECT_EQ(view.selected(IDC_RUBY_SIZE), u"128");
        EXPECT_EQ(page.pageValues().mainFace, u"IPAGothic");
        EXPECT_TRUE(view.checks[kBorderRadios[type - 1]]);
        EXPECT_FALSE(widthsEnabled()) << "border type " << type;
    }
}

TEST_F(PropertyPage, BlackBoxDisablesTheWidthListsAndShadowEnablesThemAgain) {
    open();
    clickRadio(IDC_BORDER_BLACK_BOX);
    EXPECT_EQ(page.pageValues().borderType, 4);
    EXPECT_FALSE(widthsEnabled());
    clickRadio(IDC_BORDER_NONE);
    EXPECT_EQ(page.pageValues().borderType, 3);
    EXPECT_FALSE(widthsEnabled());
    clickRadio(IDC_BORDER_SHADOW);
    EXPECT_EQ(page.pageValues().borderType, 2);
    EXPECT_TRUE(widthsEnabled());
    clickRadio(IDC_BORDER_OUTLINE);
    EXPECT_EQ(page.pageValues().borderType, 1);
    EXPECT_TRUE(widthsEnabled());
    EXPECT_TRUE(page.dirty());
}

TEST_F(PropertyPage, EveryCommandChangesItsValueAndMarksThePageDirty) {
    open();
    type(u"C:\\proj\\other.csv");
    EXPECT_EQ(page.pageValues().captionPath, u"C:\\proj\\other.csv");
    EXPECT_TRUE(page.dirty());

    select(IDC_RUBY_FACE, u"IPAGothic");  // either list's change takes both selections
    EXPECT_EQ(page.pageValues().mainFace, u"IPAGothic");
    EXPECT_EQ(page.pageValues().rubyFace, u"IPAGothic");
    select(IDC_MAIN_SIZE, u"100");
    select(IDC_RUBY_SIZE, u"5");
    select(IDC_MAIN_WIDTH, u"9");
    select(IDC_RUBY_WIDTH, u"2");
    clickRadio(IDC_RUBY_BOTH_SIDES);
    toggle(IDC_FILL);
    toggle(IDC_SIDE);
    toggle(IDC_TIME_DISPLAY);
    const PageValues& values = page.pageValues();
    EXPECT_EQ((std::vector<int32_t>{values.mainSize, values.rubySize, values.mainWidth, values.rubyWidth,
                                    values.layoutType, values.fillFlag, values.sideFlag, values.timeDisplay}),
              (std::vector<int32_t>{100, 5, 9, 2, 1, 0, 1, 0}));
    clickRadio(IDC_RUBY_BETWEEN_LINES);
    EXPECT_EQ(page.pageValues().layoutType, 2);
}

TEST_F(PropertyPage, ListsWithoutSelectionGiveTheDefaults) {
    open();
    for (int list : {IDC_MAIN_FACE, IDC_RUBY_FACE, IDC_MAIN_SIZE, IDC_RUBY_SIZE, IDC_MAIN_WIDTH, IDC_RUBY_WIDTH})
        view.selections[list] = -1;
    page.command(IDC_MAIN_FACE, PageEvent::SelectionChanged, view);
    page.command(IDC_MAIN_SIZE, PageEvent::SelectionChanged, view);
    page.command(IDC_RUBY_WIDTH, PageEvent::SelectionChanged, view);
    const PageValues& values = page.pageValues();
    EXPECT_EQ(values.mainFace, kGothic);
    EXPECT_EQ(values.rubyFace, kGothic);
    EXPECT_EQ((std::vector<int32_t>{values.mainSize, values.rubySize, values.mainWidth, values.rubyWidth}),
              (std::vector<int32_t>{32, 16, 3, 1}));
}

TEST_F(PropertyPage, NotificationsThatAreNoCommandChangeNothing) {
    open();
    EXPECT_FALSE(page.command(IDC_CAPTION_PATH, PageEvent::Clicked, view));
    EXPECT_FALSE(page.command(IDC_MAIN_FACE, PageEvent::Clicked, view));
    EXPECT_FALSE(page.command(IDC_OUTPUT_GROUP, PageEvent::Clicked, view));
    EXPECT_FALSE(page.command(IDC_MAIN_WIDTH_LABEL, PageEvent::SelectionChanged, view));
    EXPECT_FALSE(page.dirty());
}

TEST_F(PropertyPage, BrowseStartsInTheDocumentsFolderThenInTheFolderLastChosen) {
    open();
    view.dialogAnswers = {std::nullopt, u"D:\\字幕\\a.csv"};
    click(IDC_CAPTION_BROWSE);  // cancelled: nothing changes
    EXPECT_FALSE(page.dirty());
    EXPECT_EQ(page.pageValues().captionPath, u"C:\\proj\\字幕情報.csv");

    click(IDC_CAPTION_BROWSE);
    EXPECT_TRUE(page.dirty());
    EXPECT_EQ(page.pageValues().captionPath, u"D:\\字幕\\a.csv");
    EXPECT_EQ(view.texts[IDC_CAPTION_PATH], u"D:\\字幕\\a.csv");

    // Another page of the module starts where this one left off.
    QucapsyfPageModel second(folder);
    FakeView secondView;
    secondView.dialogAnswers = {u"E:\\b.csv"};
    second.connect(filter);
    second.start(secondView);
    second.command(IDC_CAPTION_BROWSE, PageEvent::Clicked, secondView);
    click(IDC_CAPTION_BROWSE);
    EXPECT_EQ(view.dialogFolders, (Items{u"", u"", u"E:"}));
    EXPECT_EQ(secondView.dialogFolders, (Items{u"D:\\字幕"}));
    EXPECT_EQ(folder.folder(), u"E:");
}

TEST_F(PropertyPage, ApplyCallsTheSettersInOrderAndWritesEveryKeyOfTheProject) {
    io.files.addFile(kProject, utf16File({u"[FileName]", u"InpMovName=C:\\m.avi", u"InpCapName=old.csv", u"[Border]",
                                          u"Gradation=1", u"MainWidth=5", u"RubyWidth=2"}));
    open();
    EXPECT_EQ(view.selected(IDC_MAIN_WIDTH), u"3");  // the project's 5 is not shown
    toggle(IDC_TIME_DISPLAY);                        // the only change
    EXPECT_EQ(page.apply(filter, io.io), 0);
    EXPECT_EQ(filter.calls,
              (Calls{u"SetCaptionPath C:\\proj\\字幕情報.csv", u"SetFontNames IPAGothic メイリオ",
                     u"SetFontSizes 40 20", u"SetLayout 2 1 0", u"SetTimeDisplay 0", u"SetBorderType 2"}));
    EXPECT_FALSE(page.dirty());
    EXPECT_EQ(page.appliedValues(), page.pageValues());
    EXPECT_EQ(projectText(), fromUtf16Bytes(utf16File({u"[FileName]",
                                                       u"InpMovName=C:\\m.avi",
                                                       u"InpCapName=C:\\proj\\字幕情報.csv",
                                                       u"[Border]",
                                                       u"Gradation=1",
                                                       u"MainWidth=3",
                                                       u"RubyWidth=1",
                                                       u"Type=2",
                                                       u"",
                                                       u"[FontName]",
                                                       u"MainName=IPAGothic",
                                                       u"RubyName=メイリオ",
                                                       u"",
                                                       u"[FontSize]",
                                                       u"MainSize=40",
                                                       u"RubySize=20",
                                                       u"",
                                                       u"[Layout]",
                                                       u"Type=2",
                                                       u"Fill=1",
                                                       u"Side=0",
                                                       u"",
                                                       u"[TimeDisp]",
                                                       u"Disp=0"})));
    EXPECT_TRUE(io.ui.messages.empty());
}

TEST_F(PropertyPage, ApplyIntoAnEmptyProjectWritesTheKeysInTheirOrder) {
    io.files.addFile(kProject, "");
    open();
    page.apply(filter, io.io);
    EXPECT_EQ(projectText(), fromUtf16Bytes(utf16File({u"[FileName]",
                                                       u"InpCapName=C:\\proj\\字幕情報.csv",
                                                       u"",
                                                       u"[FontName]",
                                                       u"MainName=IPAGothic",
                                                       u"RubyName=メイリオ",
                                                       u"",
                                                       u"[FontSize]",
                                                       u"MainSize=40",
                                                       u"RubySize=20",
                                                       u"",
                                                       u"[Layout]",
                                                       u"Type=2",
                                                       u"Fill=1",
                                                       u"Side=0",
                                                       u"",
                                                       u"[TimeDisp]",
                                                       u"Disp=1",
                                                       u"",
                                                       u"[Border]",
                                                       u"Type=2",
                                                       u"MainWidth=3",
                                                       u"RubyWidth=1"})));
}

TEST_F(PropertyPage, ApplyWithoutAProjectFileOnlyReachesTheFilter) {
    for (std::u16string project : {u"", u"設定なし", u"C:\\proj\\missing.mcc", u"C:\\proj"}) {
        filter.project = project;
        filter.calls.clear();
        open();
        EXPECT_EQ(page.apply(filter, io.io), 0) << std::string(project.begin(), project.end());
        EXPECT_EQ(filter.calls.size(), 6u);
    }
    EXPECT_EQ(io.files.writeCount(), 0);
    EXPECT_TRUE(io.ui.messages.empty());
}

// Fails the n-th write of the project file and every one after it.
class FailingFileSystem : public MemoryFileSystem {
public:
    int failFrom = 0;
    WriteStatus writeFile(std::u16string_view path, std::string_view bytes) override {
        if (++attempts >= failFrom) return WriteStatus::WriteFailed;
        return MemoryFileSystem::writeFile(path, bytes);
    }
    int attempts = 0;
};

TEST_F(PropertyPage, AFailedWriteStopsTheSequenceWithOneMessageAndTheFilterKeepsTheValues) {
    FailingFileSystem files;
    RecordingUi ui;
    const Io failing{files, ui, io.io.shiftJis};
    files.addDirectory(u"C:\\proj");
    files.addFile(kProject, "");
    files.failFrom = 5;  // RubySize
    open();
    toggle(IDC_SIDE);
    EXPECT_EQ(page.apply(filter, failing), -1);
    EXPECT_EQ(files.attempts, 5);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, u"confファイルの設定に失敗しました");
    EXPECT_EQ(ui.messages[0].title, u"カブレン字幕合成フィルタ");
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(
        fromUtf16Bytes(files.contents(kProject)),
        fromUtf16Bytes(utf16File({u"[FileName]", u"InpCapName=C:\\proj\\字幕情報.csv", u"", u"[FontName]",
                                  u"MainName=IPAGothic", u"RubyName=メイリオ", u"", u"[FontSize]", u"MainSize=40"})));
    EXPECT_EQ(filter.calls.at(3), u"SetLayout 2 1 1");
    EXPECT_FALSE(page.dirty());
    EXPECT_EQ(page.appliedValues().sideFlag, 1);
}

TEST_F(PropertyPage, AProjectThatCannotBeReadIsNotOverwritten) {
    io.files.addFile(kProject, utf16File({u"[FontSize]", u"MainSize=50"}));
    io.files.failReading(kProject, ReadStatus::OpenFailed);
    open();
    EXPECT_EQ(page.apply(filter, io.io), -1);
    EXPECT_EQ(io.files.writeCount(), 0);
    ASSERT_EQ(io.ui.messages.size(), 1u);
    EXPECT_EQ(io.ui.messages[0].text, u"confファイルの設定に失敗しました");
}

TEST_F(PropertyPage, ResetShowsTheValuesOfTheConnectionThenOfTheLastApply) {
    open();
    const PageValues connected = page.pageValues();
    select(IDC_MAIN_FACE, kGothic);
    select(IDC_MAIN_WIDTH, u"7");
    clickRadio(IDC_BORDER_BLACK_BOX);
    type(u"C:\\x.csv");
    click(IDC_RESET);
    EXPECT_EQ(page.pageValues(), connected);
    EXPECT_FALSE(page.dirty());
    EXPECT_EQ(view.selected(IDC_MAIN_FACE), u"IPAGothic");
    EXPECT_EQ(view.selected(IDC_MAIN_WIDTH), u"3");
    EXPECT_EQ(view.texts[IDC_CAPTION_PATH], u"C:\\proj\\字幕情報.csv");
    EXPECT_TRUE(view.checks[IDC_BORDER_SHADOW]);
    EXPECT_FALSE(view.checks[IDC_BORDER_BLACK_BOX]);
    EXPECT_TRUE(widthsEnabled());

    select(IDC_RUBY_SIZE, u"24");
    select(IDC_RUBY_WIDTH, u"4");
    page.apply(filter, io.io);
    select(IDC_RUBY_SIZE, u"30");
    toggle(IDC_FILL);
    click(IDC_RESET);
    EXPECT_EQ(page.pageValues().rubySize, 24);
    EXPECT_EQ(page.pageValues().rubyWidth, 4);
    EXPECT_EQ(page.pageValues().fillFlag, 1);
    EXPECT_EQ(view.selected(IDC_RUBY_SIZE), u"24");
    EXPECT_FALSE(page.dirty());
}

TEST_F(PropertyPage, DefaultKeepsTheAppliedCaptionPathAndResetsEverythingElse) {
    filter.border = 4;
    open();
    select(IDC_MAIN_WIDTH, u"9");
    click(IDC_DEFAULT);
    const PageValues& values = page.pageValues();
    EXPECT_EQ(values.captionPath, u"C:\\proj\\字幕情報.csv");
    EXPECT_EQ(values.mainFace, kGothic);
    EXPECT_EQ(values.rubyFace, kGothic);
    EXPECT_EQ(
        (std::vector<int32_t>{values.mainSize, values.rubySize, values.mainWidth, values.rubyWidth, values.layoutType,
                              values.fillFlag, values.sideFlag, values.timeDisplay, values.borderType}),
        (std::vector<int32_t>{32, 16, 3, 1, 1, 0, 0, 0, 1}));
    EXPECT_EQ(values.projectPath, kProject);
    EXPECT_EQ(values.installedFonts, filter.fonts);
    EXPECT_TRUE(page.dirty());
    EXPECT_EQ(view.selected(IDC_MAIN_FACE), kGothic);
    EXPECT_EQ(view.selected(IDC_MAIN_SIZE), u"32");
    EXPECT_TRUE(view.checks[IDC_RUBY_BOTH_SIDES]);
    EXPECT_FALSE(view.checks[IDC_TIME_DISPLAY]);
    EXPECT_TRUE(view.checks[IDC_BORDER_OUTLINE]);
    EXPECT_TRUE(widthsEnabled());
    // The applied values are untouched until Apply.
    EXPECT_EQ(page.appliedValues().borderType, 4);
}

}  // namespace
}  // namespace qucap
