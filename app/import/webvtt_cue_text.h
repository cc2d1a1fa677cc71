#pragma once
// A WebVTT cue's text as caption lines: its tags become effects, colours
// and ruby groups; what lines cannot hold becomes notes.
#include <cstddef>
#include <string_view>
#include <vector>

#include "app/import/imported_captions.h"
#include "app/import/webvtt_style.h"

namespace qucap {

struct CueText {
    std::vector<ImportLine> lines;
    std::vector<ImportNote> notes;  // one per kind of thing left out
};

// `text` is the cue's text lines joined by line feeds; the first of them is
// the file's line `firstLine`. An empty text has no lines.
CueText readCueText(std::u16string_view text, std::size_t firstLine, const WebVttStyles& styles);

}  // namespace qucap
