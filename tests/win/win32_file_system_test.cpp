#include "win32/win32_file_system.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

#include "tests/win/temp_folder.h"

namespace qucap::test {
namespace {

using Names = std::vector<std::u16string>;

class Win32FileSystemTest : public ::testing::Test {
protected:
    TempFolder folder;
    Win32FileSystem files;
};

TEST_F(Win32FileSystemTest, KindTellsMissingFileAndFolderApart) {
    putFile(folder / u"a.csv", "x");
    EXPECT_EQ(files.kind(folder / u"a.csv"), PathKind::File);
    EXPECT_EQ(files.kind(folder.path()), PathKind::Directory);
    EXPECT_EQ(files.kind(folder / u"none.csv"), PathKind::Missing);
    EXPECT_EQ(files.kind(u""), PathKind::Missing);
    // A NUL inside the name must not silently name the shorter path.
    EXPECT_EQ(files.kind(folder.path() + std::u16string(1, u'\0') + u"x"), PathKind::Missing);
}

TEST_F(Win32FileSystemTest, ReadStatusesOfMissingFolderAndExclusivelyOpenFile) {
    EXPECT_EQ(files.readFile(folder / u"none.csv").status, ReadStatus::Missing);
    EXPECT_EQ(files.readFile(folder.path()).status, ReadStatus::IsDirectory);

    putFile(folder / u"held.csv", "held");
    {
        const OpenHandle holder(openExclusively(folder / u"held.csv"));
        ASSERT_TRUE(holder.valid());
        const ReadResult held = files.readFile(folder / u"held.csv");
        EXPECT_EQ(held.status, ReadStatus::OpenFailed);
        EXPECT_EQ(held.bytes, "");
    }
    EXPECT_EQ(files.readFile(folder / u"held.csv").bytes, "held");
}

TEST_F(Win32FileSystemTest, ReadsAndSizesAFileAnotherReaderHolds) {
    // Two runs of one project read its files at the same moment.
    putFile(folder / u"shared.mcc", "shared");
    const OpenHandle reader(CreateFileW(wide(folder / u"shared.mcc"), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(reader.valid());
    EXPECT_EQ(files.readFile(folder / u"shared.mcc").bytes, "shared");
    EXPECT_EQ(files.fileSize(folder / u"shared.mcc"), 6u);
}

TEST_F(Win32FileSystemTest, ReadsEveryByteUnderAJapaneseName) {
    const std::string bytes("\xFF\xFE" "a\0b\0\r\0\n\0\x1A", 11);
    putFile(folder / u"字幕情報ファイル.csv", bytes);
    const ReadResult read = files.readFile(folder / u"字幕情報ファイル.csv");
    EXPECT_EQ(read.status, ReadStatus::Ok);
    EXPECT_EQ(read.bytes, bytes);

    putFile(folder / u"空.csv", "");
    const ReadResult empty = files.readFile(folder / u"空.csv");
    EXPECT_EQ(empty.status, ReadStatus::Ok);
    EXPECT_EQ(empty.bytes, "");
}

TEST_F(Win32FileSystemTest, ReadsAFileLargerThanOneTransfer) {
    std::string bytes(3 * 1024 * 1024 + 17, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = char(i * 7);
    putFile(folder / u"big.bin", bytes);
    EXPECT_EQ(files.readFile(folder / u"big.bin").bytes, bytes);
}

TEST_F(Win32FileSystemTest, WritesANewFileAndReplacesAnOldOneLeavingNoTemporaryFile) {
    const std::u16string target = folder / u"字幕.srt";
    EXPECT_EQ(files.writeFile(target, "first"), WriteStatus::Ok);
    EXPECT_EQ(fileBytes(target), "first");
    EXPECT_EQ(files.writeFile(target, std::string("second\0!", 8)), WriteStatus::Ok);
    EXPECT_EQ(fileBytes(target), std::string("second\0!", 8));
    EXPECT_EQ(files.writeFile(target, ""), WriteStatus::Ok);
    EXPECT_EQ(fileBytes(target), "");
    EXPECT_EQ(namesIn(folder.path()), Names{u"字幕.srt"});
}

TEST_F(Win32FileSystemTest, FailedWritesKeepTheOldFileAndLeaveNoTemporaryFile) {
    const std::u16string readOnly = folder / u"readonly.csv";
    putFile(readOnly, "old");
    setReadOnly(readOnly, true);
    EXPECT_NE(files.writeFile(readOnly, "new"), WriteStatus::Ok);
    EXPECT_EQ(fileBytes(readOnly), "old");

    files.createDirectory(folder / u"sub");
    EXPECT_NE(files.writeFile(folder / u"sub", "new"), WriteStatus::Ok);
    EXPECT_EQ(files.kind(folder / u"sub"), PathKind::Directory);
    EXPECT_EQ(namesIn(folder / u"sub"), Names{});

    EXPECT_EQ(files.writeFile(folder / u"none\\out.csv", "new"), WriteStatus::CreateFailed);
    EXPECT_EQ(files.kind(folder / u"none"), PathKind::Missing);

    EXPECT_EQ(namesIn(folder.path()), (Names{u"readonly.csv", u"sub"}));
}

TEST_F(Win32FileSystemTest, WriteOverAnExclusivelyOpenFileFailsAndKeepsIt) {
    const std::u16string target = folder / u"open.csv";
    putFile(target, "old");
    {
        const OpenHandle holder(openExclusively(target));
        ASSERT_TRUE(holder.valid());
        EXPECT_NE(files.writeFile(target, "new"), WriteStatus::Ok);
    }
    EXPECT_EQ(fileBytes(target), "old");
    EXPECT_EQ(namesIn(folder.path()), Names{u"open.csv"});
}

TEST_F(Win32FileSystemTest, WriteWaitsForAReaderThatLetsGo) {
    // Another run of the same project reads the file as this one rewrites it:
    // the replace waits for the reader's few milliseconds instead of failing.
    const std::u16string target = folder / u"project.qcp";
    putFile(target, "old");
    HANDLE reader = CreateFileW(wide(target), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    std::thread letGo([reader] {
        Sleep(200);
        CloseHandle(reader);
    });
    EXPECT_EQ(files.writeFile(target, "new"), WriteStatus::Ok);
    letGo.join();
    EXPECT_EQ(fileBytes(target), "new");
    EXPECT_EQ(namesIn(folder.path()), Names{u"project.qcp"});
}

TEST_F(Win32FileSystemTest, WritesBesideTheTargetEvenWhenItsNameIsNearTheLengthLimit) {
    // The target name plus the temporary suffix would pass MAX_PATH.
    const std::size_t room = 259 - folder.path().size() - 1;
    const std::u16string name = std::u16string(room - 4, u'n') + u".srt";
    const std::u16string target = folder / name;
    ASSERT_EQ(target.size(), 259u);
    EXPECT_EQ(files.writeFile(target, "long"), WriteStatus::Ok);
    EXPECT_EQ(fileBytes(target), "long");
    EXPECT_EQ(namesIn(folder.path()), Names{name});
}

TEST_F(Win32FileSystemTest, CreateDirectoryAcceptsAnExistingFolderOnly) {
    EXPECT_TRUE(files.createDirectory(folder / u"字幕作成001"));
    EXPECT_EQ(files.kind(folder / u"字幕作成001"), PathKind::Directory);
    EXPECT_TRUE(files.createDirectory(folder / u"字幕作成001"));

    putFile(folder / u"file", "x");
    EXPECT_FALSE(files.createDirectory(folder / u"file"));
    EXPECT_FALSE(files.createDirectory(folder / u"missing\\child"));
    EXPECT_FALSE(files.createDirectory(u""));
}

TEST_F(Win32FileSystemTest, RemoveFileRemovesFilesOnly) {
    putFile(folder / u"gone.csv", "x");
    EXPECT_TRUE(files.removeFile(folder / u"gone.csv"));
    EXPECT_EQ(files.kind(folder / u"gone.csv"), PathKind::Missing);
    EXPECT_FALSE(files.removeFile(folder / u"gone.csv"));
    files.createDirectory(folder / u"sub");
    EXPECT_FALSE(files.removeFile(folder / u"sub"));
}

TEST_F(Win32FileSystemTest, DocumentsFolderIsAnExistingFolderWithoutTrailingBackslash) {
    const std::u16string documents = files.documentsFolder();
    ASSERT_FALSE(documents.empty());
    EXPECT_NE(documents.back(), u'\\');
    EXPECT_EQ(files.kind(documents), PathKind::Directory);
}

TEST_F(Win32FileSystemTest, FullPathOfARelativeNameIsInTheCurrentFolder) {
    wchar_t current[MAX_PATH] = {};
    ASSERT_GT(GetCurrentDirectoryW(MAX_PATH, current), 0u);
    std::u16string expected(reinterpret_cast<const char16_t*>(current));
    if (expected.back() != u'\\') expected += u'\\';
    EXPECT_EQ(fullPathOf(u"字幕.mcc"), expected + u"字幕.mcc");
    EXPECT_EQ(fullPathOf(u"C:\\a\\..\\b.mcc"), u"C:\\b.mcc");
}

}  // namespace
}  // namespace qucap::test
