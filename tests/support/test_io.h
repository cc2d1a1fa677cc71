#pragma once
// A ready Io for tests: in-memory files, a recording Ui, the platform decoder.
#include <string>
#include <string_view>

#include "captiondata/io/io.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/platform_shiftjis.h"
#include "tests/support/recording_ui.h"

namespace qucap::test {

struct TestIo {
    MemoryFileSystem files;
    RecordingUi ui;
    Io io{files, ui, platformShiftJis()};

    TestIo() = default;
    // A fuzz input as the file C:\in\input.csv (its folder made too); its path.
    std::u16string inputFile(const unsigned char* data, std::size_t size);
    TestIo(const TestIo&) = delete;
    TestIo& operator=(const TestIo&) = delete;
};

// Bytes of a UTF-16LE file with mark whose lines end in CR LF.
std::string utf16File(std::initializer_list<std::u16string_view> lines);
// UTF-16LE bytes of a text without mark or line ends.
std::string utf16Bytes(std::u16string_view text);
// Decodes UTF-16LE bytes (after an FF FE mark when there is one).
std::u16string fromUtf16Bytes(std::string_view bytes);
// Reads a fixture from tests/data.
std::string readFixture(std::string_view name);

}  // namespace qucap::test
