#pragma once
// The text lines of one cue as a line-based reader builds them, and the
// notes of one cue, each said once.
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "app/import/imported_captions.h"

namespace qucap {

// Text appended with the style in force joins the run before it when the
// style is the same; a line break starts the next line.
class StyledLines {
public:
    void append(std::u16string_view text, const ImportStyle& style);
    void breakLine();
    // The lines; none when nothing was appended and no line broken.
    std::vector<ImportLine> take();

private:
    std::vector<ImportLine> lines_{ImportLine{}};
    bool used_ = false;
};

// Passes notes on to the captions, leaving out a text already noted for the
// current cue, so a code repeated in one cue is noted once.
class CueNotes {
public:
    explicit CueNotes(ImportedCaptions& captions) : captions_(captions) {}
    void note(std::size_t sourceLine, std::u16string text);
    void nextCue() { noted_.clear(); }

private:
    ImportedCaptions& captions_;
    std::unordered_set<std::u16string> noted_;
};

}  // namespace qucap
