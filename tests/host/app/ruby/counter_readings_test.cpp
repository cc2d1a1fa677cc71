// Numbers and counters, on tables of texts: the values of the ways a
// number is written, and the readings with the counters' sound changes.
#include <gtest/gtest.h>

#include "app/ruby/counter_readings.h"
#include "captiondata/text/u16.h"

namespace qucap {
namespace {

TEST(CounterReadings, ReadsNumbersInDigitsAndKanji) {
    const std::pair<std::u16string_view, int64_t> cases[] = {
        {u"3", 3},          {u"３", 3},          {u"2026", 2026},       {u"２０２６", 2026},
        {u"二〇二六", 2026}, {u"二十三", 23},      {u"十", 10},           {u"三千五百", 3500},
        {u"十二万", 120000}, {u"百万", 1000000},  {u"12万", 120000},  {u"99999999", 99999999},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(numberValue(text), value) << toUtf8(text);
    for (const std::u16string_view text : {u"", u"三a", u"万", u"100000000", u"一億"})
        EXPECT_EQ(numberValue(text), std::nullopt) << toUtf8(text);
}

TEST(CounterReadings, ReadsCountersWithTheirSoundChanges) {
    const std::pair<std::u16string_view, std::u16string_view> cases[] = {
        // Words of their own.
        {u"一人", u"ひとり"}, {u"二人", u"ふたり"}, {u"1人", u"ひとり"}, {u"三人", u"さんにん"},
        {u"4人", u"よにん"}, {u"21人", u"にじゅういちにん"}, {u"二十歳", u"はたち"}, {u"20歳", u"はたち"},
        {u"一日", u"ついたち"}, {u"二日", u"ふつか"}, {u"三日", u"みっか"}, {u"四日", u"よっか"},
        {u"五日", u"いつか"}, {u"六日", u"むいか"}, {u"七日", u"なのか"}, {u"八日", u"ようか"},
        {u"九日", u"ここのか"}, {u"十日", u"とおか"}, {u"二十日", u"はつか"}, {u"14日", u"じゅうよっか"},
        {u"24日", u"にじゅうよっか"}, {u"11日", u"じゅういちにち"},
        // Sound changes of the last digit and of a round ten.
        {u"1本", u"いっぽん"}, {u"2本", u"にほん"}, {u"3本", u"さんぼん"}, {u"6本", u"ろっぽん"},
        {u"8本", u"はっぽん"}, {u"10本", u"じゅっぽん"}, {u"２０本", u"にじゅっぽん"}, {u"33本", u"さんじゅうさんぼん"},
        {u"1分", u"いっぷん"}, {u"2分", u"にふん"}, {u"3分", u"さんぷん"}, {u"４分", u"よんぷん"},
        {u"5分", u"ごふん"}, {u"６分", u"ろっぷん"}, {u"30分", u"さんじゅっぷん"},
        {u"4時", u"よじ"}, {u"7時", u"しちじ"}, {u"9時", u"くじ"}, {u"12時", u"じゅうにじ"},
        {u"4月", u"しがつ"}, {u"9月", u"くがつ"}, {u"十二月", u"じゅうにがつ"},
        {u"1歳", u"いっさい"}, {u"8歳", u"はっさい"}, {u"10歳", u"じゅっさい"},
        {u"2026年", u"にせんにじゅうろくねん"}, {u"300年", u"さんびゃくねん"}, {u"8000年", u"はっせんねん"},
        {u"12万年", u"じゅうにまんねん"}, {u"1回", u"いっかい"}, {u"6個", u"ろっこ"},
    };
    for (const auto& [text, reading] : cases) EXPECT_EQ(counterReading(text), std::u16string(reading)) << toUtf8(text);
    // No number, no known counter, zero.
    for (const std::u16string_view text : {u"本", u"三匹", u"0本", u"十分a"})
        EXPECT_EQ(counterReading(text), std::nullopt) << toUtf8(text);
    // A word of its own only where the table has the whole word.
    EXPECT_EQ(counterReading(u"一日", CounterWords::WholeOnly), u"ついたち");
    EXPECT_EQ(counterReading(u"十分", CounterWords::WholeOnly), std::nullopt);
}

}  // namespace
}  // namespace qucap
