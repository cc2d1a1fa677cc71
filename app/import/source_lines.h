#pragma once
// The lines of a decoded subtitle file with their numbers, as the
// line-based readers (SRT, WebVTT, ASS) walk them.
#include <cstddef>
#include <string_view>
#include <vector>

namespace qucap {

struct SourceLine {
    std::size_t number;      // 1 for the first line
    std::u16string_view text;  // without its line end
};

// Lines end at CR LF, LF or CR; a last line without an end counts too, and
// an empty text has no lines.
std::vector<SourceLine> sourceLines(std::u16string_view text);

}  // namespace qucap
