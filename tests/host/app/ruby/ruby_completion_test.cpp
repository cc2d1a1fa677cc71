// A line's ruby completed with the proposal: the user's groups stay on their
// characters, the proposal goes around them, and the limits hold.
#include "app/ruby/ruby_completion.h"

#include <gtest/gtest.h>

#include "captiondata/markup/ruby_groups.h"
#include "captiondata/text/u16.h"

namespace qucap {
namespace {

struct Case {
    const char* what;
    std::u16string_view body, ruby;
    std::vector<RubySpan> spans;
    std::u16string_view expected;
    std::vector<RubyInsertion> insertions;
    std::size_t capacity = 255;
};

// The groups of `ruby` that give a reading, as the filter anchors them.
std::vector<std::pair<int32_t, std::u16string>> readings(std::u16string_view ruby, std::u16string_view body) {
    const RubyGroups groups = buildRubyGroups(ruby, body);
    std::vector<std::pair<int32_t, std::u16string>> out;
    for (int i = 0; i < groups.count; ++i)
        if (!groups.groups[std::size_t(i)].ruby.empty())
            out.push_back({groups.groups[std::size_t(i)].anchor, groups.groups[std::size_t(i)].ruby});
    return out;
}

TEST(RubyCompletion, PutsTheProposalAroundTheUsersOwnGroups) {
    const RubySpan jimaku{0, u"字幕", u"じまく"}, yama{3, u"山", u"やま"}, kawa{5, u"川", u"かわ"};
    const Case cases[] = {
        {"empty ruby: the whole proposal, one piece", u"字幕と山", u"", {jimaku, yama}, u"字幕(じまく)山(やま)",
         {{0, u"字幕(じまく)山(やま)"}}},
        {"the user's first word stays, the rest follows", u"字幕と山", u"字幕(じまく)", {jimaku, yama},
         u"字幕(じまく)山(やま)", {{7, u"山(やま)"}}},
        {"the user's own reading wins over the proposal's", u"字幕と山", u"山(さん)", {jimaku, yama},
         u"字幕(じまく)山(さん)", {{0, u"字幕(じまく)"}}},
        {"both sides of the user's group", u"字幕と山と川", u"山(やま)", {jimaku, yama, kawa},
         u"字幕(じまく)山(やま)川(かわ)", {{0, u"字幕(じまく)"}, {5, u"川(かわ)"}}},
        {"text after the last group stays last", u"字幕と山", u"字幕(じまく)メモ", {jimaku, yama},
         u"字幕(じまく)山(やま)メモ", {{7, u"山(やま)"}}},
        {"a later occurrence gets empty groups before it", u"山田と山", u"", {yama}, u"山()山(やま)",
         {{0, u"山()山(やま)"}}},
        {"the user's empty group keeps its character bare", u"山と山", u"山()山(さん)",
         {{0, u"山", u"やま"}, {2, u"山", u"やま"}}, u"山()山(さん)", {}},
        {"a user's group not found in the body stays where it is", u"字幕と山", u"川(かわ)", {jimaku, yama},
         u"字幕(じまく)山(やま)川(かわ)", {{0, u"字幕(じまく)山(やま)"}}},
        {"nothing goes before a group without base, the rest after it", u"字幕と山", u"(ふりがな)", {jimaku, yama},
         u"(ふりがな)山(やま)", {{6, u"山(やま)"}}},
        {"nine groups in all", u"字幕と山", u"a()b()c()d()e()f()g()h()", {jimaku, yama},
         u"字幕(じまく)a()b()c()d()e()f()g()h()", {{0, u"字幕(じまく)"}}},
        {"the editor's capacity", u"字幕と山", u"", {jimaku, yama}, u"字幕(じまく)", {{0, u"字幕(じまく)"}}, 11},
        {"bases the groups cannot hold are left out", u"(山)と$川", u"", {{1, u"山)", u"やま"}, {4, u"$川", u"かわ"}},
         u"", {}},
        {"nothing left to propose", u"字幕と山", u"字幕(じまく)山(やま)", {jimaku, yama}, u"字幕(じまく)山(やま)",
         {}},
    };
    for (const Case& c : cases) {
        const RubyCompletion completion = completeRuby(c.body, c.ruby, c.spans, c.capacity);
        EXPECT_EQ(toUtf8(completion.ruby), toUtf8(c.expected)) << c.what;
        EXPECT_EQ(completion.insertions, c.insertions) << c.what;
        // Every reading the user gave still lands on the same characters.
        for (const auto& reading : readings(c.ruby, c.body)) {
            const auto after = readings(completion.ruby, c.body);
            EXPECT_NE(std::find(after.begin(), after.end(), reading), after.end()) << c.what;
        }
    }
}

}  // namespace
}  // namespace qucap
