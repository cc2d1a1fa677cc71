#include "app/import/ttml_lines.h"

#include "app/import/text_scan.h"

namespace qucap {
namespace {

void appendRun(std::vector<ImportRun>& runs, std::u16string_view text, const ImportStyle& style) {
    if (!runs.empty() && runs.back().style == style)
        runs.back().text += text;
    else
        runs.push_back({std::u16string(text), style});
}

}  // namespace

void TtmlLines::append(std::u16string_view text, const ImportStyle& style) {
    ImportLine& line = lines_.back();
    if (line.empty() || !line.back().reading.empty()) line.emplace_back();
    appendRun(line.back().base, text, style);
    hasContent_ = true;
}

void TtmlLines::flushSpace() {
    if (pendingSpace_ && hasContent_) append(u" ", spaceStyle_);
    pendingSpace_ = false;
}

void TtmlLines::text(std::u16string_view text, const ImportStyle& style, bool preserve) {
    std::size_t at = 0;
    while (at < text.size()) {
        if (preserve) {
            const std::size_t end = text.find(u'\n', at);
            const std::u16string_view part = text.substr(at, end - at);
            if (!part.empty()) {
                flushSpace();
                append(part, style);
            }
            if (end == std::u16string_view::npos) break;
            if (breaks_) lineBreak();
            at = end + 1;
            continue;
        }
        if (isXmlSpace(text[at])) {
            while (at < text.size() && isXmlSpace(text[at])) ++at;
            if (!pendingSpace_) spaceStyle_ = style;
            pendingSpace_ = true;
            continue;
        }
        std::size_t end = at;
        while (end < text.size() && !isXmlSpace(text[end])) ++end;
        flushSpace();
        append(text.substr(at, end - at), style);
        at = end;
    }
}

void TtmlLines::lineBreak() {
    if (!breaks_) return;
    lines_.emplace_back();
    hasContent_ = pendingSpace_ = false;
}

void TtmlLines::ruby(ImportPiece group) {
    flushSpace();
    lines_.back().push_back(std::move(group));
    hasContent_ = true;
}

std::vector<ImportRun> TtmlLines::runs() const {
    std::vector<ImportRun> out;
    for (const ImportLine& line : lines_)
        for (const ImportPiece& piece : line)
            for (const ImportRun& run : piece.base) appendRun(out, run.text, run.style);
    return out;
}

}  // namespace qucap
