// The default positions of a caption row's four texts, the line-2 swap and
// the limits a placed or moved position is kept within.
#include "app/core/display_position/default_positions.h"

#include <gtest/gtest.h>

#include <optional>

#include "app/core/display_position/position_tab.h"

namespace qucap {
namespace {

PositionSettings frame(int32_t width = 720, int32_t height = 480, int32_t mainSize = 32, int32_t rubySize = 16) {
    PositionSettings s;
    s.frameWidth = width;
    s.frameHeight = height;
    s.mainSize = mainSize;
    s.rubySize = rubySize;
    s.mainFont = u"ＭＳ ゴシック";
    s.rubyFont = u"ＭＳ ゴシック";
    return s;
}

// A row whose texts are present where `present` has a letter other than '-'
// (line-1 body, line-1 ruby, line-2 body, line-2 ruby).
WorkingRow rowOf(const char* present = "abcd", bool vertical = false) {
    WorkingRow row;
    row.vertical = vertical;
    for (int i = 0; i < kTextCount; ++i)
        if (present[i] != '-') row.texts[std::size_t(i)] = std::u16string(1, char16_t(present[i]));
    return row;
}

struct DefaultCase {
    const char* what;
    bool vertical;
    int32_t layout;
    PlacementEdge edge;
    PositionSet expected;
};

TEST(DefaultPositions, WorkedValuesForBothEdgesLayoutsAndOrientations) {
    const DefaultCase cases[] = {
        {"horizontal 1 far", false, 1, PlacementEdge::Far, {376, 358, 410, 444}},
        {"horizontal 2 far", false, 2, PlacementEdge::Far, {376, 358, 428, 410}},
        {"vertical 1 far", true, 1, PlacementEdge::Far, {650, 684, 616, 598}},
        {"vertical 2 far", true, 2, PlacementEdge::Far, {650, 684, 598, 632}},
        {"horizontal 1 near", false, 1, PlacementEdge::Near, {38, 20, 72, 106}},
        {"horizontal 2 near", false, 2, PlacementEdge::Near, {38, 20, 90, 72}},
        {"vertical 1 near", true, 1, PlacementEdge::Near, {72, 106, 38, 20}},
        {"vertical 2 near", true, 2, PlacementEdge::Near, {72, 106, 20, 54}},
    };
    for (const DefaultCase& c : cases) {
        PositionSettings s = frame();
        s.layoutType = c.layout;
        EXPECT_EQ(defaultPositions(s, rowOf("abcd", c.vertical), c.edge), c.expected) << c.what;
    }
}

struct FurtherCase {
    const char* what;
    PositionSettings settings;
    WorkingRow row;
    PositionSet expected;
};

PositionSettings with(PositionSettings s, bool fill, std::u16string mainFont = u"ＭＳ ゴシック",
                      std::u16string rubyFont = u"ＭＳ ゴシック") {
    s.fill = fill;
    s.mainFont = std::move(mainFont);
    s.rubyFont = std::move(rubyFont);
    return s;
}

TEST(DefaultPositions, EmptyTextsFillMeiryoAndLargeFrames) {
    const FurtherCase cases[] = {
        {"two bodies, fill off", frame(), rowOf("a-c-"), {376, 0, 410, 0}},
        {"two bodies, fill on", with(frame(), true), rowOf("a-c-"), {394, 0, 428, 0}},
        {"line 1 only", frame(), rowOf("ab--"), {428, 410, 0, 0}},
        {"vertical line-1 body, fill off", frame(), rowOf("a---", true), {650, 0, 0, 0}},
        {"vertical line-1 body, fill on", with(frame(), true), rowOf("a---", true), {668, 0, 0, 0}},
        {"both fonts メイリオ", with(frame(), false, u"メイリオ", u"メイリオ"), rowOf(), {376, 362, 408, 442}},
        {"1920 x 1080", frame(1920, 1080, 60, 30), rowOf(), {881, 849, 943, 1005}},
        // The gap follows the body font alone; "Meiryo" is not a Meiryo font.
        {"body Meiryo UI", with(frame(), false, u"Meiryo UI"), rowOf(), {380 - 4, 364, 412 - 4, 444}},
        {"body Meiryo", with(frame(), false, u"Meiryo"), rowOf(), {376, 358, 410, 444}},
        {"vertical, ruby メイリオ", with(frame(), false, u"ＭＳ ゴシック", u"メイリオ"), rowOf("abcd", true),
         {650, 684 + 3, 616, 598 + 3}},
        {"no line-1 body", frame(), rowOf("-bcd"), {0, 0, 0, 0}},
        {"line-2 ruby without body", frame(), rowOf("ab-d"), {0, 0, 0, 0}},
        // A frame too small for the margin still gives every text a place.
        {"tiny frame", frame(8, 8), rowOf("ab--"), {1, 1, 0, 0}},
    };
    for (const FurtherCase& c : cases) EXPECT_EQ(defaultPositions(c.settings, c.row), c.expected) << c.what;
    EXPECT_EQ(defaultPositions(frame(8, 8), rowOf("ab--"), PlacementEdge::Near), (PositionSet{18, 1, 0, 0}));
}

TEST(DefaultPositions, OnlyTheExactMeiryoNamesCount) {
    for (const char16_t* name : {u"メイリオ", u"Meiryo UI"}) EXPECT_TRUE(isMeiryoFont(name));
    for (const char16_t* name : {u"Meiryo", u"メイリオ ボールド", u"@メイリオ", u"meiryo ui", u""})
        EXPECT_FALSE(isMeiryoFont(name));
}

TEST(DefaultPositions, LayoutTypesOtherThanTwoStackLikeLayoutOne) {
    PositionSettings s = frame();
    s.layoutType = 7;
    EXPECT_EQ(defaultPositions(s, rowOf()), (PositionSet{376, 358, 410, 444}));
}

struct SwapCase {
    const char* what;
    PositionSettings settings;
    bool vertical;
    DefaultPositionRules::Line2 defaults, expected;
};

TEST(DefaultPositions, SwappedLine2StaysInItsPlaceAndSwapsBack) {
    const SwapCase cases[] = {
        {"horizontal", frame(), false, {410, 444}, {428, 410}},
        {"vertical", frame(), true, {616, 598}, {598, 632}},
        {"equal", frame(), false, {400, 400}, {400, 400}},
        {"horizontal, メイリオ", with(frame(), false, u"メイリオ", u"メイリオ"), false, {408, 442}, {424, 410}},
        {"vertical, メイリオ", with(frame(), false, u"メイリオ", u"メイリオ"), true, {626, 607}, {610, 639}},
    };
    for (const SwapCase& c : cases) {
        const auto swapped = swappedLine2(c.settings, c.vertical, c.defaults);
        EXPECT_EQ(swapped.body, c.expected.body) << c.what;
        EXPECT_EQ(swapped.ruby, c.expected.ruby) << c.what;
        const auto back = swappedLine2(c.settings, c.vertical, swapped);
        EXPECT_EQ(back.body, c.defaults.body) << c.what;
        EXPECT_EQ(back.ruby, c.defaults.ruby) << c.what;
    }
}

TEST(DefaultPositions, RulesForTheListAndFillingOneRow) {
    const DefaultPositionRules rules = defaultPositionRules(frame());
    EXPECT_EQ(rules.defaults(rowOf("abcd", true)), (PositionSet{650, 684, 616, 598}));
    const auto swapped = rules.swapLine2(rowOf(), {410, 444});
    EXPECT_EQ(swapped.body, 428);

    WorkingRow row = rowOf();
    row.positions = {0, 5, 0, 7};
    fillZeroPositions(frame(), row);
    EXPECT_EQ(row.positions, (PositionSet{376, 5, 410, 7}));
}

// A row stored after each text typed: what the program filled in follows
// the texts; a position placed elsewhere, and a locked row, stay (only the
// unset positions are filled). Each step starts from the one before it
// unless it gives its own positions.
TEST(DefaultPositions, FilledPositionsFollowTheTextsPlacedOnesStay) {
    struct Step {
        const char* texts;
        std::optional<PositionSet> stored;
        int32_t lock;
        PositionSet expected;
    };
    const Step steps[] = {
        {"a---", {}, 0, {428, 0, 0, 0}},
        {"ab--", {}, 0, {428, 410, 0, 0}},
        {"abc-", {}, 0, {376, 358, 410, 0}},
        {"abcd", {}, 0, {376, 358, 410, 444}},
        {"abc-", {}, 0, {376, 358, 410, 0}},
        {"ab--", PositionSet{300, 358, 410, 0}, 0, {300, 410, 0, 0}},
        {"abcd", PositionSet{428, 410, 0, 0}, 1, {428, 410, 410, 444}},
    };
    WorkingRow before = rowOf("----");
    for (const Step& step : steps) {
        WorkingRow row = rowOf(step.texts);
        row.positions = step.stored.value_or(before.positions);
        before.positions = row.positions;
        row.lock = step.lock;
        followDefaultPositions(frame(), before, row);
        EXPECT_EQ(row.positions, step.expected) << step.texts;
        before = row;
    }
}

TEST(DefaultPositions, PlacedPositionsStayInTheFrame) {
    const PositionSettings s = frame();
    EXPECT_EQ(lastPosition(s, false, Line1Body), 449);
    EXPECT_EQ(lastPosition(s, false, Line2Ruby), 465);
    EXPECT_EQ(lastPosition(s, true, Line1Body), 689);
    EXPECT_EQ(keptInFrame(s, false, Line1Body, 0), 1);
    EXPECT_EQ(keptInFrame(s, false, Line1Body, -40), 1);
    EXPECT_EQ(keptInFrame(s, false, Line1Body, 450), 449);
    EXPECT_EQ(keptInFrame(s, true, Line1Ruby, 700), 700);
    // No movie yet: everything is kept at 1.
    EXPECT_EQ(keptInFrame(frame(0, 0), false, Line1Body, 300), 1);
}

TEST(DefaultPositions, MovedRowsPastAnEdgeArePlacedAnew) {
    const PositionSettings s = frame();
    WorkingRow row = rowOf("ab--");
    row.positions = {300, 280, 0, 0};
    EXPECT_EQ(movedPositions(s, row, -10), (PositionSet{290, 270, 0, 0}));
    EXPECT_EQ(movedPositions(s, row, 170), (PositionSet{470, 450, 0, 0}));
    // Past the top, or exactly to 0 ("not set"): the near edge.
    EXPECT_EQ(movedPositions(s, row, -281), (PositionSet{38, 20, 0, 0}));
    EXPECT_EQ(movedPositions(s, row, -280), (PositionSet{38, 20, 0, 0}));
    // Past the frame height: the far edge.
    EXPECT_EQ(movedPositions(s, row, 181), (PositionSet{428, 410, 0, 0}));
    // A vertical row is bounded by the frame width.
    WorkingRow vertical = rowOf("a---", true);
    vertical.positions = {700, 0, 0, 0};
    EXPECT_EQ(movedPositions(s, vertical, 20), (PositionSet{720, 0, 0, 0}));
    EXPECT_EQ(movedPositions(s, vertical, 21), (PositionSet{650, 0, 0, 0}));
    // Positions read from a file may be anything: no overflow.
    row.positions = {INT32_MAX, 1, 0, 0};
    EXPECT_EQ(movedPositions(s, row, INT32_MAX), (PositionSet{428, 410, 0, 0}));
}

}  // namespace
}  // namespace qucap
