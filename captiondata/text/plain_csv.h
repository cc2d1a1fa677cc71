#pragma once
// Rows of the small comma-separated files (colour-info and box-info): no
// quoting, lines of at most 255 characters, fields of at most 63.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qucap {

// The lines of a decoded file: CR, a lone LF and SUB end a line; each line
// keeps at most 255 characters.
std::vector<std::u16string> plainCsvLines(std::u16string_view text);

// The fields of a line, split at every comma, each cut to 63 characters.
// At most `maxFields` fields: text after the last one's end is ignored.
std::vector<std::u16string> plainCsvFields(std::u16string_view line, std::size_t maxFields);

// The number a row starts with; rows whose number is 0 or less (the header,
// blank lines, comments) are skipped by the readers.
int32_t plainCsvRowNumber(const std::vector<std::u16string>& fields);

}  // namespace qucap
