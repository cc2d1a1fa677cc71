#include "filter/core/path_check.h"

#include <gtest/gtest.h>

#include <map>

#include "tests/support/test_io.h"

namespace qucap {
namespace {

// Drive types by root; unknown roots answer "no root directory".
struct FakeDrives : DriveTypes {
    std::map<std::u16string, uint32_t> types{{u"C:\\", 3}, {u"E:\\", kDriveCdRom}, {u"F:\\", kDriveUnknown}};
    mutable std::vector<std::u16string> asked;
    uint32_t driveTypeOf(std::u16string_view root) const override {
        asked.emplace_back(root);
        const auto found = types.find(std::u16string(root));
        return found == types.end() ? kDriveNoRootDirectory : found->second;
    }
};

struct PathCheckTest : ::testing::Test {
    test::TestIo t;
    FakeDrives drives;
    PathCheckTest() {
        t.files.addDirectory(u"C:\\p");
        t.files.addDirectory(u"C:\\p\\sub");
        t.files.addFile(u"C:\\p\\a.csv", "x");
        t.files.addFile(u"C:\\a.csv", "x");
    }
    PathCheck check(std::u16string_view path, CheckedFile file = CheckedFile::CaptionInfo) {
        return checkFilterPath(t.io, drives, path, file);
    }
    // The one message shown, or "" when none was.
    std::u16string shown() const {
        if (t.ui.messages.size() != 1) return t.ui.messages.empty() ? u"" : u"<several>";
        EXPECT_EQ(t.ui.messages[0].title, u"カブレン字幕合成フィルタ");
        EXPECT_EQ(t.ui.messages[0].icon, MessageIcon::Warning);
        return t.ui.messages[0].text;
    }
};

TEST_F(PathCheckTest, NoFileAndGoodPathsPassSilently) {
    for (auto path : {u"", u"設定なし", u"C:\\p\\a.csv", u"C:\\a.csv", u"C:\\p\\new.csv"})
        EXPECT_EQ(check(path), PathCheck::Passes);
    EXPECT_EQ(shown(), u"");
}

TEST_F(PathCheckTest, BareNameOrWildcardOrMissingNameGivesMessageOne) {
    for (auto path : {u"a.csv", u"C:\\p\\*.csv", u"C:\\p\\a?.csv", u"C:\\p\\", u"\\a.csv"}) {
        t.ui.messages.clear();
        EXPECT_EQ(check(path), PathCheck::NoFolderOrName);
        EXPECT_EQ(shown(), u"字幕情報ファイルにパスを含めたファイル名を指定して下さい");
    }
    EXPECT_TRUE(drives.asked.empty());
}

TEST_F(PathCheckTest, MissingFolderLongerThanADrive) {
    EXPECT_EQ(check(u"C:\\gone\\a.csv", CheckedFile::BoxInfo), PathCheck::FolderMissing);
    EXPECT_EQ(shown(), u"枠情報ファイルのフォルダが見つかりません");
    EXPECT_TRUE(drives.asked.empty());
}

TEST_F(PathCheckTest, DriveFoldersAskTheDriveTypeWithABackslash) {
    EXPECT_EQ(check(u"C:\\a.csv"), PathCheck::Passes);
    EXPECT_EQ(drives.asked, std::vector<std::u16string>{u"C:\\"});
    // 5 (CD-ROM), 0 (not determined) and 1 (no root directory) all fail.
    for (auto path : {u"E:\\a.csv", u"F:\\a.csv", u"Z:\\a.csv", u"x\\a.csv"}) {
        t.ui.messages.clear();
        EXPECT_EQ(check(path, CheckedFile::ColourInfo), PathCheck::DriveMissing);
        EXPECT_EQ(shown(), u"色情報ファイルのドライブが見つかりません");
    }
    EXPECT_EQ(drives.asked.back(), u"x\\");
}

TEST_F(PathCheckTest, DirectoryIsNotAFile) {
    EXPECT_EQ(check(u"C:\\p\\sub"), PathCheck::IsDirectory);
    EXPECT_EQ(shown(), u"字幕情報ファイルではありません");
}

TEST(PathCheckMessages, EveryFileHasItsOwnFour) {
    EXPECT_EQ(pathCheckMessage(PathCheck::Passes, CheckedFile::BoxInfo), u"");
    EXPECT_EQ(pathCheckMessage(PathCheck::NoFolderOrName, CheckedFile::BoxInfo),
              u"枠情報ファイルにパスを含めたファイル名を指定して下さい");
    EXPECT_EQ(pathCheckMessage(PathCheck::NoFolderOrName, CheckedFile::ColourInfo),
              u"色情報ファイルにパスを含めたファイル名を指定して下さい");
    EXPECT_EQ(pathCheckMessage(PathCheck::FolderMissing, CheckedFile::CaptionInfo), u"字幕情報ファイルのフォルダが見つかりません");
    EXPECT_EQ(pathCheckMessage(PathCheck::FolderMissing, CheckedFile::ColourInfo), u"色情報ファイルのフォルダが見つかりません");
    EXPECT_EQ(pathCheckMessage(PathCheck::DriveMissing, CheckedFile::CaptionInfo), u"字幕情報ファイルのドライブが見つかりません");
    EXPECT_EQ(pathCheckMessage(PathCheck::DriveMissing, CheckedFile::BoxInfo), u"枠情報ファイルのドライブが見つかりません");
    EXPECT_EQ(pathCheckMessage(PathCheck::IsDirectory, CheckedFile::BoxInfo), u"枠情報ファイルではありません");
    EXPECT_EQ(pathCheckMessage(PathCheck::IsDirectory, CheckedFile::ColourInfo), u"色情報ファイルではありません");
}

}  // namespace
}  // namespace qucap
