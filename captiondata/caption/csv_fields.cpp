#include "captiondata/caption/csv_fields.h"

namespace qucap {

namespace {

std::u16string unquote(std::u16string_view field) {
    // A field of nothing but an even number of quotes is a quoted field holding
    // quotes only, as the writer makes it: 2n + 2 quotes stand for n quotes.
    // Pairing from the left would give one quote too many.
    if (!field.empty() && field.size() % 2 == 0 && field.find_first_not_of(u'"') == std::u16string_view::npos)
        return std::u16string(field.size() / 2 - 1, u'"');
    std::u16string out;
    out.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != u'"') {
            out += field[i];
        } else if (i + 1 < field.size() && field[i + 1] == u'"') {
            out += u'"';
            ++i;
        }
    }
    return out;
}

}  // namespace

std::vector<std::u16string> splitQuotedFields(std::u16string_view line, std::size_t fieldCount, std::size_t fieldMax) {
    std::vector<std::u16string> fields(fieldCount);
    std::size_t current = 0;
    bool insideQuotes = false;
    for (const char16_t c : line) {
        if (c == u',' && !insideQuotes) {
            if (++current == fieldCount) break;
            continue;
        }
        if (c == u'"') insideQuotes = !insideQuotes;
        if (fields[current].size() < fieldMax) fields[current] += c;
    }
    for (auto& field : fields) field = unquote(field);
    return fields;
}

std::u16string quoteField(std::u16string_view field) {
    if (field.find_first_of(u",\"") == std::u16string_view::npos) return std::u16string(field);
    std::u16string quoted = u"\"";
    for (const char16_t c : field) {
        quoted += c;
        if (c == u'"') quoted += u'"';
    }
    quoted += u'"';
    return quoted;
}

}  // namespace qucap
