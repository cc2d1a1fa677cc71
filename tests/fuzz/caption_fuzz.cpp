// Caption-info file: both readers, the table normalisation and a write of
// what was read must take any bytes without crashing or hanging.
#include <cstdint>
#include <string>

#include "captiondata/caption/caption_file.h"
#include "captiondata/markup/table_normalise.h"
#include "tests/support/test_io.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace qucap;
    test::TestIo t;
    const Io& io = t.io;
    const std::u16string path = t.inputFile(data, size);

    CaptionTable filterTable;
    readCaptionInfoForFilter(io, path, filterTable);
    CaptionTable table;
    if (readCaptionInfoForProgram(io, path, table) != 0) return 0;
    normaliseCaptionTable(table);
    findRowAtTime(table, 5'000);

    std::vector<CaptionFileRow> rows;
    for (const CaptionRow& row : table) {
        if (!row.isCaption()) continue;
        CaptionFileRow out;
        out.number = std::u16string(1, u'1');
        out.vertical = row.orientation == kVertical;
        out.texts = row.texts;
        out.positions = row.positions;
        out.lock = row.lock;
        rows.push_back(std::move(out));
    }
    writeCaptionInfo(io, path, rows);
    CaptionTable again;
    readCaptionInfoForProgram(io, path, again);
    return 0;
}
