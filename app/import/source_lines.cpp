#include "app/import/source_lines.h"

namespace qucap {

std::vector<SourceLine> sourceLines(std::u16string_view text) {
    std::vector<SourceLine> lines;
    std::size_t start = 0, number = 1;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] != u'\r' && text[at] != u'\n') continue;
        lines.push_back({number++, text.substr(start, at - start)});
        if (text[at] == u'\r' && at + 1 < text.size() && text[at + 1] == u'\n') ++at;
        start = at + 1;
    }
    if (start < text.size()) lines.push_back({number, text.substr(start)});
    return lines;
}

}  // namespace qucap
