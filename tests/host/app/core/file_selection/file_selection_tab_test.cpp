#include "app/core/file_selection/file_selection_tab.h"

#include <gtest/gtest.h>

#include "captiondata/profile/ini_profile.h"

#include <map>

#include "captiondata/caption/caption_file.h"
#include "tests/support/test_io.h"

namespace qucap {
namespace {

constexpr std::u16string_view kSettingsFile = u"C:\\prog\\Qucapadd.ini";
constexpr std::u16string_view kDocuments = u"C:\\Users\\user\\Documents";
constexpr std::u16string_view kInput = u"C:\\movies\\in.avi";
constexpr std::u16string_view kProjectFolder = u"C:\\work\\proj";
constexpr std::u16string_view kProjectFile = u"C:\\work\\proj\\劇.mcc";

struct ShellFileSelection : ::testing::Test {
    test::TestIo t;
    ProjectSettings settings;
    SharedPlayState state{PlayState::Stopped};
    int listEmptied = 0;
    std::vector<std::string> steps;  // the load's steps in the order they ran
    DriveTypeQuery drives = [](std::u16string_view) { return uint32_t(3); };
    FileSelectionTab tab{t.io, drives, std::u16string(kSettingsFile), settings, state, [this] { ++listEmptied; }};
    int graphResult = 0;
    std::map<std::string, int> readResults;

