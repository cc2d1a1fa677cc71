#pragma once
// Tables printed on a console: columns padded to the widest cell, counting a
// full-width character as two columns.
#include <string>
#include <string_view>
#include <vector>

namespace qucap {

// ASCII and half-width katakana take one column.
bool isHalfWidth(char16_t c);

// Columns taken by the text.
std::size_t displayWidth(std::u16string_view text);

// One line per row, each cell but the last padded to its column's width and
// two spaces.
std::u16string alignedTable(const std::vector<std::vector<std::u16string>>& rows);

}  // namespace qucap
