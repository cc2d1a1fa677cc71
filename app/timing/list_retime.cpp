#include "app/timing/list_retime.h"

#include "app/core/caption_list/caption_columns.h"
#include "captiondata/time/time_text.h"

namespace qucap {

std::vector<RowTimes> rowTimesOf(const CaptionList& list) {
    std::vector<RowTimes> rows(std::size_t(list.rowCount()));
    for (int i = 0; i < list.rowCount(); ++i) {
        RowTimes& row = rows[std::size_t(i)];
        row.start = parseTime(list.cell(i, ColStart));
        row.end = row.start + parseTime(list.cell(i, ColDuration));
    }
    return rows;
}

void applyRowTimes(CaptionList& list, const std::vector<RowTimes>& rows, const std::vector<RetimeChange>& changes) {
    for (const RetimeChange& change : changes) {
        const RowTimes& row = rows[std::size_t(change.row)];
        list.setCell(change.row, ColStart, formatTime(int32_t(row.start), TimeForm::Caption));
        list.setCell(change.row, ColDuration, formatTime(int32_t(row.end - row.start), TimeForm::Caption));
    }
}

}  // namespace qucap
