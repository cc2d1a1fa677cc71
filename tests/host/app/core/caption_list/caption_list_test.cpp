#include "app/core/caption_list/caption_list.h"

#include <gtest/gtest.h>

#include "app/core/caption_list/caption_columns.h"
#include "tests/support/recording_ui.h"

namespace qucap {
namespace {

using test::RecordingUi;

WorkingRow rowWith(std::u16string start, std::u16string duration, std::u16string body1, std::u16string body2 = {}) {
    WorkingRow row;
    row.start = std::move(start);
    row.duration = std::move(duration);
    row.texts[Line1Body] = body1;
    row.plainTexts[Line1Body] = body1;
    row.texts[Line2Body] = body2;
    row.plainTexts[Line2Body] = body2;
    return row;
}

// A list of rows with the given line-1 bodies.
CaptionList listOf(std::initializer_list<std::u16string> bodies) {
    CaptionList list;
    for (const auto& body : bodies) {
        WorkingRow row = rowWith(u"0:00:00.00", u"0:00:00.00", body);
        list.writeRow(list.appendRow(), row);
    }
    return list;
}

std::vector<std::u16string> column(const CaptionList& list, int col) {
    std::vector<std::u16string> values;
    for (int i = 0; i < list.rowCount(); ++i) values.push_back(list.cell(i, col));
    return values;
}

using Texts = std::vector<std::u16string>;

TEST(CaptionColumns, TitlesAlignmentAndWidths) {
    EXPECT_EQ(kCaptionColumns[0].title, u"行");
    EXPECT_EQ(kCaptionColumns[24].title, u"表示位置ロックバックアップ");
    EXPECT_EQ(kCaptionColumns[1].align, ColumnAlign::Centre);
    EXPECT_EQ(kCaptionColumns[5].align, ColumnAlign::Right);
    EXPECT_EQ(kCaptionColumns[9].align, ColumnAlign::Left);

    // W = 959 - 359 = 600: the shared columns take 9, 6, 9 and 6 thirtieths.
    const std::array<int, kCaptionColumnCount> wide = {35, 60, 60, 36, 0, 36, 180, 0, 36, 120, 0, 36, 180,
                                                       0,  36, 120, 0, 0,  0,  0,   0, 0,  0,   0, 0};
    EXPECT_EQ(captionColumnWidths(959), wide);
    // W = 41: 12.3 and 8.2 pixels truncate.
    const auto narrow = captionColumnWidths(400);
    EXPECT_EQ(narrow[6], 12);
    EXPECT_EQ(narrow[9], 8);
    EXPECT_EQ(narrow[0], 35);
    // Narrower than the fixed columns: the shared ones shrink to nothing.
    EXPECT_EQ(captionColumnWidths(300)[12], 0);
}

TEST(CaptionList, AppendInsertAndRenumber) {
    CaptionList list;
    EXPECT_EQ(list.appendRow(), 0);
    EXPECT_EQ(list.selection(), 0);
    EXPECT_EQ(list.cell(0, ColNumber), u"1");
    EXPECT_EQ(list.cell(0, ColStart), u"0:00:00.00");
    EXPECT_EQ(list.cell(0, ColDuration), u"0:00:00.00");
    EXPECT_EQ(list.cell(0, ColOrientation), u"横");
    for (int col = 4; col < kCaptionColumnCount; ++col) EXPECT_EQ(list.cell(0, col), u"") << col;

    list = listOf({u"a", u"b", u"c", u"d", u"e"});
    list.select(2);
    EXPECT_EQ(list.insertRowAtSelection(), 2);
    EXPECT_EQ(list.rowCount(), 6);
    EXPECT_EQ(column(list, ColNumber), (Texts{u"1", u"2", u"3", u"4", u"5", u"6"}));
    EXPECT_EQ(column(list, kMarkupColumns[Line1Body]), (Texts{u"a", u"b", u"", u"c", u"d", u"e"}));
    EXPECT_EQ(list.selection(), 2);

    list.clearSelection();
    EXPECT_EQ(list.insertRowAtSelection(), -1);
    EXPECT_EQ(list.rowCount(), 6);
}

TEST(CaptionList, DeleteAsksWithTheRowNumber) {
    RecordingUi ui;
    CaptionList list = listOf({u"a", u"b", u"c"});
    list.rebuildCaptionTable();
    list.select(1);
    EXPECT_FALSE(list.deleteSelectedRow(ui));  // No is the default answer
    ASSERT_EQ(ui.questions.size(), 1u);
    EXPECT_EQ(ui.questions[0].text, u"2行目を削除しますか？");
    EXPECT_EQ(ui.questions[0].title, u"カブレン字幕付加システム");
    EXPECT_EQ(list.rowCount(), 3);
    EXPECT_EQ(list.selection(), 1);

    ui.answers.push_back(true);
    EXPECT_TRUE(list.deleteSelectedRow(ui));
    EXPECT_EQ(column(list, ColNumber), (Texts{u"1", u"2"}));
    EXPECT_EQ(column(list, kMarkupColumns[Line1Body]), (Texts{u"a", u"c"}));
    EXPECT_EQ(list.selection(), -1);
    ASSERT_EQ(list.captionTable().size(), 2u);
    EXPECT_EQ(list.captionTable()[1].texts[Line1Body], u"c");

    EXPECT_FALSE(list.deleteSelectedRow(ui));  // nothing selected: no question
    EXPECT_EQ(ui.questions.size(), 2u);
}

TEST(CaptionList, WriteRowFillsColumnsAndEmptiesUnusedPositions) {
    CaptionList list;
    list.appendRow();
    WorkingRow row = rowWith(u"", u"", u"$Rあ");
    row.plainTexts[Line1Body] = u"あ";
    row.vertical = true;
    row.positions = {12345, 77, -5, 9};  // line-1 ruby and line-2 texts are empty
    row.texts[Line2Ruby] = u"る";
    row.plainTexts[Line2Ruby] = std::u16string(300, u'x');
    list.writeRow(0, row);
    EXPECT_EQ(row.start, u"0:00:00.00");  // replaced in the working row too
    EXPECT_EQ(row.duration, u"0:00:00.00");
    EXPECT_EQ(list.cell(0, ColStart), u"0:00:00.00");
    EXPECT_EQ(list.cell(0, ColOrientation), u"縦");
    EXPECT_EQ(list.cell(0, 4), u"$Rあ");
    EXPECT_EQ(list.cell(0, 5), u"1234");  // at most 4 characters
    EXPECT_EQ(list.cell(0, 6), u"あ");
    EXPECT_EQ(list.cell(0, 8), u"");  // text empty: position not shown
    EXPECT_EQ(list.cell(0, 11), u"");
    EXPECT_EQ(list.cell(0, 14), u"9");
    EXPECT_EQ(list.cell(0, 15).size(), 255u);
    EXPECT_EQ(list.cell(0, ColNumber), u"1");  // column 0 is not written

    WorkingRow back;
    list.readRow(0, back);
    EXPECT_EQ(back.number, 1);
    EXPECT_TRUE(back.vertical);
    EXPECT_EQ(back.positions, (PositionSet{1234, 0, 0, 9}));
    EXPECT_EQ(back.texts[Line2Ruby], u"る");
    EXPECT_EQ(back.plainTexts[Line1Body], u"あ");

    // Anything but "縦" reads as horizontal.
    list.setCell(0, ColOrientation, u"V");
    list.readRow(0, back);
    EXPECT_FALSE(back.vertical);
}

TEST(CaptionList, LockColumnKeepsOnlyOneOrZero) {
    CaptionList list = listOf({u"a"});
    WorkingRow row;
    row.lock = 5;
    list.readLock(0, row);
    EXPECT_EQ(row.lock, 0);  // empty column reads 0
    for (int lock : {0, 1, 2, 3}) {
        row.lock = lock;
        list.writeLock(0, row);
        EXPECT_EQ(list.cell(0, ColLock), lock == 1 ? u"1" : u"0");
    }
}

TEST(CaptionList, OutOfRangeIndexesChangeNothing) {
    CaptionList list = listOf({u"a"});
    WorkingRow row = rowWith(u"1", u"2", u"keep");
    list.readRow(3, row);
    list.readRow(-1, row);
    EXPECT_EQ(row.texts[Line1Body], u"keep");
    list.writeRow(1, row);
    list.setCell(0, 25, u"x");
    EXPECT_EQ(list.rowCount(), 1);
    EXPECT_EQ(list.cell(5, 0), u"");
    EXPECT_EQ(list.cell(0, -1), u"");
    list.select(4);
    EXPECT_EQ(list.selection(), -1);
}

TEST(CaptionList, FillFromTableShowsCaptionFormAndPlainTexts) {
    CaptionTable table(4);
    table[0].number = 5;  // list numbers follow positions, not the file
    table[0].start = 75'000;
    table[0].duration = 1'234;
    table[0].orientation = u"縦";
    table[0].texts = {u"$R字$$幕", u"", u"", u"る"};
    table[0].positions = {10, 20, 30, 40};
    table[0].lock = 2;
    table[2].number = 1;
    table[2].start = -1;  // no text form: shown as zero
    table[2].orientation = u"V";
    table[2].texts[Line1Body] = u"$H" + std::u16string(300, u'あ');
    table[2].lock = 1;
    CaptionList list = listOf({u"old"});
    list.select(0);

    list.fillFrom(table);
    ASSERT_EQ(list.rowCount(), 2);
    EXPECT_EQ(list.selection(), -1);
    EXPECT_EQ(column(list, ColNumber), (Texts{u"1", u"2"}));
    EXPECT_EQ(column(list, ColStart), (Texts{u"0:01:15.00", u"0:00:00.00"}));
    EXPECT_EQ(column(list, ColDuration), (Texts{u"0:00:01.23", u"0:00:00.00"}));
    EXPECT_EQ(column(list, ColOrientation), (Texts{u"縦", u"横"}));
    EXPECT_EQ(list.cell(0, 4), u"$R字$$幕");
    EXPECT_EQ(list.cell(0, 6), u"字$幕");
    EXPECT_EQ(list.cell(0, 8), u"");  // empty ruby: position hidden
    EXPECT_EQ(list.cell(0, 14), u"40");
    EXPECT_EQ(list.cell(1, 6), std::u16string(255, u'あ'));
    EXPECT_EQ(column(list, ColLock), (Texts{u"0", u"1"}));

    // The caption table is rebuilt from what the list shows.
    const CaptionTable& rebuilt = list.captionTable();
    ASSERT_EQ(rebuilt.size(), 2u);
    EXPECT_EQ(rebuilt[0].number, 1);
    EXPECT_EQ(rebuilt[0].start, 75'000);
    EXPECT_EQ(rebuilt[0].duration, 1'230);
    EXPECT_EQ(rebuilt[0].positions, (PositionSet{10, 0, 0, 40}));
    EXPECT_EQ(rebuilt[0].lock, 0);
    EXPECT_EQ(rebuilt[1].orientation, u"横");
    EXPECT_EQ(rebuilt[1].lock, 1);
}

TEST(CaptionList, FileRowsReadTheListBack) {
    CaptionList list = listOf({u"a", u""});
    list.setCell(1, kPositionColumns[Line1Body], u"");
    list.setCell(0, kPositionColumns[Line1Body], u"76");
    list.setCell(0, ColLock, u"1");
    const auto rows = list.fileRows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].number, u"1");
    EXPECT_EQ(rows[0].start, u"0:00:00.00");
    EXPECT_EQ(rows[0].texts[Line1Body], u"a");
    EXPECT_EQ(rows[0].positions[Line1Body], 76);
    EXPECT_EQ(rows[0].lock, 1);
    EXPECT_EQ(rows[1].positions[Line1Body], 0);
    EXPECT_EQ(rows[1].lock, 0);
}

TEST(CaptionList, BackupAndRestoreTimesAndPositions) {
    CaptionList list = listOf({u"a"});
    WorkingRow row = rowWith(u"0:00:01.00", u"0:00:02.00", u"a");
    row.vertical = true;
    row.positions = {11, 0, 0, 0};
    row.lock = 1;
    list.writeRow(0, row);
    list.writeLock(0, row);
    list.backupTimes(0);
    list.backupPositions(0);
    EXPECT_EQ(list.cell(0, ColStartBackup), u"0:00:01.00");
    EXPECT_EQ(list.cell(0, ColDurationBackup), u"0:00:02.00");
    EXPECT_EQ(list.cell(0, 18), u"11");
    EXPECT_EQ(list.cell(0, ColOrientationBackup), u"縦");
    EXPECT_EQ(list.cell(0, ColLockBackup), u"1");

    row = rowWith(u"0:00:09.00", u"0:00:09.00", u"a");
    row.positions = {99, 0, 0, 0};
    list.writeRow(0, row);
    list.writeLock(0, row);
    list.restoreTimes(0);
    EXPECT_EQ(list.cell(0, ColStart), u"0:00:01.00");
    EXPECT_EQ(list.cell(0, ColDuration), u"0:00:02.00");
    EXPECT_EQ(list.cell(0, 5), u"99");  // positions untouched by the time restore
    EXPECT_TRUE(list.restorePositions(0));
    EXPECT_EQ(list.cell(0, 5), u"11");
    EXPECT_EQ(list.cell(0, ColOrientation), u"縦");
    EXPECT_EQ(list.cell(0, ColLock), u"1");
}

TEST(CaptionList, FindNextUntimedRow) {
    CaptionList list = listOf({u"a", u"b", u"c", u"d"});
    list.setCell(0, ColDuration, u"0:00:01.00");
    list.setCell(1, ColDuration, u"0:00:00.00");
    list.setCell(2, ColDuration, u"2.5");
    list.setCell(3, ColDuration, u"x");  // unreadable parses as 0
    EXPECT_EQ(list.findNextUntimedRow(-1), 1);
    EXPECT_EQ(list.findNextUntimedRow(1), 3);
    EXPECT_EQ(list.findNextUntimedRow(3), -1);
    EXPECT_EQ(CaptionList().findNextUntimedRow(-1), -1);
}

// Default positions that stand for the computation: 100 + text index (+ 500
// for vertical rows) for non-empty texts; the swap exchanges the pair.
struct FakeRules {
    int swaps = 0;
    DefaultPositionRules rules() {
        return {[](const WorkingRow& row) {
                    PositionSet set{};
                    for (int i = 0; i < kTextCount; ++i)
                        set[i] = row.texts[i].empty() ? 0 : 100 + i + (row.vertical ? 500 : 0);
                    return set;
                },
                [this](const WorkingRow&, DefaultPositionRules::Line2 pair) {
                    ++swaps;
                    return DefaultPositionRules::Line2{pair.ruby, pair.body};
                }};
    }
};

// Adds a row with all four texts, the given positions, orientation and lock.
void addPositionedRow(CaptionList& list, PositionSet positions, bool vertical = false, int32_t lock = 0) {
    WorkingRow row = rowWith(u"0:00:00.00", u"0:00:00.00", u"a", u"c");
    row.texts[Line1Ruby] = u"b";
    row.texts[Line2Ruby] = u"d";
    row.positions = positions;
    row.vertical = vertical;
    row.lock = lock;
    const int index = list.appendRow();
    list.writeRow(index, row);
    list.writeLock(index, row);
}

PositionSet positionsOf(const CaptionList& list, int index) {
    WorkingRow row;
    list.readRow(index, row);
    return row.positions;
}

TEST(CaptionList, DefaultPositionsFillUnsetOnly) {
    CaptionList list;
    addPositionedRow(list, {0, 5, 0, 7}, false, 1);
    FakeRules fake;
    list.applyDefaultPositions(DefaultPositionMode::FillUnset, fake.rules());
    EXPECT_EQ(positionsOf(list, 0), (PositionSet{100, 5, 102, 7}));  // locked rows are filled too
    EXPECT_EQ(list.cell(0, ColLock), u"1");
    EXPECT_EQ(list.captionTable()[0].positions, (PositionSet{100, 5, 102, 7}));
}

TEST(CaptionList, DefaultPositionsRecomputeUnlockedRows) {
    CaptionList list;
    addPositionedRow(list, {1, 2, 3, 4}, false, 1);
    addPositionedRow(list, {1, 2, 3, 4}, true, 0);
    FakeRules fake;
    list.applyDefaultPositions(DefaultPositionMode::RecomputeUnlocked, fake.rules());
    EXPECT_EQ(positionsOf(list, 0), (PositionSet{1, 2, 3, 4}));
    EXPECT_EQ(positionsOf(list, 1), (PositionSet{600, 601, 602, 603}));
    EXPECT_EQ(list.cell(0, ColLock), u"1");
    EXPECT_EQ(fake.swaps, 0);
}

TEST(CaptionList, DefaultPositionsForAllRowsKeepSwappedLine2) {
    CaptionList list;
    addPositionedRow(list, {1, 2, 5, 5}, false, 1);  // p = q
    addPositionedRow(list, {1, 2, 9, 3}, false);     // q < p, horizontal: swapped
    addPositionedRow(list, {1, 2, 9, 0}, false);     // q < p with q = 0: plain
    addPositionedRow(list, {1, 2, 9, 3}, true);      // q < p, vertical: plain
    addPositionedRow(list, {1, 2, 3, 9}, true, 1);   // q > p, vertical: swapped
    addPositionedRow(list, {1, 2, 3, 9}, false);     // q > p, horizontal: plain
    FakeRules fake;
    list.applyDefaultPositions(DefaultPositionMode::RecomputeAll, fake.rules());
    EXPECT_EQ(positionsOf(list, 0), (PositionSet{100, 101, 102, 103}));
    EXPECT_EQ(positionsOf(list, 1), (PositionSet{100, 101, 103, 102}));
    EXPECT_EQ(positionsOf(list, 2), (PositionSet{100, 101, 102, 103}));
    EXPECT_EQ(positionsOf(list, 3), (PositionSet{600, 601, 602, 603}));
    EXPECT_EQ(positionsOf(list, 4), (PositionSet{600, 601, 603, 602}));
    EXPECT_EQ(positionsOf(list, 5), (PositionSet{100, 101, 102, 103}));
    EXPECT_EQ(fake.swaps, 2);
    EXPECT_EQ(column(list, ColLock), (Texts(6, u"0")));
    EXPECT_EQ(list.captionTable()[1].positions, (PositionSet{100, 101, 103, 102}));
    EXPECT_EQ(list.captionTable()[4].lock, 0);
}

}  // namespace
}  // namespace qucap
