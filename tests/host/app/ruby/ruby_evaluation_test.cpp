// The accuracy evaluation's reader of the editors' notation, its caption
// lines and its scoring, and the accuracy on the evaluation set, which must
// not fall below what was measured.
#include <gtest/gtest.h>

#include "app/ruby/mecab_analyser.h"
#include "captiondata/text/u16.h"
#include "tests/tools/ruby_evaluation_set.h"

namespace qucap {
namespace {

std::string describe(const AnnotatedLine& line) {
    std::string out = toUtf8(line.plain);
    for (const EditorGroup& group : line.groups)
        out += " " + std::to_string(group.offset) + ":" + toUtf8(group.base) + "=" + toUtf8(group.reading);
    return out;
}

TEST(RubyEvaluation, ReadsTheEditorsNotation) {
    struct Case {
        std::u16string_view line;
        std::string expected;
    };
    const Case cases[] = {
        {u"私《わたし》が", "私が 0:私=わたし"},
        // The base is the kanji run before 《, not reaching into the group before.
        {u"ごん狐《ぎつね》", "ごん狐 2:狐=ぎつね"},
        {u"水車《すいしゃ》小屋《ごや》の", "水車小屋の 0:水車=すいしゃ 2:小屋=ごや"},
        {u"人々《ひとびと》", "人々 0:人々=ひとびと"},
        // ｜ starts the base where the run would not.
        {u"丁度｜地獄《じごく》の底", "丁度地獄の底 2:地獄=じごく"},
        {u"御｜下《おろ》し", "御下し 1:下=おろ"},
        {u"｜降り《ふり》", "降り 0:降り=ふり"},
        // A base without kanji is the run of its own kind.
        {u"白いブラシ《刷毛》", "白いブラシ 2:ブラシ=刷毛"},
        // Notes are dropped; a 《 without base or end is text.
        {u"しだ［＃「しだ」に傍点］の", "しだの"},
        {u"［＃７字下げ］一［＃「一」は中見出し］", "一"},
        {u"木《き", "木《き"},
        {u"、《あ》", "、《あ》"},
    };
    for (const Case& c : cases) EXPECT_EQ(describe(parseAnnotatedLine(c.line)), c.expected) << toUtf8(c.line);
}

TEST(RubyEvaluation, CutsCaptionLines) {
    struct Case {
        std::u16string_view line;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {u"　ある日の事です。御釈迦様《おしゃかさま》は歩く。", {"ある日の事です。", "御釈迦様は歩く。 0:御釈迦様=おしゃかさま"}},
        // Closing brackets stay with their sentence.
        {u"「下りろ。下りろ。」と喚《わめ》きました。", {"「下りろ。", "下りろ。」", "と喚きました。 1:喚=わめ"}},
        // A long sentence is cut again after the commas, pieces joined while they fit.
        {u"一二三四五六七八九十、一二三四五六七八九十、一二三四五六七八九十、一二三四五六七八九十。",
         {"一二三四五六七八九十、一二三四五六七八九十、", "一二三四五六七八九十、一二三四五六七八九十。"}},
        {u"一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十一。",
         {"一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十一。"}},
        {u"　", {}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> lines;
        for (const AnnotatedLine& line : captionLines(parseAnnotatedLine(c.line), 24)) lines.push_back(describe(line));
        EXPECT_EQ(lines, c.expected) << toUtf8(c.line);
    }
}

TEST(RubyEvaluation, ScoresAGroupByTheReadingOfItsWholeStretch) {
    struct Case {
        std::u16string_view plain;
        EditorGroup group;
        std::vector<RubySpan> spans;
        std::string proposed;  // "-": a span crosses the stretch's edges
        bool correct;
    };
    const Case cases[] = {
        // However the proposal cuts the groups, the stretch reads the same.
        {u"水車小屋", {0, u"水車小屋", u"すいしゃごや"}, {{0, u"水車", u"すいしゃ"}, {2, u"小屋", u"ごや"}}, "すいしゃごや", true},
        {u"水車小屋", {0, u"水車", u"すいしゃ"}, {{0, u"水", u"すい"}, {1, u"車", u"しゃ"}}, "すいしゃ", true},
        // Kana between the spans, katakana readings.
        {u"降り続く", {0, u"降り続", u"フリツヅ"}, {{0, u"降", u"ふ"}, {2, u"続", u"つづ"}}, "ふりつづ", true},
        {u"硝子戸", {0, u"硝子", u"ガラス"}, {{0, u"硝子", u"がらす"}, {2, u"戸", u"と"}}, "がらす", true},
        // A span over the edge, a kanji left without reading, a wrong reading.
        {u"水車小屋", {2, u"小屋", u"ごや"}, {{0, u"水車小屋", u"すいしゃごや"}}, "-", false},
        {u"山と川", {0, u"山", u"やま"}, {{2, u"川", u"かわ"}}, "山", false},
        {u"お前", {1, u"前", u"まい"}, {{1, u"前", u"まえ"}}, "まえ", false},
    };
    for (const Case& c : cases) {
        const std::optional<std::u16string> proposed = proposedReading(c.plain, c.group, c.spans);
        EXPECT_EQ(proposed ? toUtf8(*proposed) : "-", c.proposed) << toUtf8(c.plain) << " " << toUtf8(c.group.base);
        EXPECT_EQ(groupCorrect(c.plain, c.group, c.spans), c.correct) << toUtf8(c.plain) << " " << toUtf8(c.group.base);
    }
}

// The set's figure as docs/ruby_accuracy.md gives it: the groups it holds
// and the share read exactly, rounded down, as a floor.
TEST(RubyEvaluation, TheEvaluationSetKeepsItsAccuracy) {
    std::u16string error;
    const std::unique_ptr<MecabAnalyser> analyser = MecabAnalyser::open(fromUtf8(QUCAP_TEST_IPADIC), u"dic\\ipadic", error);
    if (!analyser) GTEST_SKIP() << "no IPADIC at " << QUCAP_TEST_IPADIC;
    EvaluationResult result;
    for (const char* name : {"gongitsune.txt", "kumono_ito.txt", "momotaro.txt"}) {
        const std::optional<std::u16string> text = readUtf8File(std::string(QUCAP_TEST_DATA) + "/ruby/evaluation/" + name);
        ASSERT_TRUE(text) << name;
        evaluateText(*text, *analyser, result);
    }
    EXPECT_EQ(result.groups, 350u);
    EXPECT_GE(result.percent(), 78.0) << result.correct << " of " << result.groups;
}

}  // namespace
}  // namespace qucap
