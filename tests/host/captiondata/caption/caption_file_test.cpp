#include "captiondata/caption/caption_file.h"

#include <gtest/gtest.h>

#include "captiondata/caption/csv_fields.h"
#include "tests/support/test_io.h"

namespace qucap {
namespace {

using test::TestIo;
using test::utf16File;

constexpr std::u16string_view kPath = u"C:\\p\\字幕情報.csv";

struct CaptionFileTest : ::testing::Test {
    TestIo t;
    CaptionTable table;

    void addFile(std::initializer_list<std::u16string_view> lines) { t.files.addFile(kPath, utf16File(lines)); }
    int readProgram() { return readCaptionInfoForProgram(t.io, kPath, table); }
    int readFilter() { return readCaptionInfoForFilter(t.io, kPath, table); }
    std::vector<int32_t> numbers() const {
        std::vector<int32_t> result;
        for (const auto& row : table)
            if (row.isCaption()) result.push_back(row.number);
        return result;
    }
    std::u16string onlyMessage() const {
        EXPECT_EQ(t.ui.messages.size(), 1u);
        return t.ui.messages.empty() ? u"" : t.ui.messages[0].text;
    }
};

TEST_F(CaptionFileTest, ProgramReadsTheSampleRowFieldByField) {
    addFile({kCaptionFileHeader, kCaptionSampleRow});
    ASSERT_EQ(readProgram(), 0);
    ASSERT_EQ(table.size(), 2u);  // one slot per line end
    const CaptionRow& row = table[0];
    EXPECT_EQ(row.number, 1);
    EXPECT_EQ(row.start, 0);
    EXPECT_EQ(row.duration, 10'000);
    EXPECT_EQ(row.orientation, u"横");
    EXPECT_EQ(row.texts[Line1Body], u"$W$kカブレン");
    EXPECT_EQ(row.texts[Line1Ruby], u"");
    EXPECT_EQ(row.texts[Line2Body], u"$W$k$C字幕付加$Wシステム");
    EXPECT_EQ(row.texts[Line2Ruby], u"字幕($W$k $Cじまく$W)付加(  $Cふか$W)");
    EXPECT_EQ(row.positions, (std::array<int32_t, 4>{76, 0, 110, 144}));
    EXPECT_EQ(row.lock, 0);
    EXPECT_FALSE(table[1].isCaption());
    EXPECT_TRUE(t.ui.messages.empty());
}

TEST_F(CaptionFileTest, SlotsFillInFileOrderAndSkipNonRows) {
    addFile({kCaptionFileHeader, u"5,0:00:01.00,1,横,a,0,,0,,0,,0,0", u"0,comment", u"-1,x", u",empty", u"word,1",
             u"2,0:00:03.00,1,縦,b,0,,0,,0,,0,7", u"3,,,,,,"});
    ASSERT_EQ(readProgram(), 0);
    EXPECT_EQ(table.size(), 8u);
    EXPECT_EQ(numbers(), (std::vector<int32_t>{5, 2, 3}));
    EXPECT_EQ(table[0].number, 5);  // numbers do not order the slots
    EXPECT_EQ(table[1].lock, 0);    // 7 is outside 0..3
    EXPECT_EQ(table[1].orientation, u"縦");
    EXPECT_EQ(table[2].start, 0);   // missing fields read as empty
    EXPECT_EQ(table[2].texts[Line1Body], u"");
}

TEST_F(CaptionFileTest, QuotesProtectCommasAndDoubleToOne) {
    addFile({kCaptionFileHeader, u"1,0,1,横,\"a,b\",0,\"say \"\"hi\"\"\",0,x\"y,0,,0,0,extra,fields"});
    ASSERT_EQ(readProgram(), 0);
    EXPECT_EQ(table[0].texts[Line1Body], u"a,b");
    EXPECT_EQ(table[0].texts[Line1Ruby], u"say \"hi\"");
    EXPECT_EQ(table[0].texts[Line2Body], u"xy,0,,0,0,extra,fields");  // a lone quote opens quotes to the end
    addFile({kCaptionFileHeader, u"1,0,1,横,x\"y\",0,a\"\"b,0,\"\",0,\"\"\"\",0,0"});
    ASSERT_EQ(readProgram(), 0);
    EXPECT_EQ(table[0].texts[Line1Body], u"xy");   // lone quotes disappear
    EXPECT_EQ(table[0].texts[Line1Ruby], u"a\"b");
    EXPECT_EQ(table[0].texts[Line2Body], u"");     // an empty quoted field
    EXPECT_EQ(table[0].texts[Line2Ruby], u"\"");  // a quoted field holding one quote
}

TEST_F(CaptionFileTest, ProgramTakesTimesWithoutChecking) {
    addFile({kCaptionFileHeader, u"1,75,abc,V,,0,,0,,0,,0,-1", u"2,09:59:59.99,5.5,横,,0,,0,,0,,0,3"});
    ASSERT_EQ(readProgram(), 0);
    EXPECT_EQ(table[0].start, 75'000);
    EXPECT_EQ(table[0].duration, 0);
    EXPECT_EQ(table[0].orientation, u"V");  // copied as read
    EXPECT_EQ(table[0].lock, 0);
    EXPECT_EQ(table[1].start, 35'999'990);  // eleven characters are still a time
    EXPECT_EQ(table[1].duration, 5'500);
    EXPECT_EQ(table[1].lock, 3);
}

TEST_F(CaptionFileTest, LoneLfAndUnterminatedLastLineAreRead) {
    t.files.addFile(kPath, "\xFF\xFE" + test::utf16Bytes(u"header\n1,0,1,横,a,0,,0,,0,,0,0\n2,0:00:02.00,1,横,b,0,,0,,0,,0,0"));
    ASSERT_EQ(readProgram(), 0);
    EXPECT_EQ(numbers(), (std::vector<int32_t>{1, 2}));
}

TEST_F(CaptionFileTest, ReadsEightBitUtf8AndBigEndianFiles) {
    t.files.addFile(kPath, "header\r\n1,0,1,\xE6\xA8\xAA,\xE5\xAD\x97,0,,0,,0,,0,0\r\n");  // UTF-8
    ASSERT_EQ(readProgram(), 0);
    EXPECT_EQ(table[0].texts[Line1Body], u"字");
    EXPECT_EQ(table[0].orientation, u"横");

    t.files.addFile(kPath, "header\r\n1,0,1,\x89\xA1,\x8E\x9A,0,,0,,0,,0,0\r\n");  // Shift-JIS
    ASSERT_EQ(readProgram(), 0);
    EXPECT_EQ(table[0].texts[Line1Body], u"字");
    EXPECT_EQ(table[0].orientation, u"横");

    std::string big = "\xFE\xFF";
    for (char16_t c : std::u16string(u"h\r\n1,0,1,横,字,0,,0,,0,,0,0\r\n")) {
        big += char(c >> 8);
        big += char(c & 0xFF);
    }
    t.files.addFile(kPath, big);
    ASSERT_EQ(readProgram(), 0);
    EXPECT_EQ(table[0].texts[Line1Body], u"字");

    // A UTF-16 file cut short in a code unit keeps every complete unit, in either byte order.
    const std::string little = utf16File({u"h", u"1,0,1,横,字,0,,0,,0,,0,0", u"2,1,1,横,b,0,,0,,0,,0,0"});
    for (const std::string& whole : {little, big}) {
        t.files.addFile(kPath, whole.substr(0, whole.size() - 1));
        table.clear();
        ASSERT_EQ(readProgram(), 0);
        EXPECT_EQ(numbers(), (whole == big ? std::vector<int32_t>{1} : std::vector<int32_t>{1, 2}));
    }
}

TEST_F(CaptionFileTest, LongFieldsAndLinesAreCut) {
    const std::u16string longText(5000, u'あ');
    addFile({kCaptionFileHeader, u"1,0,1,横," + longText});
    ASSERT_EQ(readProgram(), 0);
    EXPECT_EQ(table[0].texts[Line1Body].size(), 1023u);
    const std::u16string longLine = u"1,0,1,横,a,0,b,0,c,0,d,0," + std::u16string(4600, u'9');
    addFile({kCaptionFileHeader, longLine});
    ASSERT_EQ(readProgram(), 0);
    EXPECT_EQ(table[0].lock, 0);  // the line is cut at 4607 characters, far inside the lock field
}

TEST_F(CaptionFileTest, NoFileNamesAndMissingFiles) {
    table.resize(3);
    table[0].number = 9;
    EXPECT_EQ(readCaptionInfoForProgram(t.io, u"", table), 0);
    EXPECT_EQ(readCaptionInfoForProgram(t.io, u"設定なし", table), 0);
    EXPECT_EQ(readCaptionInfoForProgram(t.io, u"C:\\none.csv", table), -1);
    t.files.addDirectory(u"C:\\folder.csv");
    EXPECT_EQ(readCaptionInfoForProgram(t.io, u"C:\\folder.csv", table), -1);
    EXPECT_EQ(readCaptionInfoForFilter(t.io, u"設定なし", table), -1);
    EXPECT_EQ(readCaptionInfoForFilter(t.io, u"", table), -1);
    EXPECT_EQ(table.size(), 3u);  // untouched
    EXPECT_EQ(table[0].number, 9);
    EXPECT_TRUE(t.ui.messages.empty());
}

TEST_F(CaptionFileTest, OpenAndSizeFailuresShowTheirMessageWithTheDeliverablesTitle) {
    addFile({kCaptionFileHeader});
    t.files.failReading(kPath, ReadStatus::OpenFailed);
    EXPECT_EQ(readProgram(), -1);
    t.files.failReading(kPath, ReadStatus::SizeFailed);
    EXPECT_EQ(readFilter(), -1);
    ASSERT_EQ(t.ui.messages.size(), 2u);
    EXPECT_EQ(t.ui.messages[0].text, u"字幕情報ファイルの読み込みに失敗しました");
    EXPECT_EQ(t.ui.messages[0].title, u"カブレン字幕付加システム");
    EXPECT_EQ(t.ui.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(t.ui.messages[1].text, u"字幕情報ファイルのサイズ取得に失敗しました");
    EXPECT_EQ(t.ui.messages[1].title, u"カブレン字幕合成フィルタ");
}

TEST_F(CaptionFileTest, FilterAcceptsAGoodFile) {
    addFile({kCaptionFileHeader, kCaptionSampleRow, u"2,0:00:10.00,5,縦,$H太$h,0,,0,,0,,0,9", u"3,0,0,横,,0,,0,,0,,0,0",
             u"4,0:00:15.00,0,横,,0,,0,,0,,0,0"});
    EXPECT_EQ(readFilter(), 0);
    EXPECT_EQ(numbers(), (std::vector<int32_t>{1, 2, 3, 4}));
    EXPECT_EQ(table[1].lock, 0);
    EXPECT_TRUE(t.ui.messages.empty());
}

TEST_F(CaptionFileTest, FilterReportsTheFirstBadRowAndKeepsEarlierRows) {
    struct Case {
        std::u16string_view row;
        std::u16string_view message;
    };
    const Case cases[] = {
        {u"7,75,1,横,,0,,0,,0,,0,0", u"7行目の開始時間の指定に誤りがあります"},
        {u"7,0:00:00.000,1,横,,0,,0,,0,,0,0", u"7行目の開始時間の指定に誤りがあります"},
        {u"7,20,60,横,,0,,0,,0,,0,0", u"7行目の表示時間の指定に誤りがあります"},
        {u"7,0:00:11.00,1,V,,0,,0,,0,,0,0", u"7行目の縦横指定に誤りがあります"},
        {u"7,0:00:11.00,1,横,,0,,0,a$,0,,0,0", u"7行目末尾に不正な識別文字が見つかりました"},
        {u"7,0:00:11.00,1,横,,0,$X,0,,0,,0,0", u"7行目に不正な識別文字が見つかりました"},
        {u"7,0:00:09.50,1,横,,0,,0,,0,,0,0", u"7行目の開始時間の指定に誤りがあります\n0:00:10.00以降の時間を設定して下さい"},
    };
    for (const Case& c : cases) {
        t.ui.messages.clear();
        addFile({kCaptionFileHeader, kCaptionSampleRow, c.row, u"8,0:00:30.00,1,横,,0,,0,,0,,0,0"});
        EXPECT_EQ(readFilter(), -1);
        EXPECT_EQ(onlyMessage(), c.message);
        EXPECT_EQ(t.ui.messages[0].title, u"カブレン字幕合成フィルタ");
        EXPECT_EQ(numbers(), (std::vector<int32_t>{1}));
    }
}

TEST_F(CaptionFileTest, FilterOverlapSkipsUntimedRowsButComparesWithTheirEnd) {
    // A row of 0 and 0 is not checked; the row after it is compared with end 0.
    addFile({kCaptionFileHeader, u"1,0:00:05.00,0:00:03.00,横,,0,,0,,0,,0,0", u"2,0,0,横,,0,,0,,0,,0,0",
             u"3,0:00:01.00,1,横,,0,,0,,0,,0,0"});
    EXPECT_EQ(readFilter(), 0);
    // Touching ends are allowed.
    addFile({kCaptionFileHeader, u"1,0:00:05.00,0:00:03.00,横,,0,,0,,0,,0,0", u"2,0:00:08.00,1,横,,0,,0,,0,,0,0"});
    EXPECT_EQ(readFilter(), 0);
}

TEST(CaptionFields, QuotingRoundTrips) {
    EXPECT_EQ(quoteField(u"plain"), u"plain");
    EXPECT_EQ(quoteField(u"a,b"), u"\"a,b\"");
    EXPECT_EQ(quoteField(u"say \"hi\""), u"\"say \"\"hi\"\"\"");
    for (std::u16string_view field : {u"a,b", u"\"", u"\"\"", u",\",\"", u"x"}) {
        const auto fields = splitQuotedFields(u"1," + quoteField(field) + u",z", 3, 1023);
        EXPECT_EQ(fields[1], field);
        EXPECT_EQ(fields[2], u"z");
    }
}

TEST(CaptionWriter, EmptyListWritesTheHeaderAndTheSampleRow) {
    EXPECT_EQ(captionInfoBytes({}), utf16File({kCaptionFileHeader, kCaptionSampleRow}));
}

TEST(CaptionWriter, WritesRowsWithQuotingAndPositions) {
    CaptionFileRow row;
    row.number = u"1";
    row.start = u"0:00:01.00";
    row.duration = u"0:00:02.50";
    row.vertical = true;
    row.texts = {u"$Ra,b", u"", u"\"q\"", u"字幕(じまく)"};
    row.positions = {12, 0, 0, 300};
    row.lock = 1;
    EXPECT_EQ(captionInfoBytes({row}),
              utf16File({kCaptionFileHeader, u"1,0:00:01.00,0:00:02.50,縦,\"$Ra,b\",12,,0,\"\"\"q\"\"\",0,字幕(じまく),300,1"}));
}

TEST(CaptionWriter, WritesAtomicallyAndReportsFailure) {
    TestIo t;
    t.files.addDirectory(u"C:\\p");
    t.files.addFile(kPath, "old");
    t.files.failWriting(kPath);
    EXPECT_EQ(writeCaptionInfo(t.io, kPath, {}), -1);
    EXPECT_EQ(t.files.contents(kPath), "old");
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(t.ui.messages[0].text, u"字幕情報ファイルの書き込みに失敗しました");
    EXPECT_EQ(t.ui.messages[0].title, u"カブレン字幕付加システム");
    EXPECT_EQ(writeCaptionInfo(t.io, u"設定なし", {}), -1);
    EXPECT_EQ(writeCaptionInfo(t.io, u"", {}), -1);
    EXPECT_EQ(t.ui.messages.size(), 1u);
}

TEST(CaptionWriter, WrittenFileReadsBackAsTheSameRows) {
    TestIo t;
    t.files.addDirectory(u"C:\\p");
    CaptionFileRow row;
    row.number = u"1";
    row.start = u"0:01:15.00";
    row.duration = u"0:00:03.25";
    row.texts = {u"a,\"b\"", u"r", u"c", u"d"};
    row.positions = {1, 2, 3, 4};
    ASSERT_EQ(writeCaptionInfo(t.io, kPath, {row, row}), 0);
    CaptionTable table;
    ASSERT_EQ(readCaptionInfoForProgram(t.io, kPath, table), 0);
    const CaptionTable rebuilt = rebuildCaptionTable({row, row});
    ASSERT_EQ(table.size(), 3u);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(table[i].start, 75'000);
        EXPECT_EQ(table[i].duration, 3'250);
        EXPECT_EQ(table[i].texts, rebuilt[i].texts);
        EXPECT_EQ(table[i].positions, rebuilt[i].positions);
        EXPECT_EQ(table[i].orientation, u"横");
    }
}

TEST(CaptionTableLookup, FindsTheFirstRowIncludingBothEnds) {
    CaptionTable table(4);
    table[0] = {1, 1000, 2000, u"横", {}, {}, 0};
    table[1] = {0, 0, 99'999, u"横", {}, {}, 0};  // empty slot
    table[2] = {2, 2500, 1000, u"横", {}, {}, 0};
    EXPECT_EQ(findRowAtTime(table, 999), -1);
    EXPECT_EQ(findRowAtTime(table, 1000), 0);
    EXPECT_EQ(findRowAtTime(table, 3000), 0);   // end included, earlier slot wins
    EXPECT_EQ(findRowAtTime(table, 3001), 2);
    EXPECT_EQ(findRowAtTime(table, 3500), 2);
    EXPECT_EQ(findRowAtTime(table, 3501), -1);
    EXPECT_EQ(findRowAtTime({}, 0), -1);
}

}  // namespace
}  // namespace qucap
