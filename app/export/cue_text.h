#pragma once
// What the styled subtitle writers (WebVTT, TTML) need of a caption line:
// its visible text cut into runs of equal formatting, with each ruby group
// around exactly the body characters its base names, as the filter anchors
// them. Also the project values the writers style with.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "captiondata/colour/colour_info.h"
#include "captiondata/io/io.h"
#include "captiondata/markup/markup.h"
#include "captiondata/project/project_settings.h"

namespace qucap {

// Characters with the same formatting, next to each other.
struct StyledRun {
    std::u16string text;
    FormattingState format;
};

// Either plain runs of the body, or one ruby group: its base runs (the body
// characters the group is anchored to) and its reading.
struct CuePiece {
    std::vector<StyledRun> base;
    std::vector<StyledRun> reading;  // empty: `base` is text without ruby
};

using CueLine = std::vector<CuePiece>;

// Which formatting a writer can show; the rest is left out before runs are
// joined, so a change it cannot show does not split a run.
enum class RunDetail { TextOnly, WithBorder };

// The line built from its body and ruby markup. Ruby groups whose base is not
// in the body, has no reading, or overlaps the group before are left as plain
// body text. Characters no subtitle file can hold (control characters) are
// dropped.
CueLine cueLine(std::u16string_view bodyMarkup, std::u16string_view rubyMarkup, RunDetail detail);

bool isEmptyLine(const CueLine& line);

// The CSS name of a colour slot letter (either case): "red" … "white".
std::u16string_view colourClassOf(char16_t letter);
// "#RRGGBB" of a slot's colour, for a slot letter in either case.
std::u16string cssColour(const ColourTable& colours, char16_t letter, ColourRole role);

// Text with "&", "<" and ">" written as entities, as SAMI, WebVTT and TTML
// all need (in WebVTT "-->" cannot appear once ">" is escaped).
std::u16string markupEscaped(std::u16string_view text);

// The project values the styled writers use.
struct CueStyle {
    ColourTable colours = defaultColourTable();
    int32_t layoutType = 1;  // 1: ruby on the outer side of each line; 2: between the lines
    int32_t mainSize = 32, rubySize = 16;
    int32_t mainBorderWidth = 3, rubyBorderWidth = 1;
};

// The settings' values with the colours the program would load from the
// project's colour-info file (the defaults when it has none or it is incomplete).
CueStyle cueStyleOf(const Io& io, const ProjectSettings& settings);

// "hh:mm:ss.mmm" with as many hour digits as needed (at least two): both
// formats write the real time, past the caption list's ten hours too.
std::u16string cueTime(int64_t milliseconds);

}  // namespace qucap
