#include "app/core/caption_list/caption_validation.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "captiondata/markup/markup_check.h"
#include "captiondata/text/u16.h"
#include "captiondata/time/time_text.h"

namespace qucap {

namespace {

constexpr std::size_t kRowNumberDigitsMax = 9;

// The fault of one row without the "エラー：" n prefix, or nothing. `earlierEnd`
// is the end of the last earlier row that had a time, when there is one.
std::optional<std::u16string> rowFault(const WorkingRow& row, std::optional<int64_t> earlierEnd) {
    if (!isValidCaptionTime(row.start, TimeChecker::Program)) return u"行目の開始時間の指定に誤りがあります";
    if (!isValidCaptionTime(row.duration, TimeChecker::Program)) return u"行目の表示時間の指定に誤りがあります";
    const int32_t start = parseTime(row.start);
    const int32_t duration = parseTime(row.duration);
    if ((start > 0 || duration > 0) && earlierEnd && start < *earlierEnd) {
        const auto end = int32_t(std::min<int64_t>(*earlierEnd, INT32_MAX));
        return u"行目の開始時間の指定に誤りがあります、" + formatTime(end, TimeForm::Caption) + u" 以降の時間を設定して下さい";
    }
    if (const MarkupFault fault = firstMarkupFault(row.texts); fault != MarkupFault::None)
        return std::u16string(markupFaultMessage(fault));
    return std::nullopt;
}

}  // namespace

std::u16string captionListFault(const CaptionList& list) {
    std::optional<int64_t> earlierEnd;
    for (int i = 0; i < list.rowCount(); ++i) {
        WorkingRow row;
        list.readRow(i, row);
        if (auto fault = rowFault(row, earlierEnd))
            return u"エラー：" + truncated(toDecimal(row.number), kRowNumberDigitsMax) + *fault;
        const int32_t start = parseTime(row.start);
        const int32_t duration = parseTime(row.duration);
        if (start > 0 || duration > 0) earlierEnd = int64_t(start) + duration;
    }
    return {};
}

int validateCaptionList(const CaptionList& list, Ui& ui) {
    const std::u16string fault = captionListFault(list);
    ui.setMessage(fault);
    return fault.empty() ? 0 : -1;
}

}  // namespace qucap
