#pragma once
// The caption markup of an imported cue's two lines: codes for the effects
// and the palette slots nearest to the file's colours, and each line's ruby
// as base(reading) groups anchored on exactly the characters the file put
// the ruby on.
#include <array>
#include <string>
#include <vector>

#include "app/import/imported_captions.h"
#include "captiondata/caption/caption_row.h"
#include "captiondata/colour/colour_info.h"

namespace qucap {

// The palette slot nearest to a colour, remembering which colours of the
// file were not in the palette, so each is noted once.
class PaletteMatcher {
public:
    explicit PaletteMatcher(const ColourTable& palette) : palette_(palette) {}
    // The upper-case slot letter of the text colour nearest to `colour`
    // (border: the lower-case letter of the nearest border start colour).
    // `notes` gets a note the first time a colour is not exactly a slot's.
    char16_t textSlot(Rgb colour, std::vector<std::u16string>& notes);
    char16_t borderSlot(Rgb colour, std::vector<std::u16string>& notes);

private:
    char16_t nearest(Rgb colour, ColourRole role, std::vector<std::u16string>& notes);

    const ColourTable& palette_;
    std::vector<std::pair<Rgb, ColourRole>> noted_;
};

// The four texts (line-1 body, line-1 ruby, line-2 body, line-2 ruby) with
// markup, each ending with every effect off and each carrying the colours
// it would otherwise inherit from the text before it.
struct RowTexts {
    std::array<std::u16string, kTextCount> texts;
    // The index of a ruby text whose groups would not fit a text once
    // framed with their codes (so it holds less than the file gave), or -1.
    int unfitRuby = -1;
};
// `notes` gets what had to be changed.
RowTexts rowTexts(const std::array<ImportLine, 2>& lines, PaletteMatcher& palette, std::vector<std::u16string>& notes);

// Whether the line shows any character.
bool hasVisibleText(const ImportLine& line);

}  // namespace qucap
