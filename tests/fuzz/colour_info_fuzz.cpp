// Colour-info file: both readers, the apply step and a write of what was read
// must take any bytes; what the program writes it must read back complete.
#include <cstddef>
#include <cstdint>
#include <string>

#include "captiondata/colour/colour_info.h"
#include "tests/support/test_io.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace qucap;
    test::TestIo t;
    const Io& io = t.io;
    const std::u16string path = t.inputFile(data, size);
    const std::u16string copy = u"C:\\in\\copy.csv";

    ColourInfoFile file;
    if (readColourInfoForProgram(io, path, file) != 0) __builtin_trap();
    const ColourTable applied = applyColourInfo(file);
    for (int slot = 0; slot < kColourSlotCount; ++slot) {
        differsFromDefault(applied[slot], slot);
        for (int role = 0; role < kColourRoleCount; ++role) {
            const Colour& colour = applied[slot][ColourRole(role)];
            if (colour.text.size() > 6 || colour.value > 0xFFFFFF) __builtin_trap();
        }
    }

    ColourTable filter;
    if (readColourInfoForFilter(io, path, filter) != 0) __builtin_trap();

    if (writeColourInfo(io, copy, applied) != 0) __builtin_trap();
    ColourInfoFile again;
    if (readColourInfoForProgram(io, copy, again) != 0 || !isCompleteColourFile(again)) __builtin_trap();
    if (writeColourInfo(io, copy, filter) != 0) __builtin_trap();
    return 0;
}
