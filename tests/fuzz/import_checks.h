#pragma once
// What the SRT and ASS readers promise on any text, checked by their fuzz
// targets: cues in file order on lines the file has, runs that hold text,
// notes that say something, and a failure only when no cue was read.
#include <cstddef>

#include "app/import/imported_captions.h"
#include "app/import/source_lines.h"
#include "tests/fuzz/fuzz_support.h"

namespace qucap::fuzz {

inline void requireSoundCaptions(const ImportedCaptions& captions, std::u16string_view text) {
    const std::size_t lineCount = sourceLines(text).size();
    std::size_t previous = 0;
    for (const ImportCue& cue : captions.cues) {
        require(cue.sourceLine > previous && cue.sourceLine <= lineCount);
        previous = cue.sourceLine;
        for (const ImportLine& line : cue.lines)
            for (const ImportPiece& piece : line) {
                require(!piece.base.empty() && piece.reading.empty());
                for (const ImportRun& run : piece.base) require(!run.text.empty());
            }
    }
    for (const ImportNote& note : captions.notes) require(!note.text.empty() && note.sourceLine <= lineCount);
    require(captions.failure.empty() || captions.cues.empty());
}

}  // namespace qucap::fuzz
