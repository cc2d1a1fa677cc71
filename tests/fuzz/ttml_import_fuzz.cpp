// The TTML reader on any bytes, taken as UTF-8 so the fuzzer works on the
// XML itself: it never crashes, and what it gives holds together: either a
// failure and nothing else, or cues with times in range and lines of text,
// and notes that say something about a line of the text.
#include <cstdint>
#include <string_view>

#include "app/import/readers.h"
#include "app/import/source_lines.h"
#include "captiondata/text/u16.h"
#include "tests/fuzz/fuzz_support.h"

using namespace qucap;
using fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::u16string text = fromUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
    const ImportedCaptions captions = readTtml(text);
    const std::size_t lines = sourceLines(text).size();
    if (!captions.failure.empty()) {
        require(captions.cues.empty() && captions.notes.empty());
        return 0;
    }
    for (const ImportCue& cue : captions.cues) {
        require(cue.start >= 0 && cue.end >= 0);
        require(cue.sourceLine >= 1 && cue.sourceLine <= lines);
        for (const ImportLine& line : cue.lines)
            for (const ImportPiece& piece : line) {
                require(!piece.base.empty());
                for (const ImportRun& run : piece.base) require(!run.text.empty());
                for (const ImportRun& run : piece.reading) require(!run.text.empty());
            }
    }
    for (const ImportNote& note : captions.notes) require(!note.text.empty() && note.sourceLine <= lines);
    return 0;
}
