#include "app/core/project/batch_project.h"

#include <gtest/gtest.h>

#include "captiondata/profile/ini_profile.h"
#include "captiondata/text/u16.h"
#include "tests/support/test_io.h"

namespace qucap {
namespace {

using test::TestIo;

struct BatchProjectTest : ::testing::Test {
    TestIo t;
    NewProject request;
    BatchProjectTest() {
        t.files.addDirectory(u"C:\\Qucap");
        t.files.addDirectory(u"D:\\work");
        request.name = u"デモ";
        request.saveLocation = u"D:\\work\\demo";
        request.settingsFile = u"C:\\Qucap\\Qucapadd.ini";
        request.movie = {333'667, 720};
    }
    std::u16string key(std::u16string_view file, std::u16string_view section, std::u16string_view name) {
        return IniProfile(t.io).readString(file, section, name, u"(none)");
    }
};

TEST_F(BatchProjectTest, CreatesTheProjectWithItsActualPathsAndRecordsIt) {
    const std::u16string project = createBatchProject(t.io, request);
    EXPECT_EQ(project, u"D:\\work\\demo\\デモ.mcc");
    EXPECT_EQ(key(project, u"FileName", u"InpMovName"), u"設定なし");
    EXPECT_EQ(key(project, u"FileName", u"InpCapName"), u"D:\\work\\demo\\字幕情報.csv");
    EXPECT_EQ(key(project, u"FileName", u"InpColName"), u"D:\\work\\demo\\色情報.csv");
    EXPECT_EQ(key(project, u"FileName", u"InpBoxName"), u"D:\\work\\demo\\枠情報.csv");
    EXPECT_EQ(key(project, u"FileName", u"OutMovName"), u"D:\\work\\demo\\出力動画.avi");
    EXPECT_EQ(key(project, u"FontSize", u"MainSize"), u"32");
    EXPECT_EQ(key(u"C:\\Qucap\\Qucapadd.ini", u"LastOpen", u"FileName"), project);
    const std::u16string boxes = test::fromUtf16Bytes(t.files.contents(u"D:\\work\\demo\\枠情報.csv"));
    EXPECT_NE(boxes.find(u"\r\n1,1,0:00:00.00,301,0:00:10.01,210,70,300,100,0,0,0,0,黒,16\r\n"), std::u16string::npos);
    EXPECT_TRUE(t.ui.messages.empty());
    EXPECT_TRUE(t.ui.questions.empty());
}

TEST_F(BatchProjectTest, OpeningReadsTheSampleRowIntoTheCaptionList) {
    const std::u16string project = createBatchProject(t.io, request);
    OpenedProject opened;
    ASSERT_EQ(openBatchProject(t.io, project, opened), 0);
    ASSERT_EQ(opened.captions.rowCount(), 1);
    EXPECT_EQ(opened.captions.cell(0, ColStart), u"0:00:00.00");
    EXPECT_EQ(opened.captions.cell(0, ColDuration), u"0:00:10.00");
    EXPECT_EQ(opened.settings.mainFontName, u"ＭＳ ゴシック");
}

TEST_F(BatchProjectTest, SecondCreationAsksAndKeepsTheFilesWhenDeclined) {
    const std::u16string project = createBatchProject(t.io, request);
    const std::string before = t.files.contents(u"D:\\work\\demo\\字幕情報.csv");
    t.files.addFile(u"D:\\work\\demo\\字幕情報.csv", "kept");
    EXPECT_EQ(createBatchProject(t.io, request), project);  // No to the folder question
    ASSERT_EQ(t.ui.questions.size(), 1u);
    EXPECT_EQ(t.ui.questions[0].text, u"プロジェクトを保存するフォルダは既に存在します。\n上書きしますか？");
    EXPECT_EQ(t.files.contents(u"D:\\work\\demo\\字幕情報.csv"), "kept");
    EXPECT_FALSE(before.empty());
}

TEST_F(BatchProjectTest, RefusesBadNamesAndLocations) {
    struct Case {
        std::u16string name, location, message;
    };
    const Case cases[] = {
        {u"", u"D:\\work\\x", u"プロジェクト名を入力して下さい"},
        {u"a\\b", u"D:\\work\\x", u"プロジェクト名に使用できない文字があります"},
        {u"a?", u"D:\\work\\x", u"プロジェクト名に使用できない文字があります"},
        {u"a", u"D:\\work\\*", u"保存する場所に使用できない文字があります"},
    };
    for (const Case& c : cases) {
        t.ui.messages.clear();
        request.name = c.name;
        request.saveLocation = c.location;
        EXPECT_EQ(createBatchProject(t.io, request), u"");
        ASSERT_EQ(t.ui.messages.size(), 1u);
        EXPECT_EQ(t.ui.messages[0].text, c.message);
        EXPECT_EQ(t.ui.messages[0].title, u"カブレン字幕付加システム");
    }
}

TEST_F(BatchProjectTest, WithoutALocationTheProjectGoesToTheNumberedDocumentsFolder) {
    request.saveLocation.clear();
    EXPECT_EQ(createBatchProject(t.io, request), u"C:\\Users\\user\\Documents\\字幕作成001\\デモ.mcc");
}

TEST_F(BatchProjectTest, PathsLongerThanTheSystemHoldsAreRefusedBeforeAnythingIsWritten) {
    request.saveLocation = u"D:\\work\\" + std::u16string(248, u'長');  // 256 characters
    request.name = u"a";
    EXPECT_EQ(createBatchProject(t.io, request), u"");
    request.saveLocation = u"D:\\work\\demo";
    request.name = std::u16string(242, u'名');  // the project file's path: 261 characters
    EXPECT_EQ(createBatchProject(t.io, request), u"");
    ASSERT_EQ(t.ui.messages.size(), 2u);
    EXPECT_EQ(t.ui.messages[0].text, u"プロジェクトを保存する場所のパスが長すぎます（255文字まで）");
    EXPECT_EQ(t.ui.messages[1].text, u"プロジェクトファイルのパスが長すぎます（255文字まで）");
    EXPECT_EQ(t.files.writeCount(), 0);
}

TEST_F(BatchProjectTest, OpeningRefusesWhatIsNoProjectOrWouldBeReadOtherThanItIs) {
    const std::u16string project = createBatchProject(t.io, request);
    const std::u16string longPath = u"D:\\work\\" + std::u16string(247, u'x') + u".csv";  // 258 characters
    struct Case {
        std::u16string projectFile;
        std::string bytes;  // of the project file; none: as created
        std::u16string message;
    };
    const Case cases[] = {
        {u"D:\\work\\junk.mcc", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16),
         u"プロジェクトファイルとして読み込めません（[FileName] セクションがありません）"},
        {u"D:\\work\\empty.mcc", "", u"プロジェクトファイルとして読み込めません（[FileName] セクションがありません）"},
        {u"D:\\work\\cap.mcc", "[FileName]\r\nInpCapName=" + toUtf8(longPath),
         u"字幕情報ファイルのパスが長すぎます（255文字まで）"},
        {u"D:\\work\\out.mcc", "[FileName]\r\nOutMovName=" + toUtf8(longPath),
         u"出力動画ファイルのパスが長すぎます（255文字まで）"},
        {u"D:\\work\\" + std::u16string(247, u'x') + u".mcc", "[FileName]\r\n",
         u"プロジェクトファイルのパスが長すぎます（255文字まで）"},
        {project, {}, u"字幕情報ファイルから字幕を1行も読み込めませんでした\n（字幕情報ファイルの形式ではないか、壊れています）"},
    };
    t.files.addFile(u"D:\\work\\demo\\字幕情報.csv", "\x7F" "ELF\x02\x01\x01");  // not a caption file
    for (const Case& c : cases) {
        if (c.projectFile != project) t.files.addFile(c.projectFile, c.bytes);
        t.ui.messages.clear();
        OpenedProject opened;
        EXPECT_EQ(openBatchProject(t.io, c.projectFile, opened), -1);
        ASSERT_EQ(t.ui.messages.size(), 1u);
        EXPECT_EQ(t.ui.messages[0].text, c.message);
    }
}

TEST_F(BatchProjectTest, OpeningReportsMissingFiles) {
    OpenedProject opened;
    EXPECT_EQ(openBatchProject(t.io, u"D:\\work\\none.mcc", opened), -1);
    const std::u16string project = createBatchProject(t.io, request);
    t.files.removeFile(u"D:\\work\\demo\\字幕情報.csv");
    EXPECT_EQ(openBatchProject(t.io, project, opened), -1);
    ASSERT_EQ(t.ui.messages.size(), 2u);
    EXPECT_EQ(t.ui.messages[0].text, u"プロジェクトファイルが見つかりません");
    EXPECT_EQ(t.ui.messages[1].text, u"字幕情報ファイルが見つかりません");
}

}  // namespace
}  // namespace qucap
