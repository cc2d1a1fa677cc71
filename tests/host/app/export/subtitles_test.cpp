#include "app/export/subtitles.h"

#include <gtest/gtest.h>

#include "captiondata/text/u16.h"
#include "captiondata/text/utf16_writer.h"
#include "tests/support/test_io.h"

namespace qucap {
namespace {

using test::TestIo;
using test::utf16File;

struct Caption {
    std::u16string start, duration;
    std::u16string line1Markup, line1Plain;
    std::u16string line2Markup = {}, line2Plain = {};
};

CaptionList listOf(std::initializer_list<Caption> captions) {
    CaptionList list;
    for (const auto& caption : captions) {
        WorkingRow row;
        row.start = caption.start;
        row.duration = caption.duration;
        row.texts[Line1Body] = caption.line1Markup;
        row.plainTexts[Line1Body] = caption.line1Plain;
        row.texts[Line2Body] = caption.line2Markup;
        row.plainTexts[Line2Body] = caption.line2Plain;
        row.texts[Line1Ruby] = u"るび";  // never exported
        row.plainTexts[Line1Ruby] = u"るび";
        list.writeRow(list.appendRow(), row);
    }
    return list;
}

const SamiSettings kClipSettings{u"D:\\v\\clip.avi", u"F", 32, 0};

CaptionList workedExample() {
    return listOf({{u"0:00:01.00", u"0:00:02.00", u"A", u"A"}, {u"0:00:05.00", u"0:00:01.50", u"$RB", u"B", u"C", u"C"}});
}

// Header lines 1 to 30 for the given values.
std::vector<std::u16string> samiHeader(std::u16string_view title, std::u16string_view media, std::u16string_view total,
                                       std::u16string_view size, std::u16string_view align, std::u16string_view font) {
    const std::u16string t(title), m(media), d(total), s(size), a(align), f(font);
    return {u"<SAMI>",
            u"  <Head>",
            u"    <Title>" + t + u"</Title>",
            u"    <SAMIParam>",
            u"      Copyright {Copyright (C) Qucap Project}",
            u"      Media {" + m + u"}",
            u"      Metrics {time:ms; duration: " + d + u";}",
            u"      Spec {MSFT:1.0;}",
            u"    </SAMIParam>",
            u"",
            u"    <STYLE TYPE='text/css'><!--",
            u"      P {",
            u"          margin-top:        0pt;",
            u"          margin-left:       0pt;",
            u"          margin-bottom:     0pt;",
            u"          margin-top:        0pt;",
            u"          font-size:        " + s + u"pt;",
            u"          text-align:       " + a + u";",
            u"          font-family:      '" + f + u"', sans-serif;",
            u"          font-weight:      normal;",
            u"          color:            white;",
            u"          background-color: black;",
            u"        }",
            u"",
            u"      .JACC {Name:Japanese; lang:ja-JP; SAMIType:CC;}",
            u"    -->",
            u"    </STYLE>",
            u"  </Head>",
            u"",
            u"  <Body>"};
}

std::string fileOf(std::vector<std::u16string> lines, std::initializer_list<std::u16string_view> more = {}) {
    Utf16FileBuilder file;
    for (const auto& line : lines) file.line(line);
    for (const auto line : more) file.line(line);
    return file.bytes();
}

std::u16string sync(int ms) { return u"    <SYNC Start=" + toDecimal(ms) + u"><P Class=JACC>"; }

TEST(SamiExport, WorkedExampleByteForByte) {
    const auto header = samiHeader(u"clip", u"clip.avi", u"6500", u"27", u"center", u"F");
    // The fixed parts of the header have the stated lengths.
    EXPECT_EQ(header[2].size(), 11u + 4 + 8);
    EXPECT_EQ(header[6].size(), 34u + 4 + 2);
    EXPECT_EQ(header[12].size(), 33u);
    EXPECT_EQ(header[16].size(), 28u + 2 + 3);
    EXPECT_EQ(header[18].size(), 29u + 1 + 14);
    EXPECT_EQ(header[24].size(), 53u);
    std::vector<std::u16string> lines = header;
    for (const std::u16string& body : {sync(1000), std::u16string(u"A<Br>"), sync(3000), std::u16string(u"<Br>"),
                                       sync(5000), std::u16string(u"B<Br>"), std::u16string(u"C"), sync(6500),
                                       std::u16string(u"<Br>"), std::u16string(u"  </Body>"), std::u16string(u"</SAMI>")})
        lines.push_back(body);
    EXPECT_EQ(samiBytes(subtitleRows(workedExample()), kClipSettings), fileOf(lines));
}

TEST(SrtExport, WorkedExampleByteForByte) {
    EXPECT_EQ(srtBytes(subtitleRows(workedExample())),
              utf16File({u"1", u"00:00:01,000 --> 00:00:03,000", u"A", u"", u"2", u"00:00:05,000 --> 00:00:06,500", u"B",
                         u"C", u""}));
}

TEST(SubtitleExport, EmptyListGivesHeaderOnlyAndMarkOnly) {
    const auto rows = subtitleRows(CaptionList());
    EXPECT_EQ(samiBytes(rows, kClipSettings),
              fileOf(samiHeader(u"clip", u"clip.avi", u"0", u"27", u"center", u"F"), {u"  </Body>", u"</SAMI>"}));
    EXPECT_EQ(srtBytes(rows), "\xFF\xFE");
}

TEST(SubtitleExport, RowsOutOfOrderOrWithRepeatedStartsAreDropped) {
    const auto rows = subtitleRows(listOf({{u"2", u"1", u"a", u"a"},
                                           {u"2", u"1", u"b", u"b"},    // same start
                                           {u"1", u"1", u"c", u"c"},    // earlier than accepted
                                           {u"3", u"1", u"d", u"d"},    // starts at the previous end: no clearing
                                           {u"0", u"1", u"e", u"e"}})); // last row skipped: no final clearing
    EXPECT_EQ(srtBytes(rows), utf16File({u"1", u"00:00:02,000 --> 00:00:03,000", u"a", u"", u"2",
                                         u"00:00:03,000 --> 00:00:04,000", u"d", u""}));
    auto lines = samiHeader(u"clip", u"clip.avi", u"1000", u"27", u"center", u"F");
    EXPECT_EQ(samiBytes(rows, kClipSettings),
              fileOf(lines, {sync(2000), u"a<Br>", sync(3000), u"d<Br>", u"  </Body>", u"</SAMI>"}));
}

TEST(SubtitleExport, EmptyAndCodeOnlyLines) {
    // Line 1 empty, line 2 present; a line 1 made of codes only; the same
    // before a second line, which SRT must keep inside its cue (a blank line
    // would end the cue there).
    const auto rows = subtitleRows(listOf({{u"1", u"1", u"", u"", u"two", u"two"},
                                           {u"5", u"1", u"$R$H", u""},
                                           {u"7", u"1", u"$Y", u"", u"$Gsecond", u"second"}}));
    EXPECT_EQ(srtBytes(rows), utf16File({u"1", u"00:00:01,000 --> 00:00:02,000", u"two", u"", u"2",
                                         u"00:00:05,000 --> 00:00:06,000", u"", u"3", u"00:00:07,000 --> 00:00:08,000",
                                         u"second", u""}));
    EXPECT_EQ(samiBytes(rows, kClipSettings),
              fileOf(samiHeader(u"clip", u"clip.avi", u"8000", u"27", u"center", u"F"),
                     {sync(1000), u"two", sync(2000), u"<Br>", sync(5000), u"<Br>", sync(6000), u"<Br>", sync(7000),
                      u"<Br>", u"second", sync(8000), u"<Br>", u"  </Body>", u"</SAMI>"}));
}

TEST(SubtitleExport, MarkupCharactersAreEscapedInSamiOnly) {
    const auto rows = subtitleRows(listOf({{u"1", u"1", u"A<B & C>D", u"A<B & C>D", u"&lt;", u"&lt;"}}));
    EXPECT_EQ(srtBytes(rows), utf16File({u"1", u"00:00:01,000 --> 00:00:02,000", u"A<B & C>D", u"&lt;", u""}));
    const SamiSettings settings{u"D:\\v\\R&D<1>.avi", u"A&B", 32, 0};
    EXPECT_EQ(samiBytes(rows, settings),
              fileOf(samiHeader(u"R&amp;D&lt;1&gt;", u"R&D<1>.avi", u"2000", u"27", u"center", u"A&amp;B"),
                     {sync(1000), u"A&lt;B &amp; C&gt;D<Br>", u"&amp;lt;", sync(2000), u"<Br>", u"  </Body>",
                      u"</SAMI>"}));
}

TEST(SubtitleExport, SrtCapsTimesWhileSamiWritesThemAsTheyAre) {
    const auto rows = subtitleRows(listOf({{u"9:59:59.00", u"0:00:05.00", u"a", u"a"}}));
    EXPECT_EQ(srtBytes(rows), utf16File({u"1", u"09:59:59,000 --> 09:59:59,999", u"a", u""}));
    const std::string sami = samiBytes(rows, kClipSettings);
    EXPECT_NE(sami.find(test::utf16Bytes(sync(36'004'000))), std::string::npos);
    EXPECT_NE(sami.find(test::utf16Bytes(u"duration: 36004000;")), std::string::npos);
}

TEST(SamiExport, HeaderValuesFollowTheSettings) {
    const SamiSettings settings{u"C:\\movies\\my.clip.mp4", u"ＭＳ ゴシック", 9999, 1};
    const auto rows = subtitleRows(listOf({{u"1", u"2", u"a", u"a"}, {u"0", u"4", u"b", u"b"}}));
    // Total comes from the last list row, skipped or not; size is cut to 3 characters.
    EXPECT_EQ(samiBytes(rows, settings),
              fileOf(samiHeader(u"my.clip", u"my.clip.mp4", u"4000", u"750", u"left", u"ＭＳ ゴシック"),
                     {sync(1000), u"a<Br>", u"  </Body>", u"</SAMI>"}));
    const std::string small = samiBytes({}, SamiSettings{u"", u"F", 20, 2});
    EXPECT_EQ(small, fileOf(samiHeader(u"", u"", u"0", u"18", u"center", u"F"), {u"  </Body>", u"</SAMI>"}));
}

TEST(SubtitleExport, DefaultNameAndDialogs) {
    EXPECT_EQ(defaultSubtitleName(u"D:\\v\\clip.avi"), u"D:\\v\\clip");
    EXPECT_EQ(defaultSubtitleName(u"D:\\v\\a.b.avi"), u"D:\\v\\a.b");
    EXPECT_EQ(defaultSubtitleName(u"D:\\v\\clip"), u"D:\\v\\");
    EXPECT_EQ(defaultSubtitleName(u"clip.avi"), u"無題");
    EXPECT_EQ(defaultSubtitleName(u""), u"無題");

    const SaveFileRequest sami = subtitleSaveRequest(SubtitleKind::Sami, u"D:\\v\\clip.avi");
    EXPECT_EQ(sami.proposedName, u"D:\\v\\clip");
    EXPECT_EQ(sami.kind, u"SAMIﾌｧｲﾙ");
    EXPECT_EQ(sami.defaultExtension, u"smi");
    EXPECT_EQ(sami.filters, (std::vector<FileTypeFilter>{{u"SAMIﾌｧｲﾙ (*.smi)", u"*.smi"}, allFilesFilter()}));
    const SaveFileRequest srt = subtitleSaveRequest(SubtitleKind::Srt, u"");
    EXPECT_EQ(srt.proposedName, u"無題");
    EXPECT_EQ(srt.kind, u"SRTﾌｧｲﾙ");
    EXPECT_EQ(srt.defaultExtension, u"srt");
    EXPECT_EQ(srt.filters, (std::vector<FileTypeFilter>{{u"SRTﾌｧｲﾙ (*.srt)", u"*.srt"}, allFilesFilter()}));
}

TEST(SubtitleExport, WritesAndReports) {
    TestIo t;
    t.files.addDirectory(u"D:\\out");
    const CaptionList list = workedExample();
    EXPECT_EQ(exportSrt(t.io, u"D:\\out\\a.srt", list), 0);
    EXPECT_EQ(t.files.contents(u"D:\\out\\a.srt"), srtBytes(subtitleRows(list)));
    EXPECT_EQ(exportSami(t.io, u"D:\\out\\a.smi", list, kClipSettings), 0);
    EXPECT_EQ(t.files.contents(u"D:\\out\\a.smi"), samiBytes(subtitleRows(list), kClipSettings));
    ASSERT_EQ(t.ui.messages.size(), 2u);
    EXPECT_EQ(t.ui.messages[0].text,
              u"SRTファイルを出力しました。\n文字コードはユニコードです。\n言語系に応じて、文字コードの変換が必要です");
    EXPECT_EQ(t.ui.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(t.ui.messages[0].title, u"カブレン字幕付加システム");
    EXPECT_EQ(t.ui.messages[1].text,
              u"SAMIファイルを出力しました。\n文字コードはユニコードです。\n言語系に応じて、文字コードの変換が必要です");

    t.files.failWriting(u"D:\\out\\a.srt");
    EXPECT_EQ(exportSrt(t.io, u"D:\\out\\a.srt", list), -1);
    EXPECT_EQ(exportSami(t.io, u"D:\\missing\\a.smi", list, kClipSettings), -1);
    ASSERT_EQ(t.ui.messages.size(), 4u);
    EXPECT_EQ(t.ui.messages[2].text, u"SRTファイルの作成に失敗しました");
    EXPECT_EQ(t.ui.messages[2].icon, MessageIcon::Warning);
    EXPECT_EQ(t.ui.messages[3].text, u"SAMIファイルの作成に失敗しました");
    EXPECT_EQ(t.ui.messages[3].title, u"カブレン字幕付加システム");
}

TEST(SubtitleExport, ChooseAndExportAsksFirst) {
    TestIo t;
    t.files.addDirectory(u"D:\\v");
    const CaptionList list = workedExample();
    EXPECT_EQ(chooseAndExport(t.io, SubtitleKind::Sami, list, kClipSettings), -1);  // cancelled
    EXPECT_TRUE(t.ui.messages.empty());
    EXPECT_EQ(t.files.writeCount(), 0);
    t.ui.saveAnswer = u"D:\\v\\clip.srt";
    EXPECT_EQ(chooseAndExport(t.io, SubtitleKind::Srt, list, kClipSettings), 0);
    EXPECT_EQ(t.ui.saveRequests.back().proposedName, u"D:\\v\\clip");
    EXPECT_EQ(t.files.contents(u"D:\\v\\clip.srt"), srtBytes(subtitleRows(list)));
}

}  // namespace
}  // namespace qucap
