#pragma once
// Splits decoded text into the lines the readers work on.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qucap {

// What the SUB character (U+001A) does.
enum class SubRule {
    EndsLine,               // SUB ends a line like CR
    EndsFileUnlessAfterLf,  // SUB directly after LF is ignored; any other SUB ends the line and the file
};

// A line ends at CR, at a LF that does not follow a CR, or at SUB (see rule);
// a LF after CR is ignored. A last line without a line end is a line too when
// it holds any character. Each line keeps at most `maxChars` characters.
std::vector<std::u16string> splitLines(std::u16string_view text, std::size_t maxChars, SubRule rule);

// The lines (1 for the first, as splitLines with SubRule::EndsLine counts
// them) on which the characters at `offsets` (in order) stand, each line once.
std::vector<std::size_t> lineNumbersOf(std::u16string_view text, const std::vector<std::size_t>& offsets);

}  // namespace qucap
