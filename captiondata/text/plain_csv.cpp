#include "captiondata/text/plain_csv.h"

#include "captiondata/limits.h"
#include "captiondata/text/lines.h"
#include "captiondata/text/u16.h"

namespace qucap {

std::vector<std::u16string> plainCsvLines(std::u16string_view text) {
    return splitLines(text, kSmallLineMax, SubRule::EndsLine);
}

std::vector<std::u16string> plainCsvFields(std::u16string_view line, std::size_t maxFields) {
    std::vector<std::u16string> fields;
    if (maxFields == 0) return fields;
    fields.emplace_back();
    for (const char16_t c : line) {
        if (c == u',') {
            if (fields.size() == maxFields) break;
            fields.emplace_back();
        } else if (fields.back().size() < kSmallFieldMax) {
            fields.back() += c;
        }
    }
    return fields;
}

int32_t plainCsvRowNumber(const std::vector<std::u16string>& fields) {
    return fields.empty() ? 0 : readLeadingInt(fields.front());
}

}  // namespace qucap
