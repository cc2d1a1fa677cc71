#include <gtest/gtest.h>

#include "captiondata/box/box_info.h"
#include "captiondata/text/u16.h"
#include "tests/support/test_io.h"

namespace qucap {

// Readable failure output.
static void PrintTo(const BoxRect& r, std::ostream* out) {
    *out << "{" << r.x << ", " << r.y << ", " << r.width << ", " << r.height << "}";
}
static void PrintTo(const BoxRow& r, std::ostream* out) {
    *out << "row " << r.number << " frames " << r.startFrame << "-" << r.endFrame << " times " << r.startTime << "-"
         << r.endTime << " boxes ";
    PrintTo(r.boxes[0], out);
    PrintTo(r.boxes[1], out);
    *out << " colour " << toUtf8(r.colour) << " transparency " << r.transparency;
}

namespace {

using namespace std::string_literals;
using test::TestIo;
using test::utf16File;

constexpr std::u16string_view kFolder = u"C:\\Users\\user\\Documents\\p";
constexpr std::u16string_view kPath = u"C:\\Users\\user\\Documents\\p\\p-枠.csv";
constexpr std::u16string_view kHeader =
    u"0,開始フレーム,開始時間,終了フレーム,終了時間,Ｘ位置,Ｙ位置,幅,高さ,Ｘ位置,Ｙ位置,幅,高さ,色,透明度";
constexpr int64_t kNtscFrame = 333'667;  // 29.97 frames per second, in 100-ns units

BoxRow row(int32_t number, int32_t startFrame, int32_t endFrame, BoxRect box1, BoxRect box2,
           std::u16string colour, int32_t transparency) {
    BoxRow r;
    r.number = number;
    r.startFrame = startFrame;
    r.endFrame = endFrame;
    r.boxes = {box1, box2};
    r.colour = std::move(colour);
    r.transparency = transparency;
    return r;
}

BoxTable readFor(Deliverable who, TestIo& t, const std::string& bytes) {
    t.files.addFile(kPath, bytes);
    BoxTable table;
    const int result = who == Deliverable::Program ? readBoxInfoForProgram(t.io, kPath, table)
                                                   : readBoxInfoForFilter(t.io, kPath, table);
    EXPECT_EQ(result, 0);
    return table;
}

TEST(BoxRead, ProgramKeepsTimesZeroAndFilterParsesThem) {
    const std::string bytes = utf16File({kHeader, u"1,31,0:00:01.00,90,0:00:02.97,10,20,30,40,50,60,70,80,白,32",
                                         u"2,100,3.5,200,1:00:00.00,1,2,3,4,0,0,0,0,赤,64"});
    TestIo t;
    const BoxTable program = readFor(Deliverable::Program, t, bytes);
    ASSERT_EQ(program.size(), 2u);
    EXPECT_EQ(program[0], row(1, 31, 90, {10, 20, 30, 40}, {50, 60, 70, 80}, u"白", 32));
    EXPECT_EQ(program[1], row(2, 100, 200, {1, 2, 3, 4}, {}, u"赤", 64));

    const BoxTable filter = readFor(Deliverable::Filter, t, bytes);
    ASSERT_EQ(filter.size(), 2u);
    EXPECT_EQ(filter[0].startTime, 1'000);
    EXPECT_EQ(filter[0].endTime, 2'970);
    EXPECT_EQ(filter[1].startTime, 3'500);
    EXPECT_EQ(filter[1].endTime, 3'600'000);
    BoxRow withoutTimes = filter[0];
    withoutTimes.startTime = withoutTimes.endTime = 0;
    EXPECT_EQ(withoutTimes, program[0]);
}

TEST(BoxRead, TimeFieldsLongerThanElevenCharactersReadAsZero) {
    TestIo t;
    const BoxTable filter = readFor(Deliverable::Filter, t,
                                    utf16File({u"1,1,00:00:01.000,2,0:00:01.001,1,1,1,1,0,0,0,0,黒,1"}));
    ASSERT_EQ(filter.size(), 1u);
    EXPECT_EQ(filter[0].startTime, 0);      // 12 characters
    EXPECT_EQ(filter[0].endTime, 1'001);  // 11 characters
}

TEST(BoxRead, HeaderOnlyAndSkippedRowsGiveNoSlots) {
    TestIo t;
    EXPECT_TRUE(readFor(Deliverable::Program, t, utf16File({kHeader})).empty());
    EXPECT_TRUE(readFor(Deliverable::Filter, t, utf16File({kHeader})).empty());

    const BoxTable table = readFor(Deliverable::Program, t,
                                   utf16File({kHeader, u"0,1,,2", u"-1,1,,2", u"memo,1,,2", u"", u"7,5", u" 3x,6"}));
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table[0], row(7, 5, 0, {}, {}, u"", 0));  // missing fields read as 0 and empty
    EXPECT_EQ(table[1].number, 3);
    EXPECT_EQ(table[1].startFrame, 6);
}

// A picture's bytes are no box rows, even where a line of them starts with
// a number: neither reader draws boxes from them.
TEST(BoxRead, BytesThatAreNoTextGiveNoRows) {
    TestIo t;
    const std::string picture("\x89PNG\r\n\x1A\n1,1,\0,9,\x01,1,1,50,50,0,0,0,0,黒,64\r\n", 44);
    EXPECT_TRUE(readFor(Deliverable::Program, t, picture).empty());
    EXPECT_TRUE(readFor(Deliverable::Filter, t, picture).empty());
}

TEST(BoxRead, CutsColourWordLongLinesAndFieldsBeyondTheFifteenth) {
    TestIo t;
    auto padded = [](std::u16string_view digits) { return std::u16string(digits) + std::u16string(61, u'x'); };
    // Box-1 height straddles the 255th character: "45" is read, the "6" after it is not.
    std::u16string longRow = u"1,1,,2,," + padded(u"10") + u"," + padded(u"20") + u"," + padded(u"30") + u"," +
                             std::u16string(53, u' ') + u"456";
    longRow += std::u16string(300 - longRow.size(), u'9');
    ASSERT_EQ(longRow.size(), 300u);
    // A field keeps 63 characters: 62 spaces and the "7".
    const std::u16string longField = u"2," + std::u16string(62, u' ') + u"78,,9";
    const BoxTable table = readFor(Deliverable::Program, t,
                                   utf16File({u"3,1,,2,,1,1,1,1,0,0,0,0,黒色です,16,99,extra,text", longRow, longField}));
    ASSERT_EQ(table.size(), 3u);
    EXPECT_EQ(table[0].colour, u"黒色");
    EXPECT_EQ(table[0].transparency, 16);
    EXPECT_EQ(table[1].boxes[0], (BoxRect{10, 20, 30, 45}));
    EXPECT_EQ(table[2].startFrame, 7);
    EXPECT_EQ(table[2].endFrame, 9);
}

TEST(BoxRead, AcceptsUtf16BigEndianUtf8AndShiftJis) {
    const std::u16string row16 = u"1,1,0:00:01.00,301,0:00:10.01,210,70,300,100,0,0,0,0,黒,16\r\n";
    std::string bigEndian = "\xFE\xFF"s;
    for (const char16_t c : row16) {
        bigEndian += char(c >> 8);
        bigEndian += char(c & 0xFF);
    }
    const std::string ascii = "1,1,0:00:01.00,301,0:00:10.01,210,70,300,100,0,0,0,0,";
    const std::pair<const char*, std::string> inputs[] = {
        {"UTF-16BE", bigEndian},
        {"UTF-8", ascii + "\xE9\xBB\x92,16\r\n"},
        {"Shift-JIS", ascii + "\x8D\x95,16\r\n"},
    };
    for (const auto& [what, bytes] : inputs) {
        TestIo t;
        const BoxTable table = readFor(Deliverable::Filter, t, bytes);
        ASSERT_EQ(table.size(), 1u) << what;
        EXPECT_EQ(table[0].colour, u"黒") << what;
        EXPECT_EQ(table[0].endTime, 10'010) << what;
        EXPECT_EQ(table[0].boxes[0], (BoxRect{210, 70, 300, 100})) << what;
    }
}

TEST(BoxRead, NoFileNameMissingFileOrFolder) {
    TestIo t;
    t.files.addDirectory(u"C:\\dir");
    BoxTable kept = {row(1, 1, 2, {}, {}, u"黒", 1)};
    EXPECT_EQ(readBoxInfoForProgram(t.io, u"設定なし", kept), 0);
    EXPECT_EQ(readBoxInfoForProgram(t.io, u"", kept), 0);
    EXPECT_EQ(readBoxInfoForProgram(t.io, kPath, kept), -1);
    EXPECT_EQ(readBoxInfoForProgram(t.io, u"C:\\dir", kept), -1);
    for (auto path : {u"設定なし", u"", kPath.data(), u"C:\\dir"})
        EXPECT_EQ(readBoxInfoForFilter(t.io, path, kept), -1);
    EXPECT_EQ(kept.size(), 1u);
    EXPECT_TRUE(t.ui.messages.empty());
}

TEST(BoxRead, ReadFailuresShowTheirMessagesWithEachDeliverablesTitle) {
    struct Case {
        ReadStatus status;
        std::u16string_view message;
    };
    const Case cases[] = {
        {ReadStatus::OpenFailed, u"枠情報ファイルの読み込みに失敗しました"},
        {ReadStatus::SizeFailed, u"枠情報ファイルのサイズ取得に失敗しました"},
    };
    for (const auto& c : cases) {
        TestIo t;
        t.files.addFile(kPath, utf16File({kHeader, u"1,1,,2"}));
        t.files.failReading(kPath, c.status);
        BoxTable kept = {row(9, 1, 2, {}, {}, u"黒", 1)};
        EXPECT_EQ(readBoxInfoForProgram(t.io, kPath, kept), -1);
        EXPECT_EQ(readBoxInfoForFilter(t.io, kPath, kept), -1);
        ASSERT_EQ(kept.size(), 1u);
        EXPECT_EQ(kept[0].number, 9);
        ASSERT_EQ(t.ui.messages.size(), 2u);
        EXPECT_EQ(t.ui.messages[0].text, c.message);
        EXPECT_EQ(t.ui.messages[0].title, u"カブレン字幕付加システム");
        EXPECT_EQ(t.ui.messages[1].text, c.message);
        EXPECT_EQ(t.ui.messages[1].title, u"カブレン字幕合成フィルタ");
        EXPECT_EQ(t.ui.messages[1].icon, MessageIcon::Warning);
    }
}

TEST(BoxTimes, FrameTimesUseTheFrameDurationIn64Bits) {
    EXPECT_EQ(frameTime(1, kNtscFrame), 0);
    EXPECT_EQ(frameTime(301, kNtscFrame), 10'010);
    EXPECT_EQ(frameTime(2, kNtscFrame), 33);
    EXPECT_EQ(frameTime(100'000, kNtscFrame), 3'336'636);  // (frame - 1) x duration exceeds 32 bits
    EXPECT_EQ(frameTime(26, 400'000), 1'000);               // 25 frames per second
    EXPECT_EQ(frameTime(0, kNtscFrame), 0);                 // never negative
    EXPECT_EQ(frameTime(INT32_MAX, 10'000'000), INT32_MAX);
    EXPECT_EQ(frameTime(301, 0), 0);  // no movie known
}

TEST(BoxWrite, RowsWithTimesFromTheirFrames) {
    TestIo t;
    t.files.addDirectory(kFolder);
    const std::vector<BoxRow> rows = {row(1, 1, 301, {210, 70, 300, 100}, {}, u"黒", 16),
                                      row(2, 302, 1000, {1, 2, 3, 4}, {5, 6, 7, 8}, u"水", 64)};
    EXPECT_EQ(writeBoxInfo(t.io, kPath, rows, {kNtscFrame, 720}), 0);
    EXPECT_EQ(t.files.contents(kPath),
              utf16File({kHeader, u"1,1,0:00:00.00,301,0:00:10.01,210,70,300,100,0,0,0,0,黒,16",
                         u"2,302,0:00:10.04,1000,0:00:33.33,1,2,3,4,5,6,7,8,水,64"}));
    EXPECT_TRUE(t.ui.messages.empty());
}

TEST(BoxWrite, EmptyListWritesSampleRowOnlyForNewFile) {
    TestIo t;
    t.files.addDirectory(kFolder);
    EXPECT_EQ(writeBoxInfo(t.io, kPath, {}, {kNtscFrame, 720}), 0);
    const std::string sample = utf16File({kHeader, u"1,1,0:00:00.00,301,0:00:10.01,210,70,300,100,0,0,0,0,黒,16"});
    EXPECT_EQ(t.files.contents(kPath), sample);
    EXPECT_EQ(writeBoxInfo(t.io, kPath, {}, {kNtscFrame, 720}), 0);
    EXPECT_EQ(t.files.contents(kPath), utf16File({kHeader}));

    // The sample row reads back as the program's first box row.
    BoxTable table;
    EXPECT_EQ(readBoxInfoForProgram(t.io, kPath, table), 0);
    EXPECT_TRUE(table.empty());
    t.files.addFile(kPath, sample);
    EXPECT_EQ(readBoxInfoForProgram(t.io, kPath, table), 0);
    ASSERT_EQ(table.size(), 1u);
    EXPECT_EQ(table[0], row(1, 1, 301, {210, 70, 300, 100}, {}, u"黒", 16));
}

TEST(BoxWrite, SampleRowCentresTheBoxWithTruncatingDivision) {
    EXPECT_EQ(boxSampleRow(720), u"1,1,0:00:00.00,301,0:00:10.01,210,70,300,100,0,0,0,0,黒,16");
    EXPECT_EQ(boxSampleRow(641), u"1,1,0:00:00.00,301,0:00:10.01,170,70,300,100,0,0,0,0,黒,16");
    EXPECT_EQ(boxSampleRow(1), u"1,1,0:00:00.00,301,0:00:10.01,-149,70,300,100,0,0,0,0,黒,16");
}

TEST(BoxWrite, FailedWriteShowsMessageAndKeepsOldFile) {
    TestIo t;
    t.files.addDirectory(kFolder);
    t.files.addFile(kPath, "old");
    t.files.failWriting(kPath);
    EXPECT_EQ(writeBoxInfo(t.io, kPath, {}, {kNtscFrame, 720}), -1);
    EXPECT_EQ(t.files.contents(kPath), "old");
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(t.ui.messages[0].text, u"枠情報ファイルの書き込みに失敗しました");
    EXPECT_EQ(t.ui.messages[0].title, u"カブレン字幕付加システム");
    EXPECT_EQ(t.ui.messages[0].icon, MessageIcon::Warning);
}

TEST(BoxWrite, NoFileNameWritesNothing) {
    TestIo t;
    EXPECT_EQ(writeBoxInfo(t.io, u"設定なし", {}, {kNtscFrame, 720}), -1);
    EXPECT_EQ(writeBoxInfo(t.io, u"", {}, {kNtscFrame, 720}), -1);
    EXPECT_EQ(t.files.writeCount(), 0);
    EXPECT_TRUE(t.ui.messages.empty());
}

TEST(BoxCells, EmptyCellsTakeTheirDefaults) {
    BoxListCells cells;
    cells[BoxNumberField] = u"4";
    EXPECT_EQ(boxRowFromCells(cells), row(4, 1, 1, {1, 1, 1, 1}, {0, 0, 0, 0}, u"", 0));

    cells = {u"2", u"10", u"", u"20", u"", u"0", u"5", u"6", u"7", u"8", u"9", u"10", u"11", u"緑", u"40"};
    EXPECT_EQ(boxRowFromCells(cells), row(2, 10, 20, {0, 5, 6, 7}, {8, 9, 10, 11}, u"緑", 40));
}

TEST(BoxCells, ListCellsRoundTripWithEmptyTimes) {
    BoxRow shown = row(3, 5, 60, {1, 2, 3, 4}, {0, 0, 0, 0}, u"桃", 12);
    shown.startTime = 99;  // times are not shown in the list
    const BoxListCells cells = boxListCellsOf(shown);
    EXPECT_EQ(cells, (BoxListCells{u"3", u"5", u"", u"60", u"", u"1", u"2", u"3", u"4", u"0", u"0", u"0", u"0",
                                   u"桃", u"12"}));
    shown.startTime = 0;
    EXPECT_EQ(boxRowFromCells(cells), shown);
}

}  // namespace
}  // namespace qucap
