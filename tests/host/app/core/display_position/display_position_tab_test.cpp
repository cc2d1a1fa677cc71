// The display-position tab's model: the selected row's edits and commits,
// the range move, the all-rows default and the one-level undo over the
// caption list.
#include "app/core/display_position/position_tab.h"

#include <gtest/gtest.h>

#include "app/core/caption_list/caption_columns.h"
#include "tests/support/recording_ui.h"

namespace qucap {
namespace {

using test::RecordingUi;

PositionSettings frame720() {
    PositionSettings s;
    s.frameWidth = 720;
    s.frameHeight = 480;
    s.mainFont = u"ＭＳ ゴシック";
    s.rubyFont = u"ＭＳ ゴシック";
    return s;
}

constexpr PositionSet kHorizontalDefaults = {376, 358, 410, 444};
constexpr PositionSet kVerticalDefaults = {650, 684, 616, 598};

class PositionTabTest : public ::testing::Test {
protected:
    // Appends a row with all four texts.
    int addRow(PositionSet positions, bool vertical = false, int32_t lock = 0) {
        WorkingRow row;
        row.texts = {u"本文", u"ほんぶん", u"二行目", u"にぎょうめ"};
        row.plainTexts = row.texts;
        row.positions = positions;
        row.vertical = vertical;
        row.lock = lock;
        const int index = list.appendRow();
        list.writeRow(index, row);
        list.writeLock(index, row);
        list.clearSelection();
        return index;
    }
    PositionSet positionsOf(int index) const {
        WorkingRow row;
        list.readRow(index, row);
        return row.positions;
    }
    bool hasUndoCopy(int index) const { return !list.cell(index, ColOrientationBackup).empty(); }

