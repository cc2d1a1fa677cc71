#include <gtest/gtest.h>

#include "captiondata/project/project_files.h"
#include "tests/support/test_io.h"

namespace qucap {
namespace {

using test::fromUtf16Bytes;
using test::TestIo;
using namespace std::string_literals;

constexpr std::u16string_view kProjectText =
    u"[FileName]\r\nInpMovName=設定なし\r\nInpColName=設定なし\r\nInpCapName=設定なし\r\n"
    u"InpBoxName=設定なし\r\nOutMovName=設定なし\r\n\r\n"
    u"[FontName]\r\nMainName=ＭＳ ゴシック\r\nRubyName=ＭＳ ゴシック\r\n\r\n"
    u"[FontSize]\r\nMainSize=32\r\nRubySize=16\r\n\r\n"
    u"[Layout]\r\nType=1\r\nFill=0\r\nSide=0\r\n\r\n"
    u"[Border]\r\nType=1\r\nGradation=0\r\nMainWidth=3\r\nRubyWidth=1\r\n\r\n"
    u"[WaterMark]\r\nDisp=1\r\nMarkString=https://qucap.example.org/\r\nColor=Cyan\r\n\r\n"
    u"[RepTime]\r\nTime=3\r\n\r\n"
    u"[TimeDisp]\r\nDisp=0\r\n\r\n";

TEST(ProjectTemplates, SettingsFileBytes) {
    EXPECT_EQ(settingsFileTemplate(), "\xFF\xFE[\0L\0a\0s\0t\0O\0p\0e\0n\0]\0\r\0\n\0"
                                      "F\0i\0l\0e\0N\0a\0m\0e\0=\0\x2D\x8A\x9A\x5B\x6A\x30\x57\x30\r\0\n\0"
                                      "\r\0\n\0"s);
}

TEST(ProjectTemplates, ProjectFileBytes) {
    const std::string bytes = projectFileTemplate();
    ASSERT_EQ(bytes.substr(0, 4), "\xFF\xFE[\0"s);
    EXPECT_EQ(bytes.size(), 2 + 2 * kProjectText.size());
    EXPECT_EQ(fromUtf16Bytes(bytes), kProjectText);
    // "ＭＳ" is stored little-endian.
    EXPECT_NE(bytes.find("M\0a\0i\0n\0N\0a\0m\0e\0=\0\x2D\xFF\x33\xFF \0"s), std::string::npos);
    std::size_t lines = 0;
    for (std::size_t at = 0; (at = bytes.find("\r\0\n\0"s, at)) != std::string::npos; at += 4) ++lines;
    EXPECT_EQ(lines, 37u);
}

TEST(NewProjectPaths, JoinWithASingleBackslash) {
    for (std::u16string_view location : {u"D:\\作品", u"D:\\作品\\"}) {
        const NewProjectPaths paths = newProjectPaths(location, u"旅行");
        EXPECT_EQ(paths.projectFile, u"D:\\作品\\旅行.mcc");
        EXPECT_EQ(paths.captionInfo, u"D:\\作品\\字幕情報.csv");
        EXPECT_EQ(paths.colourInfo, u"D:\\作品\\色情報.csv");
        EXPECT_EQ(paths.boxInfo, u"D:\\作品\\枠情報.csv");
        EXPECT_EQ(paths.outputMovie, u"D:\\作品\\出力動画.avi");
    }
    EXPECT_EQ(projectNameOrDefault(u""), u"新規プロジェクト");
    EXPECT_EQ(projectNameOrDefault(u"旅行"), u"旅行");
}

constexpr std::u16string_view kDocuments = u"C:\\Users\\user\\Documents\\字幕作成";

TEST(DefaultSaveLocation, TakesTheFirstFreeNumber) {
    TestIo t;
    EXPECT_EQ(defaultSaveLocation(t.files), std::u16string(kDocuments) + u"001");
    for (auto n : {u"001", u"002", u"003", u"004", u"005"}) t.files.addDirectory(std::u16string(kDocuments) + n);
    EXPECT_EQ(defaultSaveLocation(t.files), std::u16string(kDocuments) + u"006");
    for (auto n : {u"006", u"007", u"008", u"010"}) t.files.addDirectory(std::u16string(kDocuments) + n);
    EXPECT_EQ(defaultSaveLocation(t.files), std::u16string(kDocuments) + u"009");
    // A file of that name is in the way as much as a folder.
    t.files.addFile(std::u16string(kDocuments) + u"009", "x");
    EXPECT_EQ(defaultSaveLocation(t.files), std::u16string(kDocuments) + u"011");
}

TEST(DefaultSaveLocation, AllTakenGivesTheLastNumber) {
    TestIo t;
    for (int n = 1; n <= 999; ++n) {
        const std::u16string number{char16_t(u'0' + n / 100), char16_t(u'0' + n / 10 % 10), char16_t(u'0' + n % 10)};
        t.files.addDirectory(std::u16string(kDocuments) + number);
    }
    EXPECT_EQ(defaultSaveLocation(t.files), std::u16string(kDocuments) + u"999");
}

TEST(DefaultSaveLocation, DocumentsFolderEndingInABackslash) {
    TestIo t;
    t.files.setDocumentsFolder(u"D:\\");
    EXPECT_EQ(defaultSaveLocation(t.files), u"D:\\字幕作成001");
}

// Records which data-file writer ran, in order, with scripted results.
struct WriterLog {
    std::vector<std::string> calls;
    int captionResult = 0, boxResult = 0, colourResult = 0;

