#include "captiondata/text/lines.h"

namespace qucap {

std::vector<std::u16string> splitLines(std::u16string_view text, std::size_t maxChars, SubRule rule) {
    std::vector<std::u16string> lines;
    std::u16string current;
    char16_t previous = 0;
    auto endLine = [&] {
        lines.push_back(std::move(current));
        current.clear();
    };
    for (const char16_t c : text) {
        const char16_t before = previous;
        previous = c;
        if (c == u'\r') {
            endLine();
        } else if (c == u'\n') {
            if (before != u'\r') endLine();
        } else if (c == u'\x1A') {
            if (rule == SubRule::EndsLine) {
                endLine();
            } else if (before != u'\n') {
                endLine();
                return lines;
            }
        } else if (current.size() < maxChars) {
            current += c;
        }
    }
    if (!current.empty()) lines.push_back(std::move(current));
    return lines;
}

}  // namespace qucap
