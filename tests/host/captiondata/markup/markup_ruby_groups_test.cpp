#include "captiondata/markup/ruby_groups.h"

#include <gtest/gtest.h>

#include <vector>

namespace qucap {
namespace {

// The anchors of groups 1 .. count.
std::vector<int> anchorsOf(const RubyGroups& r) {
    std::vector<int> anchors;
    for (int g = 0; g < r.count; ++g) anchors.push_back(r.groups[g].anchor);
    return anchors;
}

TEST(RubyGroups, BaseIsFoundInThePlainBody) {
    const RubyGroups r = buildRubyGroups(u"漢字(かんじ)", u"この漢字");
    ASSERT_EQ(r.count, 1);
    EXPECT_EQ(r.groups[0], (RubyGroup{u"漢字", u"かんじ", 2}));
}

TEST(RubyGroups, EachSearchStartsOneAfterThePreviousMatch) {
    const RubyGroups r = buildRubyGroups(u"字(じ)字(じ)", u"字字");
    ASSERT_EQ(r.count, 2);
    EXPECT_EQ(r.groups[0].anchor, 0);
    EXPECT_EQ(r.groups[1].anchor, 1);
    // Overlapping bases: the second "ああ" may start inside the first one.
    EXPECT_EQ(anchorsOf(buildRubyGroups(u"ああ(a)ああ(b)", u"ああああ")), (std::vector<int>{0, 1}));
}

TEST(RubyGroups, TextBetweenGroupsBelongsToTheNextBaseAndTrailingTextIsDropped) {
    const RubyGroups r = buildRubyGroups(u"今日(きょう)は晴(は)れ", u"今日は晴れ");
    ASSERT_EQ(r.count, 2);
    EXPECT_EQ(r.groups[1], (RubyGroup{u"は晴", u"は", 2}));
}

TEST(RubyGroups, MissingBaseLeavesItsGroupEmptyAndTheSearchWhereItWas) {
    const RubyGroups r = buildRubyGroups(u"字(じ)無(む)漢(かん)", u"字漢");
    ASSERT_EQ(r.count, 3);
    EXPECT_EQ(r.groups[0].anchor, 0);
    EXPECT_EQ(r.groups[1], RubyGroup{});
    EXPECT_EQ(r.groups[2], (RubyGroup{u"漢", u"かん", 1}));
    // A base that only occurs before the search position is not found either,
    // and the count stays at the last group found.
    const RubyGroups late = buildRubyGroups(u"漢(か)字(じ)漢(か)", u"漢字");
    EXPECT_EQ(late.count, 2);
    EXPECT_EQ(late.groups[2], RubyGroup{});
}

TEST(RubyGroups, EmptyBaseMatchesAtTheSearchPosition) {
    const RubyGroups r = buildRubyGroups(u"あ(a)(b)(c)", u"あい");
    ASSERT_EQ(r.count, 3);
    EXPECT_EQ(r.groups[1], (RubyGroup{u"", u"b", 1}));
    EXPECT_EQ(r.groups[2], (RubyGroup{u"", u"c", 2}));  // the end of the body still matches
    EXPECT_EQ(buildRubyGroups(u"(よ)", u"").groups[0], (RubyGroup{u"", u"よ", 0}));
    // One past the end there is nothing left to match.
    const RubyGroups past = buildRubyGroups(u"あ(a)(b)(c)", u"あ");
    EXPECT_EQ(past.count, 2);
}

TEST(RubyGroups, AtMostNineGroups) {
    std::u16string ruby, body;
    for (int g = 1; g <= 10; ++g) {
        ruby += u"字(" + std::u16string(1, char16_t(u'0' + g % 10)) + u")";
        body += u"字";
    }
    const RubyGroups r = buildRubyGroups(ruby, body);
    EXPECT_EQ(r.count, 9);
    EXPECT_EQ(r.groups[8], (RubyGroup{u"字", u"9", 8}));
}

TEST(RubyGroups, IncompleteParenthesesGiveNothing) {
    EXPECT_EQ(buildRubyGroups(u"漢字かんじ", u"漢字").count, 0);
    EXPECT_EQ(buildRubyGroups(u"漢字(かんじ", u"漢字").count, 0);
    EXPECT_EQ(buildRubyGroups(u"漢字)かんじ(", u"漢字").count, 0);
    // A complete first group is kept when the second one is open.
    const RubyGroups r = buildRubyGroups(u"漢(かん)字(じ", u"漢字");
    EXPECT_EQ(r.count, 1);
}

TEST(RubyGroups, RubyKeepsItsCodesAndLongBasesAreNotSearched) {
    EXPECT_EQ(buildRubyGroups(u"赤(a$Rか$W)", u"赤").groups[0].ruby, u"a$Rか$W");
    const std::u16string base(256, u'字');
    EXPECT_EQ(buildRubyGroups(base + u"(じ)", base).count, 0);
    const std::u16string fits(255, u'字');
    EXPECT_EQ(buildRubyGroups(fits + u"(じ)", fits).count, 1);
}

}  // namespace
}  // namespace qucap
