// Box-info file: both readers and a write of what was read must take any
// bytes; rows taken through the box list and written read back the same.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "captiondata/box/box_info.h"
#include "tests/support/test_io.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace qucap;
    test::TestIo t;
    const Io& io = t.io;
    const std::u16string path = t.inputFile(data, size);
    const std::u16string copy = u"C:\\in\\copy.csv";

    BoxTable program;
    if (readBoxInfoForProgram(io, path, program) != 0) __builtin_trap();
    BoxTable filter;
    if (readBoxInfoForFilter(io, path, filter) != 0) __builtin_trap();
    if (program.size() != filter.size()) __builtin_trap();
    for (const BoxRow& row : program)
        if (!row.isBox() || row.colour.size() > 2 || row.startTime != 0 || row.endTime != 0) __builtin_trap();

    std::vector<BoxRow> listed;
    for (const BoxRow& row : program) listed.push_back(boxRowFromCells(boxListCellsOf(row)));
    if (listed != program) __builtin_trap();
    if (writeBoxInfo(io, copy, listed, {333'667, 720}) != 0) __builtin_trap();
    BoxTable again;
    if (readBoxInfoForProgram(io, copy, again) != 0) __builtin_trap();
    if (!listed.empty() && again != program) __builtin_trap();
    return 0;
}
