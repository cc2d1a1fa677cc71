// The WebVTT reader on any text, read from the bytes both as UTF-8 and as
// UTF-16: it never crashes, and what it gives holds together: a file it
// fails has no cues, every cue and note points at a line of the file, every
// run has text and every reading has a base.
#include <cstdint>
#include <string>

#include "app/import/readers.h"
#include "app/import/source_lines.h"
#include "captiondata/text/u16.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

using namespace qucap;
using fuzz::require;

void requireRuns(const std::vector<ImportRun>& runs) {
    for (const ImportRun& run : runs) require(!run.text.empty());
}

void check(const std::u16string& text) {
    const ImportedCaptions captions = readWebVtt(text);
    require(captions.failure.empty() || (captions.cues.empty() && captions.notes.empty()));
    const std::size_t lines = sourceLines(text).size();
    for (const ImportCue& cue : captions.cues) {
        require(cue.sourceLine >= 1 && cue.sourceLine <= lines);
        for (const ImportLine& line : cue.lines) {
            for (const ImportPiece& piece : line) {
                require(!piece.base.empty());
                requireRuns(piece.base);
                requireRuns(piece.reading);
            }
        }
    }
    for (const ImportNote& note : captions.notes) require(!note.text.empty() && note.sourceLine <= lines);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    check(fromUtf8(std::string(reinterpret_cast<const char*>(data), size)));
    check(fuzz::utf16Of(data, size));
    return 0;
}
