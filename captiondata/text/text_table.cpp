#include "captiondata/text/text_table.h"

#include <algorithm>

namespace qucap {

bool isHalfWidth(char16_t c) { return (c >= 0x20 && c < 0x7F) || (c >= 0xFF61 && c <= 0xFF9F); }

std::size_t displayWidth(std::u16string_view text) {
    std::size_t width = 0;
    for (const char16_t c : text) width += isHalfWidth(c) ? 1 : 2;
    return width;
}

std::u16string alignedTable(const std::vector<std::vector<std::u16string>>& rows) {
    std::vector<std::size_t> widths;
    for (const auto& row : rows)
        for (std::size_t c = 0; c + 1 < row.size(); ++c) {
            if (widths.size() <= c) widths.resize(c + 1);
            widths[c] = std::max(widths[c], displayWidth(row[c]));
        }
    std::u16string table;
    for (const auto& row : rows) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            table += row[c];
            if (c + 1 < row.size()) table += std::u16string(widths[c] - displayWidth(row[c]) + 2, u' ');
        }
        table += u'\n';
    }
    return table;
}

}  // namespace qucap
