#include "app/core/caption_list/caption_load.h"

#include <gtest/gtest.h>

#include "captiondata/caption/caption_file.h"
#include "captiondata/profile/ini_profile.h"
#include "tests/support/test_io.h"

namespace qucap {
namespace {

using test::TestIo;
using test::utf16File;

constexpr std::u16string_view kCaptionPath = u"C:\\p\\字幕情報.csv";
constexpr std::u16string_view kProjectFile = u"C:\\p\\p.mcc";

struct CaptionLoadTest : ::testing::Test {
    TestIo t;
    CaptionList list;

    CaptionLoadTest() { t.files.addDirectory(u"C:\\p"); }
    void addCaptionFile(std::initializer_list<std::u16string_view> lines) {
        t.files.addFile(kCaptionPath, utf16File(lines));
    }
    std::vector<std::u16string> column(int col) const {
        std::vector<std::u16string> values;
        for (int i = 0; i < list.rowCount(); ++i) values.push_back(list.cell(i, col));
        return values;
    }
};

using Texts = std::vector<std::u16string>;

TEST_F(CaptionLoadTest, LoadShowsTimesInCaptionForm) {
    addCaptionFile({kCaptionFileHeader, u"7,75,2.5,横,a,10,,0,,0,,0,0", u"8,abc,,縦,b,0,,0,,0,,0,3",
                    u"0,comment line"});
    list.select(0);
    ASSERT_EQ(loadCaptionInfo(t.io, kCaptionPath, list), 0);
    EXPECT_EQ(column(ColNumber), (Texts{u"1", u"2"}));
    EXPECT_EQ(column(ColStart), (Texts{u"0:01:15.00", u"0:00:00.00"}));
    EXPECT_EQ(column(ColDuration), (Texts{u"0:00:02.50", u"0:00:00.00"}));
    EXPECT_EQ(column(ColOrientation), (Texts{u"横", u"縦"}));
    EXPECT_EQ(column(ColLock), (Texts{u"0", u"0"}));  // a lock of 3 shows 0
    EXPECT_EQ(list.selection(), -1);
    ASSERT_EQ(list.captionTable().size(), 2u);
    EXPECT_EQ(list.captionTable()[0].start, 75'000);
    EXPECT_TRUE(t.ui.messages.empty());
}

TEST_F(CaptionLoadTest, LoadNormalisesMarkupBeforeFilling) {
    addCaptionFile({kCaptionFileHeader, u"1,1,1,横,$R$Rあ$R,0,,0,,0,,0,0"});
    ASSERT_EQ(loadCaptionInfo(t.io, kCaptionPath, list), 0);
    EXPECT_EQ(list.cell(0, kMarkupColumns[Line1Body]), u"$Rあ");
    EXPECT_EQ(list.cell(0, kPlainColumns[Line1Body]), u"あ");
}

TEST_F(CaptionLoadTest, NoFileNamedGivesAnEmptyList) {
    addCaptionFile({kCaptionFileHeader, u"1,1,1,横,a,0,,0,,0,,0,0"});
    ASSERT_EQ(loadCaptionInfo(t.io, kCaptionPath, list), 0);
    ASSERT_EQ(list.rowCount(), 1);
    // The next project names no caption file: nothing of this one stays.
    EXPECT_EQ(loadCaptionInfo(t.io, u"設定なし", list), 0);
    EXPECT_EQ(list.rowCount(), 0);
    EXPECT_TRUE(list.captionTable().empty());
    EXPECT_EQ(loadCaptionInfo(t.io, u"", list), 0);
    EXPECT_TRUE(t.ui.messages.empty());
}

TEST_F(CaptionLoadTest, FailedLoadKeepsTheList) {
    addCaptionFile({kCaptionFileHeader, u"1,1,1,横,a,0,,0,,0,,0,0"});
    ASSERT_EQ(loadCaptionInfo(t.io, kCaptionPath, list), 0);
    EXPECT_EQ(loadCaptionInfo(t.io, u"C:\\p\\missing.csv", list), -1);
    EXPECT_TRUE(t.ui.messages.empty());  // missing: no message
    t.files.failReading(kCaptionPath, ReadStatus::OpenFailed);
    EXPECT_EQ(loadCaptionInfo(t.io, kCaptionPath, list), -1);
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(t.ui.messages[0].text, u"字幕情報ファイルの読み込みに失敗しました");
    EXPECT_EQ(list.rowCount(), 1);
    EXPECT_EQ(list.captionTable().size(), 1u);
}

TEST_F(CaptionLoadTest, SaveWritesTheNamedFile) {
    const std::u16string line = u"1,0:00:01.00,0:00:02.00,縦,\"a,b\",12,r,0,,0,,0,1";
    addCaptionFile({kCaptionFileHeader, line});
    ASSERT_EQ(loadCaptionInfo(t.io, kCaptionPath, list), 0);
    std::u16string path(kCaptionPath);
    CaptionInfoProject project{path, u"C:\\p", kProjectFile};
    t.files.addFile(kCaptionPath, "");
    ASSERT_EQ(saveCaptionList(t.io, list, project), 0);
    EXPECT_EQ(t.files.contents(kCaptionPath), utf16File({kCaptionFileHeader, line}));
    EXPECT_TRUE(t.ui.saveRequests.empty());
    EXPECT_FALSE(t.files.exists(kProjectFile));  // nothing recorded

    t.files.failWriting(kCaptionPath);
    EXPECT_EQ(saveCaptionList(t.io, list, project), -1);
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(t.ui.messages[0].text, u"字幕情報ファイルの書き込みに失敗しました");
}

TEST_F(CaptionLoadTest, AFileWhoseTextGaveNoRowIsNeverSavedOver) {
    std::u16string path(kCaptionPath);
    CaptionInfoProject project{path, u"C:\\p", kProjectFile};
    // Binary junk, also where its bytes would make a row; text in no
    // encoding the reader takes; rows whose number column is empty.
    const std::string unread[] = {std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16),
                                  std::string("\x89PNG\r\n\x1A\n1,\0\x02,\x01\r\n2,x", 18),
                                  "1,\x81 \x81 \x81 \x81 \xFF\xFF\xFF\r\n",
                                  utf16File({kCaptionFileHeader, u",0:00:01.00,0:00:02.00,横,字幕,0,,0,,0,,0,0"})};
    for (const std::string& bytes : unread) {
        t.files.addFile(kCaptionPath, bytes);
        t.ui.messages.clear();
        ASSERT_EQ(loadCaptionInfo(t.io, kCaptionPath, list), 0);
        EXPECT_EQ(list.rowCount(), 0);
        list.appendRow();  // even with rows added since
        EXPECT_EQ(saveCaptionList(t.io, list, project), -1);
        EXPECT_EQ(t.files.contents(kCaptionPath), bytes);
        ASSERT_EQ(t.ui.messages.size(), 2u);
        EXPECT_EQ(t.ui.messages[0].text, u"字幕情報ファイルから字幕を1行も読み込めませんでした\n"
                                         u"（字幕情報ファイルの形式ではないか、壊れています）");
        EXPECT_EQ(t.ui.messages[1].text, u"読み込めなかった字幕情報ファイルには上書き保存しません");
    }
    // Files without rows as they are written: empty, the header alone, blank lines and comments.
    for (const std::string& bytes : {std::string(), utf16File({kCaptionFileHeader}),
                                     utf16File({kCaptionFileHeader, u"", u" ,,, ", u"0,メモ"})}) {
        t.files.addFile(kCaptionPath, bytes);
        t.ui.messages.clear();
        ASSERT_EQ(loadCaptionInfo(t.io, kCaptionPath, list), 0);
        EXPECT_EQ(saveCaptionList(t.io, list, project), 0);
        EXPECT_TRUE(t.ui.messages.empty());
    }
}

// A Shift-JIS file with a few bytes that are not Shift-JIS: the rest reads
// right, the message names the line, and the file is saved over only once
// the rows changed.
TEST_F(CaptionLoadTest, AFewUnreadableBytesCostOnlyTheirOwnCharacters) {
    const std::string header = "0,\x95\x5C\x8E\xA6\r\n";  // "0,表示"
    const std::string bytes = header + "1,0:00:01.00,0:00:01.00,\x89\xA1,\x8E\x9A\x96\x8B" "1,0,,0,,0,,0,0\r\n" +
                              "2,0:00:02.00,0:00:01.00,\x89\xA1,\x8E\x9A\x96\x8B" "2,0,,0,,0,,0,0\r\n" +
                              "3,0:00:03.00,0:00:01.00,\x89\xA1,\x81 \xFF" "3,0,,0,,0,,0,0\r\n";
    t.files.addFile(kCaptionPath, bytes);
    ASSERT_EQ(loadCaptionInfo(t.io, kCaptionPath, list), 0);
    EXPECT_EQ(column(kPlainColumns[Line1Body]), (Texts{u"字幕1", u"字幕2", u"\uFFFD \uFFFD" u"3"}));
    EXPECT_EQ(column(ColOrientation), (Texts{u"横", u"横", u"横"}));
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(t.ui.messages[0].text, u"字幕情報ファイルの4行目に読めない文字があります\n"
                                     u"（読めない文字は「\uFFFD」になっています。字幕を変更するまで、このファイルには上書き保存しません）");

    std::u16string path(kCaptionPath);
    CaptionInfoProject project{path, u"C:\\p", kProjectFile};
    EXPECT_EQ(saveCaptionList(t.io, list, project), 0);  // nothing changed: the file stays as it is
    EXPECT_EQ(t.files.contents(kCaptionPath), bytes);
    EXPECT_EQ(t.ui.messages.size(), 1u);

    const std::u16string row3 = list.cell(2, kMarkupColumns[Line1Body]);
    list.setCell(2, kMarkupColumns[Line1Body], u"字幕3");
    ASSERT_EQ(saveCaptionList(t.io, list, project), 0);
    EXPECT_NE(t.files.contents(kCaptionPath), bytes);
    // Once written, the file holds the list: changed back, it is written again.
    list.setCell(2, kMarkupColumns[Line1Body], row3);
    ASSERT_EQ(saveCaptionList(t.io, list, project), 0);
    EXPECT_EQ(t.files.contents(kCaptionPath),
              utf16File({kCaptionFileHeader, u"1,0:00:01.00,0:00:01.00,横,字幕1,0,,0,,0,,0,0",
                         u"2,0:00:02.00,0:00:01.00,横,字幕2,0,,0,,0,,0,0",
                         u"3,0:00:03.00,0:00:01.00,横,\uFFFD \uFFFD" u"3,0,,0,,0,,0,0"}));
}

TEST(UnreadableCharacters, TheMessageNamesTheFirstFiveLines) {
    const std::u16string message = unreadableCharactersMessage(u"字幕情報ファイル", {2, 5, 6, 9, 10, 12});
    EXPECT_EQ(message.substr(0, message.find(u'\n')),
              u"字幕情報ファイルの2行目、5行目、6行目、9行目、10行目などに読めない文字があります");
}

TEST_F(CaptionLoadTest, SaveWithoutNameAsksAndRecordsTheChoice) {
    t.files.addFile(kProjectFile, utf16File({u"[FileName]", u"InpCapName=設定なし", u""}));
    std::u16string path = u"設定なし";
    CaptionInfoProject project{path, u"C:\\p", kProjectFile};

    EXPECT_EQ(saveCaptionList(t.io, list, project), -1);  // cancelled
    ASSERT_EQ(t.ui.saveRequests.size(), 1u);
    const SaveFileRequest& request = t.ui.saveRequests[0];
    EXPECT_EQ(request.proposedName, u"C:\\p\\無題");
    EXPECT_EQ(request.kind, u"字幕情報ﾌｧｲﾙ");
    EXPECT_EQ(request.defaultExtension, u"csv");
    EXPECT_EQ(request.filters, (std::vector<FileTypeFilter>{{u"カンマ区切りﾌｧｲﾙ (*.csv)", u"*.csv"}, allFilesFilter()}));
    EXPECT_EQ(path, u"設定なし");

    t.ui.saveAnswer = u"C:\\p\\新規.csv";
    EXPECT_EQ(saveCaptionList(t.io, list, project), 0);
    EXPECT_EQ(path, u"C:\\p\\新規.csv");
    // An empty list writes the header and the sample row.
    EXPECT_EQ(t.files.contents(u"C:\\p\\新規.csv"), utf16File({kCaptionFileHeader, kCaptionSampleRow}));
    EXPECT_EQ(IniProfile(t.io).readString(kProjectFile, u"FileName", u"InpCapName", u""), u"C:\\p\\新規.csv");
    EXPECT_TRUE(t.ui.messages.empty());

    // Named now: the next save writes without asking.
    EXPECT_EQ(saveCaptionList(t.io, list, project), 0);
    EXPECT_EQ(t.ui.saveRequests.size(), 2u);
}

TEST_F(CaptionLoadTest, FailedRecordIsReportedButTheSaveCounts) {
    t.files.addFile(kProjectFile, utf16File({u"[FileName]", u""}));
    t.files.failWriting(kProjectFile);
    std::u16string path;
    CaptionInfoProject project{path, u"", kProjectFile};
    t.ui.saveAnswer = u"C:\\p\\a.csv";
    EXPECT_EQ(saveCaptionList(t.io, list, project), 0);
    EXPECT_EQ(t.ui.saveRequests[0].proposedName, u"無題");
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(t.ui.messages[0].text, u"confファイルの設定に失敗しました");
    EXPECT_EQ(t.ui.messages[0].title, u"カブレン字幕付加システム");
    EXPECT_EQ(t.ui.messages[0].icon, MessageIcon::Warning);
    EXPECT_TRUE(t.files.exists(u"C:\\p\\a.csv"));
}

}  // namespace
}  // namespace qucap
