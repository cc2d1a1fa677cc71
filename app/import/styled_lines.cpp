#include "app/import/styled_lines.h"

namespace qucap {

void StyledLines::append(std::u16string_view text, const ImportStyle& style) {
    if (text.empty()) return;
    used_ = true;
    ImportLine& line = lines_.back();
    if (line.empty()) line.emplace_back();
    std::vector<ImportRun>& runs = line.back().base;
    if (!runs.empty() && runs.back().style == style) {
        runs.back().text += text;
    } else {
        runs.push_back({std::u16string(text), style});
    }
}

void StyledLines::breakLine() {
    used_ = true;
    lines_.emplace_back();
}

std::vector<ImportLine> StyledLines::take() {
    std::vector<ImportLine> lines = used_ ? std::move(lines_) : std::vector<ImportLine>{};
    lines_.assign(1, ImportLine{});
    used_ = false;
    return lines;
}

void CueNotes::note(std::size_t sourceLine, std::u16string text) {
    if (noted_.insert(text).second) captions_.note(sourceLine, std::move(text));
}

}  // namespace qucap
