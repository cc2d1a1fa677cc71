#include "app/core/caption_list/row_range.h"

#include "captiondata/text/u16.h"

namespace qucap {

RowRange rowRangeOf(bool allRows, std::u16string_view firstRow, std::u16string_view lastRow, int rowCount, Ui& ui) {
    if (allRows) return {0, rowCount - 1};
    const int32_t first = readLeadingInt(firstRow);
    const int32_t last = readLeadingInt(lastRow);
    if (first < 1 || first > rowCount) {
        ui.setMessage(kFirstRowError);
        return {0, -1, RangeField::FirstRow};
    }
    if (last < 1 || last > rowCount || last < first) {
        ui.setMessage(kLastRowError);
        return {0, -1, RangeField::LastRow};
    }
    return {first - 1, last - 1};
}

}  // namespace qucap
