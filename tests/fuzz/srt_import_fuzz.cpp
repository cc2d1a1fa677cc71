// The SRT reader on any text: it neither crashes nor loops, and what it
// gives holds together (import_checks.h); a file of cues always fails or
// gives at least one cue.
#include <cstdint>

#include "app/import/readers.h"
#include "tests/fuzz/import_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace qucap;
    const std::u16string text = fuzz::utf16Of(data, size);
    const ImportedCaptions captions = readSrt(text);
    fuzz::requireSoundCaptions(captions, text);
    fuzz::require(captions.cues.empty() != captions.failure.empty());
    return 0;
}