    ShellFileSelection() {
        t.files.addDirectory(kDocuments);
        t.files.addDirectory(u"C:\\prog");
        t.files.addDirectory(u"C:\\movies");
        t.files.addFile(kInput, "movie");
        t.files.addDirectory(u"C:\\work");
    }
    std::function<int()> step(std::string name) {
        return [this, name] {
            steps.push_back(name);
            return readResults.count(name) ? readResults[name] : 0;
        };
    }
    LoadSteps loadSteps() {
        LoadSteps s;
        s.buildPreviewGraph = [this](std::u16string_view movie) {
            steps.push_back("graph");
            EXPECT_EQ(movie, kInput);
            return graphResult;
        };
        s.newProjectWriters = [this](const ProjectSettings& project) {
            steps.push_back("writers");
            return emptyProjectWriters(t.io, project, {333667, 720});
        };
        s.readCaptionInfo = step("captions");
        s.readColourInfo = step("colours");
        s.readBoxInfo = step("boxes");
        s.resetPositionRanges = [this] { steps.push_back("ranges"); };
        return s;
    }
    // A new project named 劇 in C:\work\proj for the sample movie.
    void fillNewProject() {
        tab.initialise(u"");
        tab.changeMode(SelectionMode::NewProject);
        tab.edit(FileField::ProjectName, u"劇");
        tab.edit(FileField::SaveLocation, kProjectFolder);
        tab.edit(FileField::InputMovie, kInput);
    }
    std::u16string lastOpenInIni() { return readLastOpenForProgram(t.io, kSettingsFile); }
    std::map<int, bool> enabling() {
        std::map<int, bool> states;
        for (const ControlEnabling& control : tab.controlStates()) states[control.id] = control.enabled;
        return states;
    }
};

TEST_F(ShellFileSelection, StartModeFollowsTheLastOpenedPath) {
    tab.initialise(u"C:\\gone\\old.mcc");
    EXPECT_EQ(tab.mode(), SelectionMode::OpenProject);
    EXPECT_EQ(tab.text(FileField::ProjectFile), u"C:\\gone\\old.mcc");
    EXPECT_FALSE(tab.dataLoaded());
    tab.initialise(u"");
    EXPECT_EQ(tab.mode(), SelectionMode::NewProject);
    for (std::size_t f = 0; f < kFileFieldCount; ++f) EXPECT_EQ(tab.text(FileField(f)), u"") << f;
    EXPECT_EQ(state, PlayState::Stopped);
}

TEST_F(ShellFileSelection, NewModeOffersTheDefaultProject) {
    tab.initialise(u"C:\\old.mcc");
    tab.changeMode(SelectionMode::NewProject);
    const std::u16string location = u"C:\\Users\\user\\Documents\\字幕作成001";
    EXPECT_EQ(tab.text(FileField::ProjectName), u"新規プロジェクト");
    EXPECT_EQ(tab.text(FileField::SaveLocation), location);
    EXPECT_EQ(tab.text(FileField::ProjectFile), u"");
    EXPECT_EQ(tab.text(FileField::InputMovie), u"");
    EXPECT_EQ(tab.text(FileField::CaptionInfo), location + u"\\字幕情報.csv");
    EXPECT_EQ(tab.text(FileField::ColourInfo), location + u"\\色情報.csv");
    EXPECT_EQ(tab.text(FileField::BoxInfo), location + u"\\枠情報.csv");
    EXPECT_EQ(tab.text(FileField::OutputMovie), location + u"\\出力動画.avi");
    EXPECT_EQ(tab.derivedPaths().projectFile, location + u"\\新規プロジェクト.mcc");
    EXPECT_EQ(listEmptied, 1);
    EXPECT_EQ(state, PlayState::NoMedia);
    tab.changeMode(SelectionMode::OpenProject);
    EXPECT_EQ(tab.text(FileField::ProjectFile), u"C:\\old.mcc");
    EXPECT_EQ(tab.text(FileField::CaptionInfo), u"");
    EXPECT_EQ(listEmptied, 2);
}

TEST_F(ShellFileSelection, EditsRecomputeOrClearTheDependentPaths) {
    fillNewProject();
    tab.edit(FileField::CaptionInfo, u"C:\\mine\\c.csv");
    tab.edit(FileField::ProjectName, u"別");
    // A new name changes the project file only; a path the user typed stays.
    EXPECT_EQ(tab.derivedPaths().projectFile, u"C:\\work\\proj\\別.mcc");
    EXPECT_EQ(tab.text(FileField::CaptionInfo), u"C:\\mine\\c.csv");
    tab.edit(FileField::SaveLocation, u"D:\\elsewhere");
    EXPECT_EQ(tab.text(FileField::CaptionInfo), u"D:\\elsewhere\\字幕情報.csv");
    EXPECT_EQ(tab.text(FileField::OutputMovie), u"D:\\elsewhere\\出力動画.avi");
    EXPECT_EQ(tab.text(FileField::InputMovie), kInput);

    tab.initialise(u"C:\\a.mcc");
    tab.edit(FileField::InputMovie, kInput);
    tab.edit(FileField::BoxInfo, u"C:\\b.csv");
    tab.edit(FileField::ProjectFile, u"C:\\b.mcc");
    for (FileField f : {FileField::InputMovie, FileField::ColourInfo, FileField::CaptionInfo, FileField::BoxInfo,
                        FileField::OutputMovie})
        EXPECT_EQ(tab.text(f), u"");
    EXPECT_EQ(tab.text(FileField::ProjectFile), u"C:\\b.mcc");
}

TEST_F(ShellFileSelection, BrowseDialogsTitlesAndFilters) {
    const std::map<int, std::u16string> titles = {
        {1030, u"ﾌﾟﾛｼﾞｪｸﾄﾌｧｲﾙを開く"}, {1033, u"動画ﾌｧｲﾙを開く"},   {1259, u"色情報ﾌｧｲﾙを開く"},
        {1036, u"字幕情報ﾌｧｲﾙを開く"}, {1220, u"枠情報ﾌｧｲﾙを開く"}, {1039, u"名前を付けて動画ﾌｧｲﾙの保存"},
        {1027, u"プロジェクトを保存する場所"}};
    for (const auto& [button, title] : titles) {
        const BrowseDialog* dialog = browseDialogFor(button);
        ASSERT_NE(dialog, nullptr) << button;
        EXPECT_EQ(browseDialogTitle(*dialog), title);
    }
    EXPECT_EQ(browseDialogFor(1003), nullptr);
    const BrowseDialog& project = *browseDialogFor(1030);
    EXPECT_EQ(project.filters, (std::vector<FileFilter>{{u"ﾌﾟﾛｼﾞｪｸﾄﾌｧｲﾙ (*.mcc)", u"*.mcc"},
                                                       {u"すべてのﾌｧｲﾙ (*.*)", u"*.*"}}));
    EXPECT_EQ(browseDialogFor(1033)->filters[0], (FileFilter{u"動画ﾌｧｲﾙ (*.avi;*.mp4)", u"*.avi;*.mp4"}));
    EXPECT_EQ(browseDialogFor(1220)->filters[0], (FileFilter{u"カンマ区切りﾌｧｲﾙ (*.csv)", u"*.csv"}));
    const BrowseDialog& output = *browseDialogFor(1039);
    EXPECT_EQ(output.kind, BrowseDialogKind::Save);
    EXPECT_EQ(output.filters[0], (FileFilter{u"動画ﾌｧｲﾙ (*.avi)", u"*.avi"}));
    EXPECT_EQ(output.initialName, u"無題");
    EXPECT_EQ(output.defaultExtension, u"avi");
}

TEST_F(ShellFileSelection, BrowseChoicesAndCancels) {
    fillNewProject();
    EXPECT_EQ(tab.browseFolder(), kDocuments);
    const int emptiedBefore = listEmptied;
    tab.applyBrowse(*browseDialogFor(1033), std::nullopt);
    EXPECT_EQ(tab.text(FileField::InputMovie), kInput);
    tab.applyBrowse(*browseDialogFor(1036), u"C:\\data\\c.csv");
    EXPECT_EQ(tab.text(FileField::CaptionInfo), u"C:\\data\\c.csv");
    EXPECT_EQ(listEmptied, emptiedBefore + 1);
    EXPECT_EQ(tab.browseFolder(), u"C:\\data");
    // The folder dialog empties the location when cancelled.
    tab.applyBrowse(*browseDialogFor(1027), std::nullopt);
    EXPECT_EQ(tab.text(FileField::SaveLocation), u"");
    tab.applyBrowse(*browseDialogFor(1027), u"C:\\chosen");
    EXPECT_EQ(tab.text(FileField::CaptionInfo), u"C:\\chosen\\字幕情報.csv");
    EXPECT_EQ(tab.browseFolder(), u"C:\\data");

    tab.changeMode(SelectionMode::OpenProject);
    tab.edit(FileField::InputMovie, kInput);
    tab.applyBrowse(*browseDialogFor(1030), u"C:\\p\\x.mcc");
    EXPECT_EQ(tab.text(FileField::ProjectFile), u"C:\\p\\x.mcc");
    EXPECT_EQ(tab.text(FileField::InputMovie), u"");
    EXPECT_EQ(tab.browseFolder(), u"C:\\p");
}

TEST_F(ShellFileSelection, ControlsFollowModeStateAndLoad) {
    tab.initialise(u"");
    state = PlayState::NoMedia;
    auto on = enabling();
    EXPECT_EQ(on.size(), 20u);
    for (int id : {1021, 1022, 1024, 1026, 1027, 1032, 1033, 1258, 1259, 1035, 1036, 1219, 1220, 1038, 1039, 1001,
                   1002, 1003})
        EXPECT_TRUE(on[id]) << id;
    EXPECT_FALSE(on[1029] || on[1030]);
    tab.changeMode(SelectionMode::OpenProject);
    on = enabling();
    EXPECT_TRUE(on[1029] && on[1030]);
    EXPECT_FALSE(on[1024] || on[1026] || on[1027]);
    for (PlayState previewing : {PlayState::Playing, PlayState::Paused}) {
        state = previewing;
        for (const auto& [id, enabled] : enabling()) EXPECT_FALSE(enabled) << id;
    }
    state = PlayState::Synthesizing;
    on = enabling();
    EXPECT_FALSE(on[1001]);
    EXPECT_TRUE(on[1002] && on[1003] && on[1032]);
}

TEST_F(ShellFileSelection, NewProjectLoadCreatesRecordsAndSwitchesToOpenMode) {
    fillNewProject();
    const LoadResult result = tab.load(loadSteps());
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(steps, (std::vector<std::string>{"graph", "writers", "captions", "colours", "boxes", "ranges"}));
    EXPECT_TRUE(t.ui.messages.empty());
    EXPECT_TRUE(t.ui.questions.empty());
    EXPECT_EQ(tab.mode(), SelectionMode::OpenProject);
    EXPECT_EQ(tab.text(FileField::ProjectFile), kProjectFile);
    EXPECT_TRUE(tab.dataLoaded());
    EXPECT_EQ(state, PlayState::Stopped);
    EXPECT_EQ(t.ui.messageLine, u"");
    EXPECT_EQ(lastOpenInIni(), kProjectFile);
    EXPECT_EQ(tab.lastOpened(), kProjectFile);
    EXPECT_TRUE(t.files.isFile(u"C:\\work\\proj\\字幕情報.csv"));
    EXPECT_TRUE(t.files.isFile(u"C:\\work\\proj\\色情報.csv"));
    EXPECT_TRUE(t.files.isFile(u"C:\\work\\proj\\枠情報.csv"));
    // The project file now names the paths; open mode reads them back.
    EXPECT_EQ(enabling()[1003], false);
    tab.edit(FileField::ProjectFile, kProjectFile);
    EXPECT_EQ(enabling()[1003], true);
    EXPECT_EQ(tab.text(FileField::CaptionInfo), u"");
    steps.clear();
    EXPECT_EQ(tab.load(loadSteps()).status, 0);
    EXPECT_EQ(steps, (std::vector<std::string>{"graph", "captions", "colours", "boxes", "ranges"}));
    EXPECT_EQ(tab.text(FileField::InputMovie), kInput);
    EXPECT_EQ(tab.text(FileField::CaptionInfo), u"C:\\work\\proj\\字幕情報.csv");
    EXPECT_EQ(tab.text(FileField::OutputMovie), u"C:\\work\\proj\\出力動画.avi");
}

// A project naming an existing file by a path longer than the system holds:
// cut on reading it would name another file, so it is refused as too long.
TEST_F(ShellFileSelection, APathTooLongIsSaidToBeTooLongNotMissing) {
    fillNewProject();
    ASSERT_EQ(tab.load(loadSteps()).status, 0);
    const std::u16string folder = u"C:\\work\\" + std::u16string(300, u'長');
    const std::u16string longPath = folder + u"\\字幕情報.csv";
    t.files.addDirectory(folder);
    t.files.addFile(longPath, "");
    IniProfile(t.io).writeString(kProjectFile, u"FileName", u"InpCapName", longPath);
    tab.edit(FileField::ProjectFile, kProjectFile);
    steps.clear();
    t.ui.messages.clear();
    EXPECT_EQ(tab.load(loadSteps()).status, -1);
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(t.ui.messages[0].text, u"字幕情報ファイルのパスが長すぎます（255文字まで）");
    EXPECT_TRUE(steps.empty());
    EXPECT_FALSE(tab.dataLoaded());
}

TEST_F(ShellFileSelection, ExistingFolderAnsweredNoLoadsWhatTheFolderHolds) {
    fillNewProject();
    ASSERT_EQ(tab.load(loadSteps()).status, 0);
    const std::string captions = "kept caption file";
    t.files.addFile(u"C:\\work\\proj\\字幕情報.csv", captions);
    fillNewProject();
    steps.clear();
    t.ui.answers = {false};
    EXPECT_EQ(tab.load(loadSteps()).status, 0);
    ASSERT_EQ(t.ui.questions.size(), 1u);
    EXPECT_EQ(t.ui.questions[0].text, u"プロジェクトを保存するフォルダは既に存在します。\n上書きしますか？");
    EXPECT_EQ(t.files.contents(u"C:\\work\\proj\\字幕情報.csv"), captions);
    EXPECT_EQ(steps, (std::vector<std::string>{"graph", "writers", "captions", "colours", "boxes", "ranges"}));
    EXPECT_EQ(tab.mode(), SelectionMode::OpenProject);
    EXPECT_EQ(lastOpenInIni(), kProjectFile);
}

TEST_F(ShellFileSelection, DeclinedFolderWithoutAProjectFileEndsTheLoad) {
    t.files.addDirectory(kProjectFolder);
    fillNewProject();
    t.ui.answers = {false};
    EXPECT_EQ(tab.load(loadSteps()).status, -1);
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(t.ui.messages[0].text, u"プロジェクトファイルが見つかりません");
    EXPECT_EQ(steps, (std::vector<std::string>{"graph", "writers"}));
    EXPECT_EQ(tab.mode(), SelectionMode::NewProject);
    EXPECT_FALSE(tab.dataLoaded());
    EXPECT_FALSE(t.files.exists(kSettingsFile));
}

TEST_F(ShellFileSelection, FirstFailingCheckEndsTheLoadWithItsFocus) {
    fillNewProject();
    tab.edit(FileField::ProjectName, u"a\\b");
    LoadResult result = tab.load(loadSteps());
    EXPECT_EQ(result.focus, FileField::ProjectName);
    EXPECT_EQ(t.ui.messages.back().text, u"プロジェクト名に使用できない文字があります");

    fillNewProject();
    tab.edit(FileField::CaptionInfo, u"c.csv");
    tab.edit(FileField::ColourInfo, u"");
    result = tab.load(loadSteps());
    EXPECT_EQ(result.status, -1);
    EXPECT_EQ(result.focus, FileField::CaptionInfo);
    EXPECT_EQ(t.ui.messages.back().text, u"字幕情報ファイルにパスを含めたファイル名を指定して下さい");

    tab.edit(FileField::CaptionInfo, u"設定なし");
    tab.edit(FileField::OutputMovie, u"C:\\MOVIES\\In.avi");
    result = tab.load(loadSteps());
    EXPECT_EQ(result.focus, FileField::ColourInfo);
    EXPECT_EQ(t.ui.messages.back().text, u"色情報ファイルを入力して下さい");
    tab.edit(FileField::ColourInfo, u"設定なし");
    result = tab.load(loadSteps());
    EXPECT_EQ(result.focus, FileField::OutputMovie);
    EXPECT_EQ(t.ui.messages.back().text, u"入力ファイルと出力ファイルが同じです");
    EXPECT_TRUE(steps.empty());
    EXPECT_FALSE(t.files.exists(kProjectFolder));
}

TEST_F(ShellFileSelection, ProjectWithoutDataFilesLoads) {
    fillNewProject();
    for (FileField f : {FileField::ColourInfo, FileField::CaptionInfo, FileField::BoxInfo, FileField::OutputMovie})
        tab.edit(f, u"設定なし");
    EXPECT_EQ(tab.load(loadSteps()).status, 0);
    EXPECT_TRUE(t.files.isFile(kProjectFile));
    EXPECT_FALSE(t.files.exists(u"C:\\work\\proj\\字幕情報.csv"));
    EXPECT_FALSE(t.files.exists(u"設定なし"));
}

TEST_F(ShellFileSelection, FailedGraphShowsItOnTheMessageLine) {
    fillNewProject();
    graphResult = -1;
    EXPECT_EQ(tab.load(loadSteps()).status, -1);
    EXPECT_EQ(t.ui.messageLine, u"レンダリングに失敗しました");
    EXPECT_EQ(steps, (std::vector<std::string>{"graph"}));
    EXPECT_FALSE(t.files.exists(kProjectFolder));
    EXPECT_EQ(tab.mode(), SelectionMode::NewProject);
}

TEST_F(ShellFileSelection, FailedReadEndsTheLoadWithoutRecordingIt) {
    fillNewProject();
    readResults["colours"] = -1;
    EXPECT_EQ(tab.load(loadSteps()).status, -1);
    EXPECT_EQ(steps, (std::vector<std::string>{"graph", "writers", "captions", "colours"}));
    EXPECT_FALSE(tab.dataLoaded());
    EXPECT_EQ(state, PlayState::NoMedia);
    EXPECT_EQ(lastOpenInIni(), u"設定なし");
}

TEST_F(ShellFileSelection, FailedLastOpenWriteStillLoads) {
    fillNewProject();
    t.files.addFile(kSettingsFile, "");
    t.ui.answers = {};
    // The settings template is written by the project creation; fail the write after it.
    LoadSteps s = loadSteps();
    s.resetPositionRanges = [this] { t.files.failWriting(kSettingsFile); };
    EXPECT_EQ(tab.load(s).status, 0);
    ASSERT_FALSE(t.ui.messages.empty());
    EXPECT_EQ(t.ui.messages.back().text, u"iniファイルの設定に失敗しました");
    EXPECT_TRUE(tab.dataLoaded());
    EXPECT_EQ(state, PlayState::Stopped);
}

TEST_F(ShellFileSelection, ClearEmptiesEverythingAndForgetsTheLoad) {
    fillNewProject();
    ASSERT_EQ(tab.load(loadSteps()).status, 0);
    const int emptied = listEmptied;
    tab.clear();
    for (std::size_t f = 0; f < kFileFieldCount; ++f) EXPECT_EQ(tab.text(FileField(f)), u"") << f;
    EXPECT_EQ(listEmptied, emptied + 1);
    EXPECT_FALSE(tab.dataLoaded());
    EXPECT_EQ(state, PlayState::NoMedia);
}

TEST_F(ShellFileSelection, EveryChangeThatForgetsALoadedProjectFirstLetsTheProgramSaveIt) {
    const BrowseDialog* captionBrowse =
        browseDialogFor(kFileFieldControls[std::size_t(FileField::CaptionInfo)].browse);
    ASSERT_NE(captionBrowse, nullptr);
    const std::u16string chosen = u"C:\\work\\別.csv";
    const std::vector<std::pair<const char*, std::function<bool()>>> changes = {
        {"edit", [&] { return tab.edit(FileField::InputMovie, u"C:\\movies\\in.avi2"); }},
        {"mode", [&] { return tab.changeMode(SelectionMode::NewProject); }},
        {"clear", [&] { return tab.clear(); }},
        {"browse", [&] { return tab.applyBrowse(*captionBrowse, chosen); }},
    };
    for (const auto& [name, change] : changes) {
        for (const bool released : {false, true}) {
            SCOPED_TRACE(std::string(name) + (released ? ", saved" : ", kept"));
            fillNewProject();
            ASSERT_EQ(tab.load(loadSteps()).status, 0);
            int asked = 0;
            tab.setBeforeForgettingLoad([&] {
                ++asked;
                return released;
            });
            const int emptied = listEmptied;
            const std::u16string input = tab.text(FileField::InputMovie);
            const std::u16string captions = tab.text(FileField::CaptionInfo);
            EXPECT_EQ(change(), released);
            EXPECT_EQ(asked, 1);
            EXPECT_EQ(tab.dataLoaded(), !released);
            if (!released) {
                // Kept: the project stays loaded exactly as it was.
                EXPECT_EQ(tab.mode(), SelectionMode::OpenProject);
                EXPECT_EQ(tab.text(FileField::InputMovie), input);
                EXPECT_EQ(tab.text(FileField::CaptionInfo), captions);
                EXPECT_EQ(listEmptied, emptied);
                EXPECT_EQ(state, PlayState::Stopped);
            }
            // Nothing is asked once no project is loaded.
            tab.edit(FileField::OutputMovie, u"x");
            EXPECT_EQ(asked, released ? 1 : 2);
            tab.setBeforeForgettingLoad({});
            tab.clear();
        }
    }
}

}  // namespace
}  // namespace qucap