    CaptionList list;
    RecordingUi ui;
    PositionTab tab{list, ui, frame720};
};

TEST_F(PositionTabTest, TypedAndScrolledPositionsAreKeptInTheFrameWhenCommitted) {
    addRow({300, 280, 340, 380});
    tab.loadRow(0);
    tab.typePosition(Line1Body, u"0");
    tab.typePosition(Line1Ruby, u"99999");
    tab.typePosition(Line2Body, u"");
    EXPECT_EQ(tab.scroll(Line2Ruby, ScrollStep::LineBack), 379);
    EXPECT_EQ(tab.scroll(Line2Ruby, ScrollStep::PageForward), 389);
    EXPECT_EQ(tab.scroll(Line2Ruby, ScrollStep::PageBack), 379);
    EXPECT_EQ(tab.scroll(Line2Ruby, ScrollStep::LineForward), 380);
    tab.commit(false);
    EXPECT_EQ(positionsOf(0), (PositionSet{1, 465, 1, 380}));
    EXPECT_EQ(list.captionTable()[0].positions, (PositionSet{1, 465, 1, 380}));
    EXPECT_FALSE(hasUndoCopy(0)) << "a pending row is written without the undo copy";

    // Dragging sets the position directly, held to the frame; steps stop at the ends.
    EXPECT_EQ(tab.scroll(Line1Body, ScrollStep::Drag, 480), 449);
    EXPECT_EQ(tab.scroll(Line1Body, ScrollStep::LineForward), 449);
    EXPECT_EQ(tab.scroll(Line1Body, ScrollStep::Drag, 1), 1);
    EXPECT_EQ(tab.scroll(Line1Body, ScrollStep::PageBack), 1);
}

struct RefusedMove {
    const char* what;
    RangeMoveRequest request;
    std::u16string_view message;
    RangeField focus;
};

RangeMoveRequest rows(const char16_t* first, const char16_t* last, const char16_t* amount = u"5") {
    return {false, first, last, MoveKind::Horizontal, amount, true};
}

TEST_F(PositionTabTest, ARefusedMoveSaysWhyAndKeepsTheLastChangeUndoable) {
    for (int i = 0; i < 3; ++i) addRow(kHorizontalDefaults);
    ASSERT_EQ(tab.moveRange({true, u"", u"", MoveKind::Horizontal, u"10", false}).status, 0);
    ASSERT_TRUE(tab.undoAvailable());

    const RefusedMove cases[] = {
        {"start 0", rows(u"0", u"1"), kFirstRowError, RangeField::FirstRow},
        {"start past the rows", rows(u"4", u"4"), kFirstRowError, RangeField::FirstRow},
        {"start empty", rows(u"", u"2"), kFirstRowError, RangeField::FirstRow},
        {"end below start", rows(u"3", u"2"), kLastRowError, RangeField::LastRow},
        {"end past the rows", rows(u"1", u"9"), kLastRowError, RangeField::LastRow},
        {"amount 0", rows(u"1", u"3", u"0"), kHorizontalAmountError, RangeField::Amount},
        {"amount past the width", rows(u"1", u"3", u"690"), kHorizontalAmountError, RangeField::Amount},
        {"vertical amount", {true, u"", u"", MoveKind::Vertical, u"", false}, kVerticalAmountError,
         RangeField::Amount},
    };
    for (const RefusedMove& c : cases) {
        const RangeMoveResult result = tab.moveRange(c.request);
        EXPECT_EQ(result.status, -1) << c.what;
        EXPECT_EQ(result.focus, c.focus) << c.what;
        EXPECT_EQ(ui.messageLine, c.message) << c.what;
        EXPECT_EQ(positionsOf(1), (PositionSet{366, 348, 400, 434})) << c.what;
    }
    // The largest amount is accepted, and the message line is cleared.
    EXPECT_EQ(tab.moveRange(rows(u"2", u"2", u"689")).status, 0);
    EXPECT_EQ(ui.messageLine, u"");

    ui.answers = {true};
    ASSERT_TRUE(tab.undo());
    EXPECT_EQ(positionsOf(1), (PositionSet{366, 348, 400, 434})) << "undo gives back the last move only";
}

TEST_F(PositionTabTest, ARangeMoveSkipsLockedAndOtherRowsAndUndoRestoresEveryRow) {
    addRow(kHorizontalDefaults);
    addRow(kHorizontalDefaults, false, 1);
    addRow(kVerticalDefaults, true);
    addRow({100, 80, 140, 170});
    tab.loadRow(0);

    ASSERT_EQ(tab.moveRange(rows(u"1", u"3", u"5")).status, 0);
    EXPECT_EQ(positionsOf(0), (PositionSet{381, 363, 415, 449}));
    EXPECT_EQ(positionsOf(1), kHorizontalDefaults);
    EXPECT_EQ(positionsOf(2), kVerticalDefaults);
    EXPECT_EQ(positionsOf(3), (PositionSet{100, 80, 140, 170}));
    EXPECT_EQ(list.captionTable()[0].positions[0], 381);
    EXPECT_EQ(tab.row().positions[0], 381) << "the loaded row shows what the list holds";
    EXPECT_TRUE(tab.undoAvailable());

    // Up past the top: the near edge; vertical rows right past the width: the far edge.
    ASSERT_EQ(tab.moveRange({false, u"4", u"4", MoveKind::Horizontal, u"90", false}).status, 0);
    EXPECT_EQ(positionsOf(3), (PositionSet{38, 20, 72, 106}));
    ASSERT_EQ(tab.moveRange({true, u"", u"", MoveKind::Vertical, u"600", false}).status, 0);
    EXPECT_EQ(positionsOf(2), (PositionSet{72, 106, 38, 20}));
    ASSERT_EQ(tab.moveRange({true, u"", u"", MoveKind::Vertical, u"689", true}).status, 0);
    EXPECT_EQ(positionsOf(2), kVerticalDefaults);

    // A later commit of a row outside any range, and a row added after the copy.
    tab.loadRow(3);
    tab.typePosition(Line1Body, u"200");
    tab.commit(false);
    const int added = list.appendRow();

    ui.answers = {false, true};
    EXPECT_FALSE(tab.undo());
    EXPECT_EQ(positionsOf(3)[0], 200);
    EXPECT_TRUE(tab.undo());
    EXPECT_EQ(ui.questions.back().text, kUndoQuestion);
    EXPECT_EQ(positionsOf(3), (PositionSet{38, 20, 72, 106})) << "every row, as the copy had it";
    EXPECT_EQ(list.cell(added, ColOrientation), u"横") << "a row made after the copy keeps its cells";
    EXPECT_FALSE(tab.undoAvailable());
    EXPECT_FALSE(tab.undo()) << "one level only";
    EXPECT_EQ(ui.questions.size(), 2u);
}

TEST_F(PositionTabTest, AllRowsDefaultAsksRecomputesLockedRowsAndKeepsARubyAbove) {
    addRow({1, 2, 3, 4}, false, 1);
    addRow({300, 280, 344, 310});  // the line-2 ruby above its body
    addRow({1, 2, 3, 4}, true);            // the line-2 ruby right of its body

    EXPECT_FALSE(tab.applyDefaultsToAllRows());
    EXPECT_EQ(ui.questions.at(0).text, kAllRowsDefaultQuestion);
    EXPECT_EQ(positionsOf(0), (PositionSet{1, 2, 3, 4}));
    EXPECT_FALSE(tab.undoAvailable());

    ui.answers = {true};
    EXPECT_TRUE(tab.applyDefaultsToAllRows());
    EXPECT_EQ(positionsOf(0), kHorizontalDefaults);
    EXPECT_EQ(list.cell(0, ColLock), u"0");
    EXPECT_EQ(positionsOf(1), (PositionSet{376, 358, 428, 410}));
    EXPECT_EQ(positionsOf(2), (PositionSet{650, 684, 598, 632}));
    EXPECT_TRUE(tab.undoAvailable());

    ui.answers = {true};
    EXPECT_TRUE(tab.undo());
    EXPECT_EQ(positionsOf(0), (PositionSet{1, 2, 3, 4}));
    EXPECT_EQ(list.cell(0, ColLock), u"1");
    EXPECT_EQ(list.captionTable()[0].lock, 1);
}

TEST_F(PositionTabTest, ANewListHasNothingToUndo) {
    addRow(kHorizontalDefaults);
    ASSERT_EQ(tab.moveRange(rows(u"1", u"1")).status, 0);
    tab.forgetUndo();
    ui.answers = {true};
    EXPECT_FALSE(tab.undo());
    EXPECT_TRUE(ui.questions.empty());
}

}  // namespace
}  // namespace qucap
