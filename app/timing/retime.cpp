#include "app/timing/retime.h"

#include <algorithm>
#include <array>
#include <optional>

#include "captiondata/text/text_table.h"
#include "captiondata/text/u16.h"
#include "captiondata/time/time_text.h"

namespace qucap {
namespace {

constexpr std::array<std::u16string_view, 5> kRuleNames{
    u"ショットに合わせる", u"最短時間", u"最長時間", u"間隔を空ける", u"間隔を詰める",
};

// The latest time a caption time can show (9:59:59.99).
constexpr int64_t kLatestTime = kLargestShownTime / 10 * 10;

int64_t wholeCentiseconds(int64_t ms) { return ms / 10 * 10; }

class Retimer {
public:
    Retimer(std::vector<RowTimes>& rows, const std::vector<int64_t>& cuts, const FrameClock& clock,
            const RetimeRules& rules)
        : rows_(rows), cuts_(cuts), clock_(clock), rules_(rules) {}

    void snapStart(int i) {
        RowTimes& row = rows_[std::size_t(i)];
        const int64_t snapped = snapStartTime(row.start, cuts_, clock_, rules_.snap);
        const std::optional<int> previous = timedBefore(i);
        const bool keepsOrder = !previous || snapped > rows_[std::size_t(*previous)].start;
        // A row outside the range keeps its end, so a start may not move under it.
        const bool clearsFixedRow = !previous || *previous >= first_ || snapped >= rows_[std::size_t(*previous)].end;
        if (snapped < row.end && keepsOrder && clearsFixedRow) set(i, RetimeField::Start, snapped, RetimeRule::Shot);
    }

    void fixEnd(int i) {
        const RowTimes& row = rows_[std::size_t(i)];
        const std::optional<int> next = timedAfter(i);
        const int64_t latest = next ? latestEndBefore(rows_[std::size_t(*next)].start) : kLatestTime;
        if (row.end - row.start < rules_.minMs)
            setEnd(i, std::min(row.start + wholeCentiseconds(rules_.minMs), std::max(row.end, latest)),
                   RetimeRule::Minimum);
        // The end the minimum gave snaps too, so a second run changes nothing.
        if (rules_.shots) setEnd(i, snapEndTime(row.end, row.start, cuts_, clock_, rules_.snap), RetimeRule::Shot);
        if (row.end - row.start > rules_.maxMs) setEnd(i, row.start + wholeCentiseconds(rules_.maxMs), RetimeRule::Maximum);
        if (!next) return;
        const int64_t blank = clock_.firstFrameFrom(rows_[std::size_t(*next)].start) - clock_.lastFrameTo(row.end) - 1;
        if (blank < rules_.gapFrames)
            setEnd(i, latest, RetimeRule::Gap);
        else if (blank < rules_.closeFrames && latest - row.start <= rules_.maxMs)
            setEnd(i, latest, RetimeRule::Close);
    }

    void run(int first, int last) {
        first_ = first;
        if (rules_.shots)
            for (int i = first; i <= last; ++i)
                if (rows_[std::size_t(i)].timed()) snapStart(i);
        for (int i = first; i <= last; ++i)
            if (rows_[std::size_t(i)].timed()) fixEnd(i);
    }

    std::vector<RetimeChange> changes;

private:
    // The end that leaves gapFrames frames without a caption before `start`.
    int64_t latestEndBefore(int64_t start) const {
        return std::min(kLatestTime, clock_.endAt(clock_.firstFrameFrom(start) - rules_.gapFrames - 1));
    }
    std::optional<int> timedBefore(int i) const {
        for (int j = i - 1; j >= 0; --j)
            if (rows_[std::size_t(j)].timed()) return j;
        return std::nullopt;
    }
    std::optional<int> timedAfter(int i) const {
        for (int j = i + 1; j < int(rows_.size()); ++j)
            if (rows_[std::size_t(j)].timed()) return j;
        return std::nullopt;
    }
    // Never before the start, and a row at 0 keeps some time (0 and 0 is a row without one).
    void setEnd(int i, int64_t end, RetimeRule rule) {
        const int64_t start = rows_[std::size_t(i)].start;
        set(i, RetimeField::End, std::clamp(end, std::max<int64_t>(start, start == 0 ? 10 : 0), kLatestTime), rule);
    }
    void set(int i, RetimeField field, int64_t value, RetimeRule rule) {
        RowTimes& row = rows_[std::size_t(i)];
        int64_t& time = field == RetimeField::Start ? row.start : row.end;
        if (time == value) return;
        changes.push_back({i, field, time, value, rule});
        time = value;
    }

    std::vector<RowTimes>& rows_;
    const std::vector<int64_t>& cuts_;
    const FrameClock& clock_;
    const RetimeRules& rules_;
    int first_ = 0;
};

std::u16string changeCells(const std::vector<RetimeChange>& changes, std::size_t rows) {
    std::vector<std::vector<std::u16string>> cells{{u"行", u"項目", u"変更前", u"変更後", u"規則"}};
    for (std::size_t i = 0; i < std::min(rows, changes.size()); ++i) {
        const RetimeChange& c = changes[i];
        cells.push_back({toDecimal(c.row + 1), c.field == RetimeField::Start ? u"開始" : u"終了",
                         formatTime(int32_t(c.before), TimeForm::Caption), formatTime(int32_t(c.after), TimeForm::Caption),
                         std::u16string(kRuleNames[std::size_t(c.rule)])});
    }
    return alignedTable(cells);
}

}  // namespace

std::vector<RetimeChange> retimeRows(std::vector<RowTimes>& rows, int first, int last,
                                     const std::vector<int64_t>& cuts, const FrameClock& clock,
                                     const RetimeRules& rules) {
    Retimer retimer(rows, cuts, clock, rules);
    first = std::max(first, 0);
    last = std::min(last, int(rows.size()) - 1);
    if (first <= last && clock.frameDuration > 0) retimer.run(first, last);
    return retimer.changes;
}

std::u16string retimeTable(const std::vector<RetimeChange>& changes) {
    if (changes.empty()) return std::u16string(kRetimeNothing) + u"\n";
    return u"タイミングの変更：" + toDecimal(int64_t(changes.size())) + u"件\n" + changeCells(changes, changes.size());
}

std::u16string retimeQuestion(const std::vector<RetimeChange>& changes) {
    std::u16string text = u"タイミングを次の" + toDecimal(int64_t(changes.size())) + u"件のように変えます。\n" +
                          changeCells(changes, kRetimeQuestionRows);
    if (changes.size() > kRetimeQuestionRows)
        text += u"ほか" + toDecimal(int64_t(changes.size() - kRetimeQuestionRows)) + u"件\n";
    return text + u"実行しますか？";
}

std::u16string retimeDoneMessage(std::size_t changes) {
    return toDecimal(int64_t(changes)) + u"件のタイミングを変えました（元に戻すで戻せます）";
}

}  // namespace qucap
