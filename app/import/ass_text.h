#pragma once
// The text of one Dialogue line: override blocks "{\...}" set the effects
// and colours from the line's style on, "\N" and "\n" break the line and
// "\h" is a space. Drawings and the overrides a caption cannot hold are
// dropped with a note.
#include <cstddef>
#include <string_view>
#include <vector>

#include "app/import/ass_styles.h"
#include "app/import/styled_lines.h"

namespace qucap {

struct AssText {
    std::vector<ImportLine> lines;
    bool vertical = false;  // the style's font, or the last "\fn", starts with "@"
};

AssText readAssText(std::u16string_view text, const AssStyle& lineStyle, const AssStyles& styles,
                    std::size_t sourceLine, CueNotes& notes);

}  // namespace qucap
