#pragma once
// The text lines of one SRT cue: the HTML-like tags <b> <i> <u> <s> and
// <font color> set the formatting, entities are decoded, and what a caption
// cannot hold (other tags, <font face>, {\...} blocks) is dropped with a note.
#include <array>
#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "app/import/styled_lines.h"

namespace qucap {

class SrtCueText {
public:
    explicit SrtCueText(CueNotes& notes) : notes_(notes) {}
    // One text line of the cue; the tags still open carry over to the next.
    void addLine(std::u16string_view text, std::size_t sourceLine);
    std::vector<ImportLine> take() { return lines_.take(); }

private:
    void tag(std::u16string_view inside, std::size_t sourceLine);
    void fontTag(std::u16string_view attributes, std::size_t sourceLine);
    ImportStyle style() const;

    CueNotes& notes_;
    StyledLines lines_;
    bool firstLine_ = true;
    // How often each effect tag is open (tags nest); a stray close is ignored.
    std::array<int, 4> effectDepth_{};
    // The text colour each open <font> leaves in force.
    std::vector<std::optional<Rgb>> fontColours_;
};

}  // namespace qucap
