#include "app/core/file_selection/file_selection_fields.h"

#include <gtest/gtest.h>

#include <map>

#include "tests/support/test_io.h"

namespace qucap {
namespace {

struct ShellFieldCheck : ::testing::Test {
    test::TestIo t;
    std::map<std::u16string, uint32_t> driveTypes{{u"C:\\", 3}, {u"E:\\", kDriveTypeCdRom}, {u"F:\\", kDriveTypeUnknown}};
    std::vector<std::u16string> drivesAsked;
    DriveTypeQuery drives = [this](std::u16string_view root) {
        drivesAsked.emplace_back(root);
        const auto found = driveTypes.find(std::u16string(root));
        return found == driveTypes.end() ? kDriveTypeNoRoot : found->second;
    };
    std::u16string input = u"C:\\movies\\in.avi";

    ShellFieldCheck() {
        t.files.addDirectory(u"C:\\movies");
        t.files.addFile(u"C:\\movies\\in.avi", "movie");
        t.files.addDirectory(u"C:\\p");
        t.files.addDirectory(u"C:\\p\\sub");
        t.files.addFile(u"C:\\p\\a.csv", "x");
        t.files.addFile(u"C:\\p\\p.mcc", "x");
        t.files.addFile(u"C:\\top.csv", "x");
    }
    int check(FileField field, std::u16string_view text, SelectionMode mode = SelectionMode::OpenProject) {
        t.ui.messages.clear();
        t.ui.questions.clear();
        return validateField({t.io, drives, mode, input}, field, text);
    }
    // The one warning shown, "" when none was.
    std::u16string shown() const {
        if (t.ui.messages.empty()) return u"";
        EXPECT_EQ(t.ui.messages.size(), 1u);
        EXPECT_EQ(t.ui.messages[0].title, u"カブレン字幕付加システム");
        EXPECT_EQ(t.ui.messages[0].icon, MessageIcon::Warning);
        return t.ui.messages[0].text;
    }
    void expectRefused(FileField field, std::u16string_view text, std::u16string_view message,
                       SelectionMode mode = SelectionMode::OpenProject) {
        EXPECT_EQ(check(field, text, mode), -1) << std::string(text.begin(), text.end());
        EXPECT_EQ(shown(), message);
    }
};

TEST_F(ShellFieldCheck, ProjectNameAndSaveLocation) {
    expectRefused(FileField::ProjectName, u"", u"プロジェクト名を入力して下さい");
    for (auto name : {u"a\\b", u"a*", u"a?"})
        expectRefused(FileField::ProjectName, name, u"プロジェクト名に使用できない文字があります");
    EXPECT_EQ(check(FileField::ProjectName, u"新規プロジェクト"), 0);
    expectRefused(FileField::SaveLocation, u"", u"保存する場所を入力して下さい");
    expectRefused(FileField::SaveLocation, u"C:\\a?", u"保存する場所に使用できない文字があります");
    // A backslash belongs in a location, and the folder need not exist yet.
    EXPECT_EQ(check(FileField::SaveLocation, u"C:\\new\\place"), 0);
    EXPECT_EQ(shown(), u"");
}

TEST_F(ShellFieldCheck, ProjectFileAndInputMovieMustBeExistingFiles) {
    expectRefused(FileField::ProjectFile, u"", u"プロジェクトファイル名を入力して下さい");
    expectRefused(FileField::ProjectFile, u"C:\\p\\*.mcc", u"プロジェクトファイル名に使用できない文字があります");
    expectRefused(FileField::ProjectFile, u"C:\\p\\gone.mcc", u"プロジェクトファイルが見つかりません");
    expectRefused(FileField::ProjectFile, u"C:\\p\\sub", u"プロジェクトファイルが見つかりません");
    EXPECT_EQ(check(FileField::ProjectFile, u"C:\\p\\p.mcc"), 0);
    expectRefused(FileField::InputMovie, u"", u"入力動画ファイルを入力して下さい");
    expectRefused(FileField::InputMovie, u"C:\\movies\\?.avi", u"入力動画ファイルに使用できない文字があります");
    expectRefused(FileField::InputMovie, u"C:\\movies\\out.avi", u"入力動画ファイルが見つかりません");
    EXPECT_EQ(check(FileField::InputMovie, input), 0);
}

TEST_F(ShellFieldCheck, EachDataFileNamesItselfInEveryMessage) {
    const std::pair<FileField, std::u16string> files[] = {
        {FileField::ColourInfo, u"色情報"}, {FileField::CaptionInfo, u"字幕情報"}, {FileField::BoxInfo, u"枠情報"}};
    for (const auto& [field, kind] : files) {
        expectRefused(field, u"", kind + u"ファイルを入力して下さい");
        expectRefused(field, u"C:\\p\\a*.csv", kind + u"ファイルに使用できない文字があります");
        for (auto bare : {u"a.csv", u"C:\\p\\", u"\\a.csv"})
            expectRefused(field, bare, kind + u"ファイルにパスを含めたファイル名を指定して下さい");
        expectRefused(field, u"C:\\gone\\a.csv", kind + u"ファイルのフォルダが見つかりません");
        expectRefused(field, u"E:\\a.csv", kind + u"ファイルのドライブが見つかりません");
        expectRefused(field, u"C:\\p\\b.csv", kind + u"ファイルが見つかりません");
        expectRefused(field, u"C:\\p\\sub", kind + u"ファイルではありません");
        EXPECT_EQ(check(field, u"C:\\p\\a.csv"), 0);
        EXPECT_EQ(check(field, u"C:\\top.csv"), 0);
    }
}

TEST_F(ShellFieldCheck, DrivesThatCannotHoldAFile) {
    for (auto path : {u"E:\\a.csv", u"F:\\a.csv", u"Q:\\a.csv"})
        expectRefused(FileField::CaptionInfo, path, u"字幕情報ファイルのドライブが見つかりません");
    EXPECT_EQ(drivesAsked, (std::vector<std::u16string>{u"E:\\", u"F:\\", u"Q:\\"}));
}

TEST_F(ShellFieldCheck, NoFileIsAcceptedForDataFilesAndOutputOnly) {
    for (FileField field : {FileField::ColourInfo, FileField::CaptionInfo, FileField::BoxInfo, FileField::OutputMovie})
        EXPECT_EQ(check(field, u"設定なし"), 0);
    EXPECT_EQ(shown(), u"");
    expectRefused(FileField::InputMovie, u"設定なし", u"入力動画ファイルが見つかりません");
}

TEST_F(ShellFieldCheck, NewProjectStopsAfterTheFormOfThePath) {
    for (FileField field : {FileField::CaptionInfo, FileField::OutputMovie})
        EXPECT_EQ(check(field, u"C:\\not\\yet\\there.csv", SelectionMode::NewProject), 0);
    EXPECT_TRUE(t.ui.questions.empty());
    expectRefused(FileField::BoxInfo, u"box.csv", u"枠情報ファイルにパスを含めたファイル名を指定して下さい",
                  SelectionMode::NewProject);
    EXPECT_FALSE(t.files.exists(u"C:\\not"));
}

TEST_F(ShellFieldCheck, OutputChecksInOrder) {
    expectRefused(FileField::OutputMovie, u"", u"出力動画ファイルを入力して下さい");
    expectRefused(FileField::OutputMovie, u"c:\\MOVIES\\IN.AVI", u"入力ファイルと出力ファイルが同じです");
    expectRefused(FileField::OutputMovie, u"C:\\movies\\*.avi", u"出力動画ファイルに使用できない文字があります");
    expectRefused(FileField::OutputMovie, u"out.avi", u"出力動画ファイルにパスを含めたファイル名を指定して下さい");
    expectRefused(FileField::OutputMovie, u"E:\\out.avi", u"出力動画ファイルのドライブが見つかりません");
    expectRefused(FileField::OutputMovie, u"C:\\p\\sub", u"動画ファイルではありません");
    // A missing output file is what the synthesis will make.
    EXPECT_EQ(check(FileField::OutputMovie, u"C:\\movies\\out.avi"), 0);
    EXPECT_EQ(shown(), u"");
}

TEST_F(ShellFieldCheck, MissingOutputFolderAnsweredNoCreatesNothing) {
    EXPECT_EQ(check(FileField::OutputMovie, u"C:\\x\\y\\out.avi"), -1);
    ASSERT_EQ(t.ui.questions.size(), 1u);
    EXPECT_EQ(t.ui.questions[0].text, u"出力動画ファイルのフォルダが見つかりません。\n作成しますか？");
    EXPECT_EQ(t.ui.questions[0].title, u"カブレン字幕付加システム");
    EXPECT_EQ(shown(), u"");
    EXPECT_FALSE(t.files.exists(u"C:\\x"));
}

TEST_F(ShellFieldCheck, MissingOutputFoldersTwoLevelsDownAreCreatedOnYes) {
    t.ui.answers = {true};
    EXPECT_EQ(check(FileField::OutputMovie, u"C:\\x\\y\\out.avi"), 0);
    EXPECT_EQ(t.ui.questions.size(), 1u);
    EXPECT_TRUE(t.files.isDirectory(u"C:\\x"));
    EXPECT_TRUE(t.files.isDirectory(u"C:\\x\\y"));
    EXPECT_FALSE(t.files.exists(u"C:\\x\\y\\out.avi"));
    EXPECT_EQ(shown(), u"");
}

TEST_F(ShellFieldCheck, OutputFolderThatCannotBeMadeIsReported) {
    t.ui.answers = {true};
    t.files.failCreatingDirectory(u"C:\\x\\y");
    EXPECT_EQ(check(FileField::OutputMovie, u"C:\\x\\y\\out.avi"), -1);
    EXPECT_EQ(shown(), u"出力動画ファイルのフォルダを作成できませんでした");
}

TEST(ShellPathCase, LatinLettersFoldInBothWidths) {
    EXPECT_TRUE(samePath(u"C:\\Ａb\\X.avi", u"c:\\ａB\\x.AVI"));
    EXPECT_FALSE(samePath(u"C:\\a.avi", u"C:\\a.avi "));
    EXPECT_FALSE(samePath(u"C:\\あ.avi", u"C:\\ア.avi"));
}

}  // namespace
}  // namespace qucap
