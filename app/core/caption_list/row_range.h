#pragma once
// The rows a range operation of the display-position and timeline tabs
// works on: all rows, or the rows from a first to a last row number as the
// user typed them.
#include <string_view>

#include "captiondata/io/ui.h"

namespace qucap {

inline constexpr std::u16string_view kFirstRowError = u"エラー：開始行番号の指定に誤りがあります";
inline constexpr std::u16string_view kLastRowError = u"エラー：終了行番号の指定に誤りがあります";

// The field a refused operation puts the focus on.
enum class RangeField { None, FirstRow, LastRow, Amount };

struct RowRange {
    int first = 0;  // 0-based, inclusive
    int last = -1;
    RangeField refused = RangeField::None;  // the row field that is wrong
    bool ok() const { return refused == RangeField::None; }
};

// All `rowCount` rows, or the typed range; a number outside 1..rowCount (or a
// last row before the first) refuses the range and says why in the message line.
RowRange rowRangeOf(bool allRows, std::u16string_view firstRow, std::u16string_view lastRow, int rowCount, Ui& ui);

}  // namespace qucap
