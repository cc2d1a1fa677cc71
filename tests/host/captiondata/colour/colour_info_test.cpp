#include <gtest/gtest.h>

#include "captiondata/colour/colour_info.h"
#include "captiondata/text/u16.h"
#include "tests/support/test_io.h"

namespace qucap {

// Readable failure output.
static void PrintTo(const Colour& c, std::ostream* out) {
    *out << "{" << toUtf8(c.text) << ", 0x" << std::hex << c.value << std::dec << "}";
}

namespace {

using namespace std::string_literals;
using test::TestIo;
using test::utf16File;

constexpr std::u16string_view kPath = u"C:\\Users\\user\\Documents\\p\\p-色.csv";

const std::initializer_list<std::u16string_view> kDefaultLines = {
    u"0,文字色,縁取り開始,縁取り終了",
    u"1,FF0000,FF0000,FF8080",
    u"2,00FF00,00FF00,80FF80",
    u"3,0000FF,0000FF,8080FF",
    u"4,FFFF00,FFFF00,FFFF80",
    u"5,FF00FF,FF00FF,FF80FF",
    u"6,00FFFF,00FFFF,80FFFF",
    u"7,000000,000000,808080",
    u"8,FFFFFF,FFFFFF,808080",
};

// Eight rows whose colours all differ from the defaults: row n holds 0n0n0n.
std::string customFile(std::u16string_view lineEnd = u"\r\n", int rows = 8) {
    std::u16string text = u"0,文字色,縁取り開始,縁取り終了";
    text += lineEnd;
    for (int n = 1; n <= rows; ++n) {
        const std::u16string digit(1, char16_t(u'0' + n));
        text += digit + u"," + u"0" + digit + u"0" + digit + u"0" + digit + u",112233,445566";
        text += lineEnd;
    }
    return "\xFF\xFE"s + test::utf16Bytes(text);
}

ColourTable readForFilter(TestIo& t, std::string bytes) {
    t.files.addFile(kPath, bytes);
    ColourTable table;
    EXPECT_EQ(readColourInfoForFilter(t.io, kPath, table), 0);
    return table;
}

ColourTable readAndApply(TestIo& t, std::string bytes) {
    t.files.addFile(kPath, bytes);
    ColourInfoFile file;
    EXPECT_EQ(readColourInfoForProgram(t.io, kPath, file), 0);
    return applyColourInfo(file);
}

TEST(ColourValue, TextIsRedGreenBlueAndValueIsBlueGreenRed) {
    EXPECT_EQ(colourValueOf(u"FF8000"), 0x0080FFu);
    EXPECT_EQ(colourValueOf(u"ff8000"), 0x0080FFu);
    EXPECT_EQ(colourValueOf(u"0000FF"), 0xFF0000u);
    EXPECT_EQ(colourValueOf(u"123456"), 0x563412u);
    EXPECT_EQ(colourValueOf(u""), 0u);
    EXPECT_EQ(colourTextOf(0x0080FF), u"FF8000");
    EXPECT_EQ(colourTextOf(0xFF0000), u"0000FF");
    EXPECT_EQ(colourTextOf(0x0A0B0C), u"0C0B0A");
    EXPECT_EQ(colourFromValue(0x00FF00), (Colour{u"00FF00", 0x00FF00}));
    EXPECT_EQ(colourFromText(u"ABCDEF12"), (Colour{u"ABCDEF", 0xEFCDAB}));
}

TEST(ColourValue, DefaultTableHoldsTheTextsAndTheirValues) {
    const ColourTable table = defaultColourTable();
    EXPECT_EQ(table[SlotRed].text, (Colour{u"FF0000", 0x0000FF}));
    EXPECT_EQ(table[SlotRed].borderEnd, (Colour{u"FF8080", 0x8080FF}));
    EXPECT_EQ(table[SlotBlue][BorderStartColour], (Colour{u"0000FF", 0xFF0000}));
    EXPECT_EQ(table[SlotWhite][BorderEndColour].text, u"808080");
    for (int slot = 0; slot < kColourSlotCount; ++slot) {
        EXPECT_FALSE(differsFromDefault(table[slot], slot)) << slot;
        for (int role = 0; role < kColourRoleCount; ++role)
            EXPECT_EQ(colourTextOf(table[slot][ColourRole(role)].value), table[slot][ColourRole(role)].text);
    }
}

TEST(ColourValue, DiffersFromDefaultLooksAtEachOfTheThreeTexts) {
    for (int role = 0; role < kColourRoleCount; ++role) {
        ColourSlot yellow = defaultColourSlot(SlotYellow);
        yellow[ColourRole(role)] = colourFromText(u"0000FF");
        EXPECT_TRUE(differsFromDefault(yellow, SlotYellow)) << role;
    }
    EXPECT_TRUE(differsFromDefault(defaultColourSlot(SlotRed), SlotGreen));
}

TEST(ColourWrite, WritesHeaderAndEightSlotsAsUtf16WithCrLf) {
    TestIo t;
    t.files.addDirectory(u"C:\\Users\\user\\Documents\\p");
    EXPECT_EQ(writeColourInfo(t.io, kPath, defaultColourTable()), 0);
    EXPECT_EQ(t.files.contents(kPath), utf16File(kDefaultLines));

    ColourTable table = defaultColourTable();
    table[SlotCyan].borderEnd = colourFromValue(0x123456);
    EXPECT_EQ(writeColourInfo(t.io, kPath, table), 0);
    EXPECT_NE(test::fromUtf16Bytes(t.files.contents(kPath)).find(u"\r\n6,00FFFF,00FFFF,563412\r\n"), std::u16string::npos);
    EXPECT_TRUE(t.ui.messages.empty());
}

TEST(ColourWrite, FailedWriteShowsMessageAndKeepsOldFile) {
    TestIo t;
    t.files.addDirectory(u"C:\\Users\\user\\Documents\\p");
    t.files.addFile(kPath, "old");
    t.files.failWriting(kPath);
    EXPECT_EQ(writeColourInfo(t.io, kPath, defaultColourTable()), -1);
    EXPECT_EQ(t.files.contents(kPath), "old");
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(t.ui.messages[0].text, u"色情報ファイルの書き込みに失敗しました");
    EXPECT_EQ(t.ui.messages[0].title, u"カブレン字幕付加システム");
    EXPECT_EQ(t.ui.messages[0].icon, MessageIcon::Warning);
}

TEST(ColourWrite, NoFileNameWritesNothing) {
    TestIo t;
    EXPECT_EQ(writeColourInfo(t.io, u"設定なし", defaultColourTable()), -1);
    EXPECT_EQ(writeColourInfo(t.io, u"", defaultColourTable()), -1);
    EXPECT_EQ(t.files.writeCount(), 0);
    EXPECT_TRUE(t.ui.messages.empty());
}

TEST(ColourRead, WrittenTableReadsBackAndApplies) {
    TestIo t;
    t.files.addDirectory(u"C:\\Users\\user\\Documents\\p");
    ColourTable table = defaultColourTable();
    table[SlotBlack].text = colourFromText(u"102030");
    table[SlotWhite].borderStart = colourFromText(u"A0B0C0");
    ASSERT_EQ(writeColourInfo(t.io, kPath, table), 0);

    ColourInfoFile file;
    ASSERT_EQ(readColourInfoForProgram(t.io, kPath, file), 0);
    EXPECT_EQ(file.lineEnds, 9u);
    ASSERT_EQ(file.records.size(), 8u);
    EXPECT_EQ(file.records[6].number, 7);
    EXPECT_EQ(file.records[6].texts[0], u"102030");
    EXPECT_TRUE(isCompleteColourFile(file));
    EXPECT_EQ(applyColourInfo(file), table);

    ColourTable filter;
    ASSERT_EQ(readColourInfoForFilter(t.io, kPath, filter), 0);
    EXPECT_EQ(filter, table);
}

TEST(ColourRead, ExtraBlankLineAfterTheEightRowsGivesTheColoursTheFilterDraws) {
    TestIo t;
    const std::string bytes = customFile() + test::utf16Bytes(u"\r\n");
    const ColourTable filter = readForFilter(t, bytes);
    EXPECT_EQ(readAndApply(t, bytes), filter);
    EXPECT_EQ(filter[SlotRed].text, (Colour{u"010101", 0x010101}));
    EXPECT_EQ(filter[SlotWhite].text.text, u"080808");
    EXPECT_EQ(filter[SlotWhite].borderEnd, (Colour{u"445566", 0x665544}));
}

TEST(ColourRead, SevenRowsGiveDefaultsInProgramAndBlackWhiteInFilter) {
    TestIo t;
    const std::string bytes = customFile(u"\r\n", 7);
    EXPECT_EQ(readAndApply(t, bytes), defaultColourTable());
    const ColourTable filter = readForFilter(t, bytes);
    EXPECT_EQ(filter[SlotBlack].text.text, u"070707");
    EXPECT_EQ(filter[SlotWhite], ColourSlot{});
    EXPECT_EQ(filter[SlotWhite].text.value, 0u);
}

TEST(ColourRead, RowsNumberedZeroOrWordsTakeNoSlot) {
    TestIo t;
    const std::string bytes = utf16File({u"0,文字色,縁取り開始,縁取り終了", u"0,999999,999999,999999",
                                         u"memo,999999,999999,999999", u"-3,999999,999999,999999",
                                         u"9,ABCDEF,ABCDEF,ABCDEF"});
    const ColourTable filter = readForFilter(t, bytes);
    EXPECT_EQ(filter[SlotRed].text.text, u"ABCDEF");  // the first stored row, whatever its number
    EXPECT_EQ(filter[SlotGreen], ColourSlot{});
}

TEST(ColourRead, CompleteFileWithSkippedRowKeepsDefaultsForMissingSlots) {
    // Nine line ends but one of them a comment: seven stored rows. The eighth
    // slot keeps its default rather than becoming an empty colour.
    TestIo t;
    std::u16string text = u"0,文字色,縁取り開始,縁取り終了\r\n0,memo\r\n";
    for (int n = 1; n <= 7; ++n) text += std::u16string(1, char16_t(u'0' + n)) + u",111111,222222,333333\r\n";
    const ColourTable table = readAndApply(t, "\xFF\xFE"s + test::utf16Bytes(text));
    EXPECT_EQ(table[SlotBlack].text.text, u"111111");
    EXPECT_EQ(table[SlotWhite], defaultColourSlot(SlotWhite));
}

TEST(ColourRead, LineEndsCountedForTheApplyRule) {
    struct Case {
        const char* what;
        std::string bytes;
        bool applied;
    };
    const std::string complete = customFile();
    const std::string sub = test::utf16Bytes(u"\x1A");
    const std::string withoutLastEnd = complete.substr(0, complete.size() - 4);
    const Case cases[] = {
        {"header and eight rows", complete, true},
        {"lone LF line ends", customFile(u"\n"), true},
        {"CR only", customFile(u"\r"), true},
        {"last row without line end", withoutLastEnd, true},
        {"SUB after the last LF", complete + sub, true},
        {"SUB ending the last row", withoutLastEnd + sub, true},
        {"SUB ending the last row stops the count", withoutLastEnd + sub + test::utf16Bytes(u"more\r\n"), true},
        {"SUB after LF does not stop the count, eight rows still there", complete + sub + test::utf16Bytes(u"more\r\n"), true},
        {"SUB in the middle ends the count, but the filter reads the eight rows", customFile(u"\r\x1A"), true},
        {"trailing blank lines", complete + test::utf16Bytes(u"\r\n\r\n"), true},
        {"seven rows", customFile(u"\r\n", 7), false},
        {"nine rows: the first eight, as the filter takes them", customFile(u"\r\n", 9), true},
        {"empty file", "", false},
    };
    for (const auto& c : cases) {
        TestIo t;
        const ColourTable table = readAndApply(t, c.bytes);
        EXPECT_EQ(table[SlotRed].text.text, c.applied ? u"010101" : u"FF0000") << c.what;
    }
}

TEST(ColourRead, AcceptsUtf16BigEndianUtf8AndShiftJis) {
    const std::string rows = "1,111111,222222,333333\r\n2,444444,555555,666666\r\n";
    const std::string shiftJisHeader = "\x30\x2c\x95\xb6\x8e\x9a\x90\x46\x2c\x89\x8f\x8e\xe6\x82\xe8\x8a\x4a\x8e\x6e"
                                       "\x2c\x89\x8f\x8e\xe6\x82\xe8\x8f\x49\x97\xb9\r\n";
    std::string bigEndian = "\xFE\xFF"s;
    for (const char16_t c : u"0,文字色,縁取り開始,縁取り終了\r\n1,111111,222222,333333\r\n2,444444,555555,666666\r\n"s) {
        bigEndian += char(c >> 8);
        bigEndian += char(c & 0xFF);
    }
    const std::pair<const char*, std::string> inputs[] = {
        {"UTF-16BE", bigEndian},
        {"UTF-8", "0,\xE6\x96\x87\xE5\xAD\x97\xE8\x89\xB2,x,y\r\n" + rows},
        {"Shift-JIS", shiftJisHeader + rows},
        {"one character per byte", "0,\xFF\xFE\xFD\r\n" + rows},
    };
    for (const auto& [what, bytes] : inputs) {
        TestIo t;
        const ColourTable filter = readForFilter(t, bytes);
        EXPECT_EQ(filter[SlotRed].borderEnd.text, u"333333") << what;
        EXPECT_EQ(filter[SlotGreen].text, (Colour{u"444444", 0x444444})) << what;
    }
}

TEST(ColourRead, LongFieldsAndExtraFieldsAreCut) {
    TestIo t;
    const std::u16string longLine = u"1," + std::u16string(300, u'A');
    const std::string bytes = utf16File({u"0", u"1,ABCDEF99,12,", u"2,  1,2,3,4,5,6", longLine, u"4"});
    t.files.addFile(kPath, bytes);
    ColourInfoFile file;
    ASSERT_EQ(readColourInfoForProgram(t.io, kPath, file), 0);
    ASSERT_EQ(file.records.size(), 4u);
    EXPECT_EQ(file.records[0].texts, (std::array<std::u16string, 3>{u"ABCDEF", u"12", u""}));
    EXPECT_EQ(file.records[1].texts, (std::array<std::u16string, 3>{u"  1", u"2", u"3"}));
    EXPECT_EQ(file.records[2].texts[0], u"AAAAAA");
    EXPECT_EQ(file.records[3].texts, (std::array<std::u16string, 3>{}));

    const ColourTable filter = readForFilter(t, bytes);
    EXPECT_EQ(filter[SlotRed].text, (Colour{u"ABCDEF", 0xEFCDAB}));
    EXPECT_EQ(filter[SlotRed].borderEnd, (Colour{u"", 0}));
}

TEST(ColourRead, NoFileNameOrMissingFileGivesDefaultsWithoutMessage) {
    TestIo t;
    ColourInfoFile file = parseColourInfo(u"0\r\n1,111111,111111,111111\r\n");
    EXPECT_EQ(readColourInfoForProgram(t.io, u"設定なし", file), 0);
    EXPECT_TRUE(file.records.empty());
    EXPECT_EQ(readColourInfoForProgram(t.io, u"", file), 0);
    EXPECT_EQ(readColourInfoForProgram(t.io, kPath, file), -1);
    t.files.addDirectory(u"C:\\dir");
    EXPECT_EQ(readColourInfoForProgram(t.io, u"C:\\dir", file), -1);
    EXPECT_EQ(applyColourInfo(file), defaultColourTable());

    ColourTable filter = defaultColourTable();
    EXPECT_EQ(readColourInfoForFilter(t.io, u"設定なし", filter), -1);
    EXPECT_EQ(readColourInfoForFilter(t.io, u"", filter), -1);
    EXPECT_EQ(readColourInfoForFilter(t.io, kPath, filter), -1);
    EXPECT_EQ(filter, defaultColourTable());
    EXPECT_TRUE(t.ui.messages.empty());
}

TEST(ColourRead, ReadFailuresShowTheirMessagesWithEachDeliverablesTitle) {
    struct Case {
        ReadStatus status;
        std::u16string_view message;
    };
    const Case cases[] = {
        {ReadStatus::OpenFailed, u"色情報ファイルの読み込みに失敗しました"},
        {ReadStatus::ReadFailed, u"色情報ファイルの読み込みに失敗しました"},
        {ReadStatus::SizeFailed, u"色情報ファイルのサイズ取得に失敗しました"},
    };
    for (const auto& c : cases) {
        TestIo t;
        t.files.addFile(kPath, customFile());
        t.files.failReading(kPath, c.status);

        ColourInfoFile file = parseColourInfo(u"0\r\n1,111111,111111,111111\r\n");
        EXPECT_EQ(readColourInfoForProgram(t.io, kPath, file), -1);
        EXPECT_EQ(applyColourInfo(file), defaultColourTable());

        ColourTable filter = defaultColourTable();
        EXPECT_EQ(readColourInfoForFilter(t.io, kPath, filter), -1);
        EXPECT_EQ(filter, defaultColourTable());  // left as it was

        ASSERT_EQ(t.ui.messages.size(), 2u);
        EXPECT_EQ(t.ui.messages[0].text, c.message);
        EXPECT_EQ(t.ui.messages[0].title, u"カブレン字幕付加システム");
        EXPECT_EQ(t.ui.messages[1].text, c.message);
        EXPECT_EQ(t.ui.messages[1].title, u"カブレン字幕合成フィルタ");
        EXPECT_EQ(t.ui.messages[1].icon, MessageIcon::Warning);
    }
}

}  // namespace
}  // namespace qucap
