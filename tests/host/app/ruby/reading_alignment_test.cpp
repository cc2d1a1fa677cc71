// A word's reading spread over its kanji runs, on one table of words.
#include <gtest/gtest.h>

#include "app/ruby/reading_alignment.h"
#include "captiondata/text/u16.h"

namespace qucap {
namespace {

struct Case {
    std::u16string_view word, reading;
    std::string expected;  // "offset:base(reading)" a span, space-separated; "-" when it does not fit
};

std::string summary(const std::optional<std::vector<RubySpan>>& spans) {
    if (!spans) return "-";
    std::string out;
    for (const RubySpan& span : *spans)
        out += (out.empty() ? "" : " ") + std::to_string(span.offset) + ":" + toUtf8(span.base) + "(" +
               toUtf8(span.reading) + ")";
    return out;
}

TEST(ReadingAlignment, SpreadsTheReadingOverTheKanjiRuns) {
    const Case cases[] = {
        {u"字幕", u"ジマク", "0:字幕(じまく)"},
        {u"食べる", u"タベル", "0:食(た)"},
        {u"降り続い", u"フリツヅイ", "0:降(ふ) 2:続(つづ)"},
        {u"お茶", u"オチャ", "1:茶(ちゃ)"},
        {u"大人しい", u"オトナシイ", "0:大人(おとな)"},
        {u"引き出し", u"ヒキダシ", "0:引(ひ) 2:出(だ)"},
        {u"人々", u"ヒトビト", "0:人々(ひとびと)"},
        {u"三ヶ月", u"サンカゲツ", "0:三ヶ月(さんかげつ)"},
        {u"見張り", u"みはり", "0:見張(みは)"},
        // Katakana in the word matches the reading as it is.
        {u"ガス代", u"ガスダイ", "2:代(だい)"},
        // No kanji: nothing to put ruby on.
        {u"ひらがな", u"ヒラガナ", ""},
        {u"テレビ", u"テレビ", ""},
        // A kana run the reading does not have at its place.
        {u"食べる", u"タベタ", "-"},
        {u"降り続い", u"フルツヅイ", "-"},
        // A kanji run needs at least one character of the reading.
        {u"食べる", u"ベル", "-"},
        {u"字幕", u"", "-"},
        // Other characters beside kanji cannot be placed.
        {u"Ｘ線", u"エックスセン", "-"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(summary(alignReading(c.word, c.reading)), c.expected) << toUtf8(c.word);
}

}  // namespace
}  // namespace qucap
