// Readers of outside bytes on hostile input: huge rows, huge lines, garbage.
#include <gtest/gtest.h>

#include <chrono>
#include <random>

#include "captiondata/caption/captionfile.h"
#include "tests/support/test_io.h"

namespace qucap {
namespace {

using test::TestIo;

constexpr std::u16string_view kPath = u"C:\\p\\c.csv";

TEST(Robustness, HundredThousandCaptionRowsReadQuickly) {
    TestIo t;
    std::u16string text = std::u16string(kCaptionFileHeader) + u"\r\n";
    for (int i = 1; i <= 100'000; ++i) text += u"1,0:00:01.00,0:00:01.00,横,字幕,0,じまく,0,,0,,0,0\r\n";
    t.files.addFile(kPath, "\xFF\xFE" + test::utf16Bytes(text));
    CaptionTable table;
    const auto started = std::chrono::steady_clock::now();
    ASSERT_EQ(readCaptionInfoForProgram(t.io, kPath, table), 0);
    const auto elapsed = std::chrono::steady_clock::now() - started;
    EXPECT_EQ(table.size(), 100'001u);
    EXPECT_EQ(table[99'999].texts[Line1Body], u"字幕");
    EXPECT_LT(elapsed, std::chrono::seconds(10));
}

TEST(Robustness, TenMegabyteLineAndGarbageDoNotHurt) {
    TestIo t;
    t.files.addFile(kPath, std::string(10'000'000, 'x'));
    CaptionTable table;
    EXPECT_EQ(readCaptionInfoForProgram(t.io, kPath, table), 0);
    EXPECT_EQ(readCaptionInfoForFilter(t.io, kPath, table), 0);

    std::mt19937 random(7);
    for (int round = 0; round < 50; ++round) {
        std::string bytes(4096, '\0');
        for (char& c : bytes) c = char(random() & 0xFF);
        if (round % 2) bytes.replace(0, 2, "\xFF\xFE");
        t.files.addFile(kPath, bytes);
        readCaptionInfoForProgram(t.io, kPath, table);
        readCaptionInfoForFilter(t.io, kPath, table);
    }
}

}  // namespace
}  // namespace qucap
