#include "filter/core/filter_tables.h"

#include <gtest/gtest.h>

#include "captiondata/caption/caption_file.h"
#include "tests/support/test_io.h"

namespace qucap {
namespace {

using test::utf16File;

struct AllDrivesFixed : DriveTypes {
    uint32_t driveTypeOf(std::u16string_view) const override { return 3; }
};

struct FilterTablesTest : ::testing::Test {
    test::TestIo t;
    AllDrivesFixed drives;
    FilterSettings settings;
    FilterTables tables;

    FilterTablesTest() {
        t.files.addDirectory(u"C:\\p");
        t.files.addFile(u"C:\\p\\c.csv", utf16File({kCaptionFileHeader, kCaptionSampleRow}));
        t.files.addFile(u"C:\\p\\b.csv", utf16File({kBoxFileHeader, u"1,1,0:00:01.00,31,0:00:02.00,1,2,3,4,0,0,0,0,赤,32"}));
        t.files.addFile(u"C:\\p\\k.csv", utf16File({kColourFileHeader, u"1,FF0000,00FF00,0000FF"}));
        settings.captionInfoPath = u"C:\\p\\c.csv";
        settings.boxInfoPath = u"C:\\p\\b.csv";
        settings.colourInfoPath = u"C:\\p\\k.csv";
    }
    std::vector<std::u16string> shown() const {
        std::vector<std::u16string> texts;
        for (const auto& m : t.ui.messages) texts.push_back(m.text);
        return texts;
    }
};

TEST_F(FilterTablesTest, LoadsAllThreeTables) {
    loadFilterTables(t.io, drives, settings, tables);
    ASSERT_FALSE(tables.captions.empty());
    EXPECT_EQ(tables.captions[0].number, 1);
    EXPECT_EQ(tables.captions[0].duration, 10'000);
    ASSERT_EQ(tables.boxes.size(), 1u);
    EXPECT_EQ(tables.boxes[0].startTime, 1'000);
    EXPECT_EQ(tables.colours[SlotRed].text.value, 0x000000FFu);
    EXPECT_EQ(tables.colours[SlotRed].borderStart.value, 0x0000FF00u);
    EXPECT_EQ(tables.colours[SlotRed].borderEnd.value, 0x00FF0000u);
    EXPECT_EQ(tables.colours[SlotGreen].text.value, 0u);  // no row: black
    EXPECT_TRUE(shown().empty());
}

TEST_F(FilterTablesTest, NoFilesLeaveEverythingEmptyAndSilent) {
    settings.captionInfoPath = u"設定なし";
    settings.boxInfoPath = u"";
    settings.colourInfoPath = u"設定なし";
    loadFilterTables(t.io, drives, settings, tables);
    EXPECT_TRUE(tables.captions.empty());
    EXPECT_TRUE(tables.boxes.empty());
    EXPECT_EQ(tables.colours, ColourTable{});
    EXPECT_TRUE(shown().empty());
}

TEST_F(FilterTablesTest, AFailedCheckSkipsOnlyItsOwnFile) {
    settings.captionInfoPath = u"c.csv";  // a bare name
    settings.colourInfoPath = u"C:\\p";   // a folder
    loadFilterTables(t.io, drives, settings, tables);
    EXPECT_TRUE(tables.captions.empty());
    EXPECT_EQ(tables.boxes.size(), 1u);
    EXPECT_EQ(tables.colours, ColourTable{});
    EXPECT_EQ(shown(), (std::vector<std::u16string>{u"字幕情報ファイルにパスを含めたファイル名を指定して下さい",
                                                     u"色情報ファイルではありません"}));
    for (const auto& m : t.ui.messages) EXPECT_EQ(m.title, u"カブレン字幕合成フィルタ");
}

TEST_F(FilterTablesTest, ATableKeepsWhatItHeldWhenItsFileCannotBeUsed) {
    loadFilterTables(t.io, drives, settings, tables);
    settings.captionInfoPath = u"C:\\gone\\c.csv";
    settings.boxInfoPath = u"C:\\p\\missing.csv";  // passes the check, the loader finds nothing
    loadFilterTables(t.io, drives, settings, tables);
    EXPECT_EQ(tables.captions[0].number, 1);
    EXPECT_EQ(tables.boxes.size(), 1u);
    EXPECT_EQ(shown(), std::vector<std::u16string>{u"字幕情報ファイルのフォルダが見つかりません"});
}

}  // namespace
}  // namespace qucap
