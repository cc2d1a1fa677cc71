// The clean-up by the rules, one case per rule at 25 frames a second (a frame
// every 40 ms, so frame f starts at 40f ms).
#include "app/timing/retime.h"

#include <gtest/gtest.h>

namespace qucap {
namespace {

constexpr FrameClock kPal{400'000};

struct Case {
    const char* name;
    std::vector<RowTimes> rows;
    std::vector<int64_t> cuts;  // frames; 100 is 4 s
    std::vector<RowTimes> expected;
    std::vector<RetimeRule> rules;  // of the changes, in order
    int first = 0, last = 99;
    bool shots = true;
};

using enum RetimeRule;
const Case kCases[] = {
    {"a start 5 frames after a cut goes onto it", {{4200, 5000}}, {100}, {{4000, 5000}}, {Shot}},
    {"not without shots", {{4200, 5000}}, {100}, {{4200, 5000}}, {}, 0, 99, false},
    {"an end 4 frames before a cut ends 2 before it", {{1000, 3800}}, {100}, {{1000, 3910}}, {Shot}},
    {"too short grows to the minimum", {{1000, 1200}, {3000, 4000}}, {}, {{1000, 1500}, {3000, 4000}}, {Minimum}},
    {"too short grows only into the room before the next",
     {{1000, 1200}, {1400, 2000}}, {}, {{1000, 1310}, {1400, 2000}}, {Minimum}},
    {"an end the minimum gave snaps to the cut after it", {{1000, 1200}}, {45}, {{1000, 1710}}, {Minimum, Shot}},
    {"too long is cut", {{1000, 9000}}, {}, {{1000, 8000}}, {Maximum}},
    {"a gap under 2 frames opens", {{1000, 1990}, {2000, 3000}}, {}, {{1000, 1910}, {2000, 3000}}, {Gap}},
    {"a gap under 12 frames closes", {{1000, 1800}, {2000, 3000}}, {}, {{1000, 1910}, {2000, 3000}}, {Close}},
    {"a gap of 12 frames stays", {{900, 1480}, {2000, 3000}}, {}, {{900, 1480}, {2000, 3000}}, {}},
    {"no close past the maximum", {{1000, 7950}, {8100, 9000}}, {}, {{1000, 7950}, {8100, 9000}}, {}},
    {"rows outside the range only bound it", {{1000, 1990}, {2000, 2100}}, {}, {{1000, 1990}, {2000, 2500}}, {Minimum},
     1, 1},
    {"a start snapped under the row before pulls that row's end back",
     {{1000, 4100}, {4200, 5000}}, {100}, {{1000, 3910}, {4000, 5000}}, {Shot, Gap}},
    {"but not a row outside the range", {{1000, 4100}, {4200, 5000}}, {100}, {{1000, 4100}, {4200, 5000}}, {}, 1, 1},
    {"a start never goes onto the one before it", {{4000, 4030}, {4060, 5000}}, {100},
     {{4000, 4000}, {4060, 5000}}, {Gap}},
    {"rows without a time are left alone and skipped",
     {{1000, 1200}, {0, 0}, {1400, 2000}}, {}, {{1000, 1310}, {0, 0}, {1400, 2000}}, {Minimum}},
    {"a row at 0 keeps some time", {{0, 100}, {40, 900}}, {}, {{0, 10}, {40, 900}}, {Gap}},
};

TEST(Retime, EachRuleOnItsCase) {
    for (const Case& c : kCases) {
        std::vector<RowTimes> rows = c.rows;
        RetimeRules rules;
        rules.shots = c.shots;
        const std::vector<RetimeChange> changes = retimeRows(rows, c.first, c.last, c.cuts, kPal, rules);
        EXPECT_EQ(rows, c.expected) << c.name;
        std::vector<RetimeRule> applied;
        for (const RetimeChange& change : changes) applied.push_back(change.rule);
        EXPECT_EQ(applied, c.rules) << c.name;
    }
}

TEST(Retime, TheTableOfChanges) {
    std::vector<RowTimes> rows{{1000, 4100}, {4200, 5000}};
    const std::vector<RetimeChange> changes = retimeRows(rows, 0, 1, {100}, kPal, {});
    EXPECT_EQ(retimeTable(changes),
              u"タイミングの変更：2件\n"
              u"行  項目  変更前      変更後      規則\n"
              u"2   開始  0:00:04.20  0:00:04.00  ショットに合わせる\n"
              u"1   終了  0:00:04.10  0:00:03.91  間隔を空ける\n");
    EXPECT_EQ(retimeTable({}), u"タイミングを変える字幕はありません\n");

    // The program's question shows at most 12 changes and counts the rest.
    std::vector<RowTimes> many;
    for (int i = 0; i < 14; ++i) many.push_back({1000 + i * 2000, 1200 + i * 2000});
    const std::vector<RetimeChange> fourteen = retimeRows(many, 0, 13, {}, kPal, {});
    ASSERT_EQ(fourteen.size(), 14u);
    const std::u16string question = retimeQuestion(fourteen);
    EXPECT_EQ(question.substr(0, 24), u"タイミングを次の14件のように変えます。\n行  ");
    EXPECT_NE(question.find(u"12  終了  0:00:23.20  0:00:23.50  最短時間\nほか2件\n実行しますか？"), std::u16string::npos);
}

}  // namespace
}  // namespace qucap
