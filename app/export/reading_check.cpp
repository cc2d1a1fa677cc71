#include "app/export/reading_check.h"

#include <algorithm>
#include <array>

#include "captiondata/text/text_table.h"
#include "captiondata/text/u16.h"
#include "captiondata/time/time_text.h"

namespace qucap {
namespace {

constexpr std::array<std::u16string_view, 6> kRuleNames{
    u"1秒あたりの文字数", u"1行目の文字数", u"2行目の文字数", u"表示時間が短い", u"表示時間が長い", u"次の字幕との間隔",
};

// `value` / `divisor` with one decimal, rounded half up; "4" rather than "4.0"
// only when asked for a whole number.
std::u16string decimal(int64_t value, int64_t divisor, bool trimZero = false) {
    const bool negative = value < 0;
    const int64_t tenths = ((negative ? -value : value) * 20 + divisor) / (2 * divisor);
    std::u16string text = (negative ? u"-" : u"") + toDecimal(tenths / 10);
    if (!trimZero || tenths % 10) text += u"." + toDecimal(tenths % 10);
    return text;
}

// Milliseconds as seconds with the decimals they need: 450 → "0.45", 7000 → "7".
std::u16string seconds(int64_t ms) {
    std::u16string text = (ms < 0 ? u"-" : u"") + toDecimal((ms < 0 ? -ms : ms) / 1000);
    std::u16string fraction = toDecimal((ms < 0 ? -ms : ms) % 1000 + 1000).substr(1);
    while (!fraction.empty() && fraction.back() == u'0') fraction.pop_back();
    return fraction.empty() ? text : text + u"." + fraction;
}

std::u16string characters(int64_t halves) { return decimal(halves, 2, true) + u"文字"; }

}  // namespace

int64_t widthInHalves(std::u16string_view plain) {
    int64_t halves = 0;
    for (const char16_t c : plain) {
        if (c >= 0xDC00 && c <= 0xDFFF) continue;  // the second half of a pair
        halves += isHalfWidth(c) ? 1 : 2;
    }
    return halves;
}

std::vector<ReadingWarning> readingWarnings(const std::vector<SubtitleRow>& rows, const ReadingLimits& limits,
                                            int64_t frameDuration) {
    std::vector<ReadingWarning> warnings;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const SubtitleRow& row = rows[i];
        const auto warn = [&](ReadingRule rule, std::u16string figure) {
            warnings.push_back({int(i + 1), row.start, rule, std::move(figure)});
        };
        const int64_t duration = row.duration;
        const int64_t lines[] = {widthInHalves(row.line1Plain), widthInHalves(row.line2Plain)};
        // characters / second, in tenths: (halves / 2) / (ms / 1000) * 10
        const int64_t halves = lines[0] + lines[1];
        if (duration > 0 && halves * 5000 > limits.cpsTenths * duration)
            warn(ReadingRule::Speed,
                 decimal(halves * 500, duration) + u"文字/秒（上限 " + decimal(limits.cpsTenths, 10, true) + u"）");
        const int64_t lineLimit = row.vertical ? limits.charsVertical : limits.charsHorizontal;
        for (int line = 0; line < 2; ++line)
            if (lines[line] > 2 * lineLimit)
                warn(line == 0 ? ReadingRule::Line1Length : ReadingRule::Line2Length,
                     characters(lines[line]) + u"（上限 " + toDecimal(lineLimit) + (row.vertical ? u"、縦）" : u"、横）"));
        if (duration < limits.minMs)
            warn(ReadingRule::TooShort, seconds(duration) + u"秒（下限 " + seconds(limits.minMs) + u"秒）");
        if (duration > limits.maxMs)
            warn(ReadingRule::TooLong, seconds(duration) + u"秒（上限 " + seconds(limits.maxMs) + u"秒）");
        if (i + 1 < rows.size()) {
            const int64_t gap = int64_t(rows[i + 1].start) - row.end();
            if (gap * 10'000 < limits.gapFrames * frameDuration)
                warn(ReadingRule::Gap, decimal(gap * 10'000, frameDuration) + u"フレーム、" + seconds(gap) +
                                           u"秒（下限 " + toDecimal(limits.gapFrames) + u"フレーム）");
        }
    }
    return warnings;
}

std::u16string readingTable(const std::vector<ReadingWarning>& warnings) {
    if (warnings.empty()) return u"読みやすさの規則に反する字幕はありません\n";
    std::vector<std::vector<std::u16string>> cells{{u"行", u"開始時間", u"規則", u"値"}};
    for (const ReadingWarning& w : warnings)
        cells.push_back({toDecimal(w.row), formatTime(w.start, TimeForm::Caption),
                         std::u16string(kRuleNames[std::size_t(w.rule)]), w.figure});
    return u"読みやすさの規則に反する字幕：" + toDecimal(int64_t(warnings.size())) + u"件\n" + alignedTable(cells);
}

}  // namespace qucap
