#pragma once
// Splitting and quoting of the caption-info file's comma-separated fields.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qucap {

// Splits a line into `fieldCount` fields: a double quote switches the
// inside-quotes state, a comma outside quotes ends a field, the last field
// ends at the next such comma and the rest of the line is ignored. Each field
// keeps at most `fieldMax` characters. Quotes are then removed: a lone quote
// disappears, two adjacent quotes give one; a field of quotes only (2n + 2 of
// them) holds n quotes, so every field the writer quotes reads back as it was.
std::vector<std::u16string> splitQuotedFields(std::u16string_view line, std::size_t fieldCount, std::size_t fieldMax);

// A field holding a comma or a double quote is enclosed in double quotes with
// its quotes doubled; any other field is returned as it stands.
std::u16string quoteField(std::u16string_view field);

}  // namespace qucap
