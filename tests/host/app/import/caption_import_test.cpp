// Which reader a file goes to, and the program's import into its caption
// list: the question before rows are replaced, the message line, the
// warnings of a file that gives nothing.
#include <gtest/gtest.h>

#include "app/import/list_import.h"
#include "captiondata/text/u16.h"
#include "tests/support/test_io.h"

namespace qucap {
namespace {

TEST(CaptionImport, TheContentShowsTheFormatAndOnlyThenTheExtension) {
    const struct {
        std::u16string_view text, path;
        std::optional<ImportFormat> format;
    } cases[] = {
        {u"\uFEFFWEBVTT\n\n00:01.000 --> 00:02.000\nx\n", u"a.srt", ImportFormat::WebVtt},
        {u"WEBVTT - 題\r\n", u"a.txt", ImportFormat::WebVtt},
        {u"WEBVTTX\n", u"a.txt", std::nullopt},
        {u"<?xml version=\"1.0\"?>\n<!-- c -->\n<tt:tt xmlns:tt=\"http://www.w3.org/ns/ttml\">", u"a.txt", ImportFormat::Ttml},
        {u"<tt xmlns=\"http://www.w3.org/ns/ttml\"/>", u"a.vtt", ImportFormat::Ttml},
        {u"; comment\n[Script Info]\nTitle: x\n", u"a.txt", ImportFormat::Ass},
        {u"[events]\nDialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,x\n", u"a.srt", ImportFormat::Ass},
        {u"1\r\n00:00:01,000 --> 00:00:02,000\r\n<i>x</i>\r\n", u"a.txt", ImportFormat::Srt},
        {u"nothing here", u"C:\\folder.ass\\a.SSA", ImportFormat::Ass},
        {u"nothing here", u"C:\\folder.ass\\b", std::nullopt},
        {u"", u"a.DFXP", ImportFormat::Ttml},
        {u"", u"a.vtt", ImportFormat::WebVtt},
    };
    for (const auto& c : cases) EXPECT_EQ(detectImportFormat(c.text, c.path), c.format) << toUtf8(c.text);
    EXPECT_EQ(formatNamed(u"VTT"), ImportFormat::WebVtt);
    EXPECT_EQ(formatNamed(u"webvtt"), std::nullopt);
    EXPECT_EQ(formatOfFilter(1), std::nullopt);
    EXPECT_EQ(formatOfFilter(2), ImportFormat::Srt);
    EXPECT_EQ(formatOfFilter(5), ImportFormat::Ass);
    EXPECT_EQ(formatOfFilter(6), std::nullopt);
    const std::vector<FileTypeFilter> filters = importDialogFilters();
    ASSERT_EQ(filters.size(), 6u);
    EXPECT_EQ(filters[0].pattern, u"*.srt;*.vtt;*.ttml;*.xml;*.dfxp;*.ass;*.ssa");
    EXPECT_EQ(filters[5].pattern, u"*.*");
}

constexpr std::string_view kSrt =
    "1\r\n00:00:01,000 --> 00:00:02,500\r\n<b>一行目</b>\r\n二行目\r\n\r\n"
    "2\r\n00:00:02,000 --> 00:00:04,000\r\n次\r\n";

class ListImportTest : public ::testing::Test {
protected:
    ListImport import(std::string_view bytes) {
        test.files.addDirectory(u"C:\\in");
        test.files.addFile(u"C:\\in\\字幕.srt", bytes);
        return importIntoList(test.io, list, u"C:\\in\\字幕.srt", std::nullopt, defaultColourTable());
    }
    test::TestIo test;
    CaptionList list;
};

TEST_F(ListImportTest, RowsReplaceTheListAfterAYes) {
    list.appendRow();
    list.setUnreadFile(u"C:\\p\\字幕情報.csv");
    test.ui.answers = {true};
    const ListImport result = import(kSrt);
    ASSERT_TRUE(result.imported);
    ASSERT_EQ(test.ui.questions.size(), 1u);
    EXPECT_EQ(test.ui.questions[0].text, u"字幕の一覧にある1行の字幕を、読み込む字幕で置き換えますか？");
    ASSERT_EQ(list.rowCount(), 2);
    const CaptionFileRow first = list.fileRow(0);
    EXPECT_EQ(first.start, u"0:00:01.00");
    EXPECT_EQ(first.duration, u"0:00:01.00");
    EXPECT_EQ(first.texts[Line1Body], u"$H一行目$h");
    EXPECT_EQ(first.texts[Line2Body], u"二行目");
    EXPECT_EQ(test.ui.messageLine, u"2行の字幕を読み込みました（記録 1件：ﾂｰﾙ → 読み込みの記録）");
    ASSERT_EQ(result.notes.size(), 1u);
    EXPECT_EQ(noteLine(result.notes[0]), u"1行目：次の字幕と重なるため、終了時間を0:00:02.00にしました");
    // The unread caption-info file stays protected from the saves.
    EXPECT_EQ(list.unreadFile(), u"C:\\p\\字幕情報.csv");
    EXPECT_TRUE(test.ui.messages.empty());
}

TEST_F(ListImportTest, NoKeepsTheListAndAFileThatGivesNothingSaysWhy) {
    list.appendRow();
    EXPECT_FALSE(import(kSrt).imported);  // answered No
    EXPECT_EQ(list.rowCount(), 1);
    // A file that gives nothing asks nothing.
    test.ui.questions.clear();
    test.files.addFile(u"C:\\in\\字幕.txt", "これは字幕ではありません");
    EXPECT_FALSE(importIntoList(test.io, list, u"C:\\in\\字幕.txt", std::nullopt, defaultColourTable()).imported);
    EXPECT_TRUE(test.ui.questions.empty());
    EXPECT_EQ(list.rowCount(), 1);

    list.clear();
    const struct {
        std::string bytes;
        std::u16string warning;
    } failures[] = {
        {std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), u"字幕ファイルではありません（文字のファイルではありません）"},
        {"これは字幕ではありません", u"字幕ファイルの形式（SRT、WebVTT、TTML、ASS）がわかりません"},
        {"1\r\n00:00:01,000 --> 00:00:01,000\r\n短\r\n",
         u"字幕ファイルから読み込める字幕がありませんでした\n\n1行目：表示時間がないため、この字幕は読み込みませんでした"},
    };
    for (const auto& failure : failures) {
        test.ui.messages.clear();
        test.files.addFile(u"C:\\in\\字幕.txt", failure.bytes);
        EXPECT_FALSE(importIntoList(test.io, list, u"C:\\in\\字幕.txt", std::nullopt, defaultColourTable()).imported);
        ASSERT_EQ(test.ui.messages.size(), 1u);
        EXPECT_EQ(test.ui.messages[0].text, failure.warning) << toUtf8(test.ui.messages[0].text);
        EXPECT_EQ(list.rowCount(), 0);
    }
    test.ui.messages.clear();
    importIntoList(test.io, list, u"C:\\in\\ない.srt", std::nullopt, defaultColourTable());
    ASSERT_EQ(test.ui.messages.size(), 1u);
    EXPECT_EQ(test.ui.messages[0].text, kImportFileMissing);
}

// A byte no encoding reads is noted on its line, once a line.
TEST_F(ListImportTest, UnreadableBytesAreNotedOnTheirLines) {
    const ListImport result =
        import("1\r\n00:00:01,000 --> 00:00:02,000\r\n\x82\xa0\xff\xff\r\n\r\n2\n00:00:03,000 --> 00:00:04,000\n\xff\x82\xa2\n");
    ASSERT_TRUE(result.imported);
    ASSERT_EQ(result.notes.size(), 2u);
    EXPECT_EQ(noteLine(result.notes[0]), u"3行目：読めない文字を「\uFFFD」にしました");
    EXPECT_EQ(noteLine(result.notes[1]), u"7行目：読めない文字を「\uFFFD」にしました");
    EXPECT_EQ(list.fileRow(1).texts[Line1Body], u"\uFFFDい");
}

TEST(ImportLog, NotesOneALineWithTheRestCounted) {
    EXPECT_EQ(importLogText({}), u"記録はありません");
    const std::vector<ImportNote> notes{{0, u"全体"}, {3, u"三"}, {9, u"九"}};
    EXPECT_EQ(importLogText(notes), u"全体\n3行目：三\n9行目：九");
    EXPECT_EQ(importLogText(notes, 2), u"全体\n3行目：三\nほか 1件");
}

}  // namespace
}  // namespace qucap