    DataFileWriters writers() {
        return {[this] { calls.push_back("caption"); return captionResult; },
                [this] { calls.push_back("box"); return boxResult; },
                [this] { calls.push_back("colour"); return colourResult; }};
    }
};

struct NewProject : TestIo {
    static constexpr std::u16string_view settings = u"C:\\prog\\Qucapadd.ini";
    static constexpr std::u16string_view folder = u"D:\\作品\\旅行";
    static constexpr std::u16string_view project = u"D:\\作品\\旅行\\旅行.mcc";
    static constexpr std::u16string_view caption = u"D:\\作品\\旅行\\字幕情報.csv";
    WriterLog log;

    NewProject() {
        files.addDirectory(u"C:\\prog");
        files.addDirectory(u"D:");
        files.addFile(settings, test::utf16File({u"[LastOpen]", u"FileName=C:\\old.mcc"}));
    }
    int create(std::u16string_view captionFile = caption) {
        return CreateProjectFiles(io, {settings, folder, project, captionFile}, log.writers());
    }
    std::vector<std::u16string> questionTexts() const {
        std::vector<std::u16string> texts;
        for (const auto& q : ui.questions) {
            EXPECT_EQ(q.title, u"カブレン字幕付加システム");
            texts.push_back(q.text);
        }
        return texts;
    }
};

using Texts = std::vector<std::u16string>;
const std::u16string kFolderQuestion = u"プロジェクトを保存するフォルダは既に存在します。\n上書きしますか？";
const std::u16string kProjectQuestion = u"プロジェクトファイルは既に存在します。\n上書きしますか？";
const std::u16string kCaptionQuestion = u"字幕情報ファイルは既に存在します。\n上書きしますか？";
const std::vector<std::string> kAllWriters = {"caption", "box", "colour"};

TEST(CreateProjectFiles, NewFolderGetsBothTemplatesAndTheDataFiles) {
    NewProject p;
    ASSERT_EQ(p.create(), 0);
    EXPECT_TRUE(p.ui.questions.empty());
    EXPECT_TRUE(p.ui.messages.empty());
    EXPECT_TRUE(p.files.isDirectory(u"D:\\作品"));  // missing folders above it too
    EXPECT_TRUE(p.files.isDirectory(NewProject::folder));
    EXPECT_EQ(p.files.contents(NewProject::settings), settingsFileTemplate());
    EXPECT_EQ(p.files.contents(NewProject::project), projectFileTemplate());
    EXPECT_EQ(p.log.calls, kAllWriters);
}

TEST(CreateProjectFiles, DecliningTheExistingFolderWritesNothing) {
    NewProject p;
    p.files.addDirectory(NewProject::folder);
    EXPECT_EQ(p.create(), -1);
    EXPECT_EQ(p.questionTexts(), Texts{kFolderQuestion});
    EXPECT_EQ(p.files.writeCount(), 0);
    EXPECT_TRUE(p.log.calls.empty());
}

TEST(CreateProjectFiles, DecliningTheExistingProjectFileKeepsEverything) {
    NewProject p;
    p.files.addDirectory(NewProject::folder);
    p.files.addFile(NewProject::project, "old");
    p.ui.answers = {true, false};
    EXPECT_EQ(p.create(), -1);
    EXPECT_EQ(p.questionTexts(), (Texts{kFolderQuestion, kProjectQuestion}));
    EXPECT_EQ(p.files.contents(NewProject::project), "old");
    EXPECT_EQ(p.files.writeCount(), 0);
    EXPECT_TRUE(p.log.calls.empty());
}

TEST(CreateProjectFiles, DecliningTheExistingCaptionFileKeepsTheTemplatesWritten) {
    NewProject p;
    p.files.addDirectory(NewProject::folder);
    p.files.addFile(NewProject::project, "old");
    p.files.addFile(NewProject::caption, "rows");
    p.ui.answers = {true, true, false};
    EXPECT_EQ(p.create(), -1);
    EXPECT_EQ(p.questionTexts(), (Texts{kFolderQuestion, kProjectQuestion, kCaptionQuestion}));
    EXPECT_EQ(p.files.contents(NewProject::settings), settingsFileTemplate());
    EXPECT_EQ(p.files.contents(NewProject::project), projectFileTemplate());
    EXPECT_TRUE(p.log.calls.empty());
}

TEST(CreateProjectFiles, AnsweringYesEverywhereOverwrites) {
    NewProject p;
    p.files.addDirectory(NewProject::folder);
    p.files.addFile(NewProject::project, "old");
    p.files.addFile(NewProject::caption, "rows");
    p.ui.answers = {true, true, true};
    EXPECT_EQ(p.create(), 0);
    EXPECT_EQ(p.ui.questions.size(), 3u);
    EXPECT_EQ(p.files.contents(NewProject::project), projectFileTemplate());
    EXPECT_EQ(p.log.calls, kAllWriters);
}

TEST(CreateProjectFiles, NoCaptionFileNamedMeansNoCaptionQuestion) {
    NewProject p;
    p.files.addDirectory(NewProject::folder);
    p.files.addFile(u"D:\\作品\\旅行\\設定なし", "not a caption file");
    p.ui.answers = {true};
    EXPECT_EQ(p.create(u"設定なし"), 0);
    EXPECT_EQ(p.questionTexts(), Texts{kFolderQuestion});
}

void expectOneWarning(const NewProject& p, std::u16string_view text) {
    ASSERT_EQ(p.ui.messages.size(), 1u);
    EXPECT_EQ(p.ui.messages[0].text, text);
    EXPECT_EQ(p.ui.messages[0].title, u"カブレン字幕付加システム");
    EXPECT_EQ(p.ui.messages[0].icon, MessageIcon::Warning);
}

TEST(CreateProjectFiles, SettingsFileFailureStopsBeforeTheProjectFile) {
    NewProject p;
    p.files.failWriting(NewProject::settings);
    EXPECT_EQ(p.create(), -1);
    expectOneWarning(p, u"iniファイルの作成に失敗しました");
    EXPECT_FALSE(p.files.exists(NewProject::project));
    EXPECT_TRUE(p.log.calls.empty());
}

TEST(CreateProjectFiles, ProjectFileFailureStopsBeforeTheDataFiles) {
    NewProject p;
    p.files.failWriting(NewProject::project);
    EXPECT_EQ(p.create(), -1);
    expectOneWarning(p, u"confファイルの作成に失敗しました");
    EXPECT_EQ(p.files.contents(NewProject::settings), settingsFileTemplate());
    EXPECT_TRUE(p.log.calls.empty());
}

TEST(CreateProjectFiles, AFolderThatCannotBeMadeLeavesTheSettingsFileAlone) {
    NewProject p;
    const std::string before = p.files.contents(NewProject::settings);
    p.files.failCreatingDirectory(NewProject::folder);
    EXPECT_EQ(p.create(), -1);
    expectOneWarning(p, u"confファイルの作成に失敗しました");
    EXPECT_EQ(p.files.contents(NewProject::settings), before);
    EXPECT_TRUE(p.log.calls.empty());
}

TEST(CreateProjectFiles, AFailedDataFileDoesNotStopTheNext) {
    NewProject p;
    p.log.boxResult = -1;
    EXPECT_EQ(p.create(), -1);
    EXPECT_EQ(p.log.calls, kAllWriters);
    p.log.calls.clear();
    p.log.boxResult = 0;
    p.ui.answers = {true, true};
    EXPECT_EQ(CreateProjectFiles(p.io, {NewProject::settings, NewProject::folder, NewProject::project, u""},
                                 {nullptr, nullptr, [&] { p.log.calls.push_back("colour"); return 0; }}),
              0);
    EXPECT_EQ(p.log.calls, std::vector<std::string>{"colour"});
}

}  // namespace
}  // namespace qucap
