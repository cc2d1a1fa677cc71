#pragma once
// The text lines of one SRT cue: the HTML-like tags <b> <i> <u> <s> and
// <font color> set the formatting, entities are decoded, and what a caption
// cannot hold (other tags, <font face>, {\...} blocks) is dropped with a note
// on the cue's first line, where the notes of the rows made of it stand too.
#include <array>
#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "app/import/styled_lines.h"

namespace qucap {

class SrtCueText {
public:
    SrtCueText(CueNotes& notes, std::size_t cueLine) : notes_(notes), cueLine_(cueLine) {}
    // One text line of the cue; the tags still open carry over to the next.
    void addLine(std::u16string_view text);
    std::vector<ImportLine> take() { return lines_.take(); }

private:
    void tag(std::u16string_view inside);
    void fontTag(std::u16string_view attributes);
    ImportStyle style() const;

    CueNotes& notes_;
    std::size_t cueLine_;
    StyledLines lines_;
    bool firstLine_ = true;
    // How often each effect tag is open (tags nest); a stray close is ignored.
    std::array<int, 4> effectDepth_{};
    // The text colour each open <font> leaves in force.
    std::vector<std::optional<Rgb>> fontColours_;
};

}  // namespace qucap
