// Readers of outside bytes on hostile input: huge rows, huge lines, garbage.
#include <gtest/gtest.h>

#include <chrono>
#include <random>

#include "app/core/display_items/display_list.h"
#include "captiondata/box/box_info.h"
#include "captiondata/caption/caption_file.h"
#include "captiondata/colour/colour_info.h"
#include "captiondata/profile/ini_profile.h"
#include "tests/support/test_io.h"

namespace qucap {
namespace {

using test::TestIo;

constexpr std::u16string_view kPath = u"C:\\p\\c.csv";

// The sanitizer build runs several times slower; the time limit is for the real build.
#if defined(__SANITIZE_ADDRESS__)
constexpr auto kReadLimit = std::chrono::seconds(60);
#else
constexpr auto kReadLimit = std::chrono::seconds(10);
#endif

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
    EXPECT_LT(elapsed, kReadLimit);
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

// Every other reader on the same hostile inputs: a huge line, a huge number
// of rows, NUL characters and random bytes with and without a mark.
TEST(Robustness, EveryReaderTakesHostileBytes) {
    std::mt19937 random(11);
    std::vector<std::string> inputs = {
        std::string(10'000'000, ','),
        std::string(3, '\0') + "1,2,3\r\n",
        "\xFF\xFE" + std::string(1'000'001, 'a'),  // odd byte count
        "\xFE\xFF\xD8\x00\r",                      // lone high surrogate
    };
    std::string manyRows;
    for (int i = 0; i < 100'000; ++i) manyRows += "1,1,0:00:00.00,2,0:00:00.03,1,2,3,4,0,0,0,0,黒,16\r\n";
    inputs.push_back(manyRows);
    for (int round = 0; round < 20; ++round) {
        std::string bytes(2048, '\0');
        for (char& c : bytes) c = char(random() & 0xFF);
        inputs.push_back(bytes);
    }
    TestIo t;
    t.files.addDirectory(u"C:\\p");
    DisplayLists lists(u"C:\\p");
    for (const std::string& bytes : inputs) {
        t.files.addFile(kPath, bytes);
        ColourInfoFile colours;
        readColourInfoForProgram(t.io, kPath, colours);
        applyColourInfo(colours);
        ColourTable filterColours;
        readColourInfoForFilter(t.io, kPath, filterColours);
        BoxTable boxes;
        readBoxInfoForProgram(t.io, kPath, boxes);
        readBoxInfoForFilter(t.io, kPath, boxes);
        IniProfile profile(t.io);
        profile.readString(kPath, u"FileName", u"InpCapName", u"設定なし");
        profile.readInt(kPath, u"FontSize", u"MainSize", 0);
        t.files.addFile(lists.path(DisplayListKind::Fonts), bytes);
        lists.load(t.io, DisplayListKind::Fonts, {});
    }
    t.files.addFile(kPath, manyRows);
    BoxTable boxes;
    ASSERT_EQ(readBoxInfoForProgram(t.io, kPath, boxes), 0);
    EXPECT_EQ(boxes.size(), 100'000u);
}

}  // namespace
}  // namespace qucap
