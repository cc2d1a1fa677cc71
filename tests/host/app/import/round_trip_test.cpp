// The exports read back by the import: what the WebVTT and TTML writers make
// of a project's rows imports to rows whose export is the same file (so the
// same text, ruby, colours, effects, times and orientation), and what the SRT
// writer makes imports to the same times and plain texts.
#include <gtest/gtest.h>

#include "app/core/caption_list/caption_load.h"
#include "app/export/subtitles.h"
#include "app/export/ttml.h"
#include "app/export/webvtt.h"
#include "app/import/caption_rows.h"
#include "app/import/readers.h"
#include "captiondata/text/u16.h"
#include "tests/support/test_io.h"

namespace qucap {
namespace {

constexpr std::u16string_view kRows[] = {
    u"1,0:00:00.50,0:00:02.50,横,$W$k$Y字幕$Wの見本です,376,字幕(じまく)見本(みほん),358,$W$kカブレン$C字幕付加$Wシステム,410,付加(ふか),444,0",
    u"2,0:00:03.50,0:00:02.00,縦,$W$k$H縦書き$hもできます,650,縦書(たてが),684,$W$k$Mルビも縦に,616,,0,0",
    u"3,0:00:06.00,0:00:01.80,横,$R赤$G緑$B青$Wの文字,376,赤(あか)緑(みどり)青(あお)文字(もじ),358,$w$r縁取りの色$Wも変えられます,410,縁取(ふちど)色(いろ),444,0",
    u"4,0:00:08.00,0:00:01.90,横,$I斜体$i・$U下線$u・$S打消$s,376,斜体(しゃたい)下線(かせん)打消(うちけし),358,\"区切りの「,」も使えます\",410,区切(くぎ),444,0",
    u"5,0:00:10.00,0:00:01.00,横,日本の日本$$100,0,の日本(にほん),0,A<B & C>D,0,,0,0",
    // Spaces that take room in readings, as the sample row has them.
    u"6,0:00:12.00,0:00:01.00,横,$W$kカブレン,0,,0,$W$k$C字幕付加$Wシステム,0,字幕($W$k $Cじまく$W)付加(  $Cふか$W),0,0",
};

constexpr std::u16string_view kFile = u"C:\\p\\字幕情報.csv";

// The rows as the program holds them after reading the caption-info file.
CaptionList loaded(test::TestIo& test, const std::vector<std::u16string_view>& rows) {
    std::u16string text = u"\uFEFF" + std::u16string(kCaptionFileHeader) + u"\r\n";
    for (const std::u16string_view row : rows) text += std::u16string(row) + u"\r\n";
    test.files.addFile(kFile, test::utf16Bytes(text));
    CaptionList list;
    EXPECT_EQ(loadCaptionInfo(test.io, kFile, list), 0);
    return list;
}

struct Format {
    const char* name;
    std::string (*write)(const std::vector<SubtitleRow>&);
    ImportedCaptions (*read)(std::u16string_view);
};

const Format kFormats[] = {
    {"WebVTT", [](const std::vector<SubtitleRow>& rows) { return webVttBytes(rows, defaultColourTable()); }, readWebVtt},
    {"TTML", [](const std::vector<SubtitleRow>& rows) { return ttmlBytes(rows, CueStyle{}); }, readTtml},
    {"SRT", srtBytes, readSrt},
};

TEST(ImportRoundTrip, WhatTheExportsWriteImportsBackToTheSameRows) {
    for (const Format& format : kFormats) {
        SCOPED_TRACE(format.name);
        test::TestIo test;
        test.files.addDirectory(u"C:\\p");
        const CaptionList original = loaded(test, {std::begin(kRows), std::end(kRows)});
        const std::string exported = format.write(subtitleRows(original));
        // Decoded as the import decodes files: the SRT export is UTF-16.
        const ImportedCaptions captions = format.read(decodeText(exported, test.io.shiftJis).text);
        ASSERT_EQ(captions.failure, u"");
        const ImportedRows imported = importedRows(captions, defaultColourTable());
        ASSERT_EQ(imported.refusal, u"");
        EXPECT_TRUE(imported.notes.empty()) << toUtf8(imported.notes.front().text);
        ASSERT_EQ(imported.rows.size(), std::size(kRows));

        // Written and read again as the caption-info file, as the program reads it.
        ASSERT_EQ(writeCaptionInfo(test.io, kFile, imported.rows), 0);
        CaptionList back;
        ASSERT_EQ(loadCaptionInfo(test.io, kFile, back), 0);
        const std::vector<SubtitleRow> before = subtitleRows(original), after = subtitleRows(back);
        for (std::size_t i = 0; i < before.size(); ++i) {
            EXPECT_EQ(after[i].start, before[i].start);
            EXPECT_EQ(after[i].duration, before[i].duration);
            EXPECT_EQ(after[i].line1Plain, before[i].line1Plain);
            EXPECT_EQ(after[i].line2Plain, before[i].line2Plain);
            if (format.read != readSrt) EXPECT_EQ(after[i].vertical, before[i].vertical);
        }
        EXPECT_EQ(format.write(after), exported);
    }
}

}  // namespace
}  // namespace qucap
