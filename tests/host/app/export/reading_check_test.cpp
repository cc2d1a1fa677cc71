// The reading check: every rule with its exact figure on one fixture.
#include "app/export/reading_check.h"

#include <gtest/gtest.h>

namespace qucap {
namespace {

SubtitleRow row(int32_t start, int32_t duration, std::u16string line1, std::u16string line2 = {},
                bool vertical = false, std::u16string ruby = {}) {
    SubtitleRow r;
    r.start = start;
    r.duration = duration;
    r.line1Plain = std::move(line1);
    r.line2Plain = std::move(line2);
    r.line1Ruby = std::move(ruby);
    r.vertical = vertical;
    return r;
}

const std::vector<SubtitleRow> kFixture{
    row(0, 2000, u"あいうえおかきくけこ"),           // 5 characters a second, touching the next row
    row(2000, 400, u"ABC"),                          // 1.5 characters in 0.4 s; 50 ms before the next
    row(2450, 7500, u"一二三四五六七八九十一二三四", u"ｱｲｳｴｵｶｷｸｹｺｱｲｳｴｵｶｷｸｹｺｱｲｳｴｵｶｷ"),
    row(20000, 3000, u"縦縦縦縦縦縦縦縦縦縦縦縦", u"", true, u"縦(たてたてたてたてたてたてたてたて)"),  // 4 a second: the limit
};

TEST(ReadingCheck, EveryRuleWithItsFigure) {
    const std::vector<ReadingWarning> warnings = readingWarnings(kFixture, {}, kAssumedFrameDuration);
    EXPECT_EQ(readingTable(warnings),
              u"読みやすさの規則に反する字幕：8件\n"
              u"行  開始時間    規則               値\n"
              u"1   0:00:00.00  1秒あたりの文字数  5.0文字/秒（上限 4）\n"
              u"1   0:00:00.00  次の字幕との間隔   0.0フレーム、0秒（下限 2フレーム）\n"
              u"2   0:00:02.00  表示時間が短い     0.4秒（下限 0.5秒）\n"
              u"2   0:00:02.00  次の字幕との間隔   1.5フレーム、0.05秒（下限 2フレーム）\n"
              u"3   0:00:02.45  1行目の文字数      14文字（上限 13、横）\n"
              u"3   0:00:02.45  2行目の文字数      13.5文字（上限 13、横）\n"
              u"3   0:00:02.45  表示時間が長い     7.5秒（上限 7秒）\n"
              u"4   0:00:20.00  1行目の文字数      12文字（上限 11、縦）\n");
}

TEST(ReadingCheck, LimitsAndFrameDurationAreTheCallers) {
    ReadingLimits limits;
    limits.cpsTenths = 38;
    limits.charsHorizontal = 14;
    limits.charsVertical = 12;
    limits.minMs = 300;
    limits.maxMs = 8000;
    limits.gapFrames = 1;
    // 25 frames a second: 50 ms is 1.25 frames, enough for one.
    const std::vector<ReadingWarning> warnings = readingWarnings(kFixture, limits, 400'000);
    ASSERT_EQ(warnings.size(), 3u);
    EXPECT_EQ(warnings[0].figure, u"5.0文字/秒（上限 3.8）");
    EXPECT_EQ(warnings[1].rule, ReadingRule::Gap);
    EXPECT_EQ(warnings[1].figure, u"0.0フレーム、0秒（下限 1フレーム）");
    EXPECT_EQ(warnings[2].rule, ReadingRule::Speed);  // row 4: 4 a second is over 3.8
    EXPECT_EQ(warnings[2].row, 4);
}

TEST(ReadingCheck, OverlapsZeroDurationsAndNoWarnings) {
    const std::vector<ReadingWarning> warnings =
        readingWarnings({row(1000, 0, u"あ"), row(500, 1000, u"い")}, {}, kAssumedFrameDuration);
    ASSERT_EQ(warnings.size(), 2u);
    EXPECT_EQ(warnings[0].figure, u"0秒（下限 0.5秒）");  // no speed for a row shown for no time
    EXPECT_EQ(warnings[1].figure, u"-15.0フレーム、-0.5秒（下限 2フレーム）");
    EXPECT_EQ(readingTable({}), u"読みやすさの規則に反する字幕はありません\n");
}

TEST(ReadingCheck, WidthsInHalves) {
    const std::pair<std::u16string_view, int64_t> cases[] = {
        {u"ABC", 3}, {u"ｱｲ", 2}, {u"あ", 2}, {u"\u3000", 2}, {u"\U00020BB7", 2}, {u"a漢 ", 4}, {u"", 0},
    };
    for (const auto& [text, halves] : cases) EXPECT_EQ(widthInHalves(text), halves) << int(text.size());
}

}  // namespace
}  // namespace qucap
