// The ASS/SSA reader on any text: it neither crashes nor loops, and what it
// gives holds together (import_checks.h).
#include <cstdint>

#include "app/import/readers.h"
#include "tests/fuzz/import_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::u16string text = qucap::fuzz::utf16Of(data, size);
    qucap::fuzz::requireSoundCaptions(qucap::readAss(text), text);
    return 0;
}
