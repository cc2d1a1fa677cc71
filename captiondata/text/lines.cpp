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

std::vector<std::size_t> lineNumbersOf(std::u16string_view text, const std::vector<std::size_t>& offsets) {
    std::vector<std::size_t> numbers;
    std::size_t line = 1;
    std::size_t at = 0;
    for (const std::size_t offset : offsets) {
        for (; at < offset && at < text.size(); ++at) {
            const char16_t c = text[at];
            const bool lfAfterCr = c == u'\n' && at > 0 && text[at - 1] == u'\r';
            if ((c == u'\r' || c == u'\n' || c == u'\x1A') && !lfAfterCr) ++line;
        }
        if (numbers.empty() || numbers.back() != line) numbers.push_back(line);
    }
    return numbers;
}

}  // namespace qucap
