// The rules that make caption rows of imported cues, on one table of cues.
#include <gtest/gtest.h>

#include "app/import/caption_rows.h"
#include "captiondata/text/u16.h"

namespace qucap {
namespace {

constexpr Rgb kRed{255, 0, 0}, kDarkRed{200, 30, 30}, kBlue{0, 0, 255};

ImportPiece text(std::u16string t, unsigned effects = 0, std::optional<Rgb> colour = {}, std::optional<Rgb> border = {}) {
    return {{{std::move(t), {effects, colour, border}}}, {}};
}
ImportPiece ruby(std::u16string base, std::u16string reading) { return {{{std::move(base), {}}}, {{std::move(reading), {}}}}; }

ImportCue cue(std::size_t line, int64_t start, int64_t end, std::vector<ImportLine> lines, bool vertical = false) {
    return {line, start, end, vertical, std::move(lines)};
}

struct Expected {
    std::u16string start, duration;
    std::array<std::u16string, 4> texts;
    bool vertical = false;
};

struct Case {
    const char* name;
    std::vector<ImportCue> cues;
    std::vector<Expected> rows;
    std::vector<ImportNote> notes = {};
    std::vector<CaptionFileRow> existing = {};
};

std::vector<Case> cases() {
    return {
        {"times round to the centisecond and rows follow the start times",
         {cue(5, 4004, 5005, {{text(u"二")}}), cue(1, 1234, 3995, {{text(u"一")}}, true)},
         {{u"0:00:01.23", u"0:00:02.77", {u"一"}, true}, {u"0:00:04.00", u"0:00:01.01", {u"二"}}}},
        {"an overlapping row ends where the next starts",
         {cue(1, 0, 3000, {{text(u"一")}}), cue(4, 2000, 4000, {{text(u"二")}})},
         {{u"0:00:00.00", u"0:00:02.00", {u"一"}}, {u"0:00:02.00", u"0:00:02.00", {u"二"}}},
         {{1, u"次の字幕と重なるため、終了時間を0:00:02.00にしました"}}},
        {"cues without visible text or without length are left out",
         {cue(1, 0, 1000, {{text(u" \u3000")}}), cue(3, 1000, 1004, {{text(u"短")}}), cue(5, 2000, 3000, {{text(u"残")}})},
         {{u"0:00:02.00", u"0:00:01.00", {u"残"}}},
         {{1, u"表示する文字がないため、この字幕は読み込みませんでした"},
          {3, u"表示時間がないため、この字幕は読み込みませんでした"}}},
        {"cues of the same start become one row; lines past the second join it",
         {cue(1, 0, 1000, {{text(u"上")}}), cue(4, 0, 2000, {{text(u"中")}, {text(u"下")}})},
         {{u"0:00:00.00", u"0:00:02.00", {u"上", u"", u"中\u3000下"}}},
         {{1, u"3行目からの文字は2行目に全角空白でつなぎました"},
          {4, u"同じ時間に始まる前の字幕と一つの字幕にまとめました"}}},
        {"effects and colours become codes; line 2 does not inherit line 1's colour",
         {cue(1, 0, 1000, {{text(u"ab", kBold, kRed), text(u"c$")}, {text(u"d", kItalic | kUnderline, {}, kBlue)}})},
         {{u"0:00:00.00", u"0:00:01.00", {u"$H$Rab$h$Wc$$", u"", u"$I$U$bd$i$u"}}}},
        {"a colour off the palette takes the nearest slot, noted once",
         {cue(1, 0, 1000, {{text(u"a", 0, kDarkRed)}}), cue(2, 1000, 2000, {{text(u"b", 0, kDarkRed)}})},
         {{u"0:00:00.00", u"0:00:01.00", {u"$Ra"}}, {u"0:00:01.00", u"0:00:01.00", {u"$Rb"}}},
         {{1, u"文字色 #C81E1E は、色設定で最も近い赤色にしました"}}},
        {"a ruby lands on exactly the characters the file put it on",
         {cue(1, 0, 1000, {{text(u"日本の"), ruby(u"日本", u"にほん")}})},
         {{u"0:00:00.00", u"0:00:01.00", {u"日本の日本", u"日本($W$k)日本(にほん)"}}}},
        {"a ruby reading keeps its own colours and parentheses become full-width",
         {cue(1, 0, 1000, {{text(u"漢", 0, kRed), {{{u"字", {}}}, {{u"じ(", {kBold, kBlue}}}}}})},
         {{u"0:00:00.00", u"0:00:01.00", {u"$R漢$W字", u"字($W$H$Bじ（$h$W$k)"}}},
         {{1, u"ルビの半角括弧は全角にしました"}}},
        {"an imported row yields to the existing rows",
         {cue(2, 1000, 2500, {{text(u"新")}})},
         {{u"0:00:00.00", u"0:00:02.00", {u"旧"}}, {u"0:00:02.00", u"0:00:00.50", {u"新"}}},
         {{2, u"前の字幕と重なるため、開始時間を0:00:02.00にしました"}},
         {{u"1", u"0:00:00.00", u"0:00:02.00", false, {u"旧"}}}},
    };
}

TEST(ImportedRows, TableOfCues) {
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.name);
        ImportedCaptions captions;
        captions.cues = c.cues;
        const ImportedRows result = importedRows(captions, defaultColourTable(), c.existing);
        EXPECT_EQ(result.refusal, u"");
        ASSERT_EQ(result.rows.size(), c.rows.size());
        EXPECT_EQ(result.importedCount, c.rows.size() - c.existing.size());
        for (std::size_t i = 0; i < c.rows.size(); ++i) {
            const CaptionFileRow& row = result.rows[i];
            EXPECT_EQ(row.number, toDecimal(int64_t(i + 1)));
            EXPECT_EQ(row.start, c.rows[i].start);
            EXPECT_EQ(row.duration, c.rows[i].duration);
            EXPECT_EQ(row.vertical, c.rows[i].vertical);
            EXPECT_EQ(row.texts, c.rows[i].texts) << toUtf8(row.texts[0]) << " | " << toUtf8(row.texts[1]) << " | "
                                                  << toUtf8(row.texts[2]);
            EXPECT_EQ(row.positions, (std::array<int32_t, 4>{}));
        }
        ASSERT_EQ(result.notes.size(), c.notes.size());
        for (std::size_t i = 0; i < c.notes.size(); ++i) {
            EXPECT_EQ(result.notes[i].sourceLine, c.notes[i].sourceLine);
            EXPECT_EQ(result.notes[i].text, c.notes[i].text) << toUtf8(result.notes[i].text);
        }
    }
}

// A note of many cues is listed for the first three and once for the rest.
TEST(ImportedRows, ANoteOfManyCuesIsFolded) {
    ImportedCaptions captions;
    for (std::size_t line : {1, 4, 7, 10, 13, 16}) {
        captions.cues.push_back(cue(line, int64_t(line) * 1000, int64_t(line) * 1000 + 500, {{text(u"字")}}));
        captions.note(line, u"話者の指定は外しました");
    }
    captions.note(8, u"別の記録");
    const std::vector<ImportNote> notes = importedRows(captions, defaultColourTable()).notes;
    const std::vector<ImportNote> expected{{1, u"話者の指定は外しました"},
                                           {4, u"話者の指定は外しました"},
                                           {7, u"話者の指定は外しました"},
                                           {8, u"別の記録"},
                                           {10, u"話者の指定は外しました（このあと2か所も同じです）"}};
    EXPECT_EQ(notes, expected);
}

// A text the row cannot hold refuses the whole file, naming the cue's line.
TEST(ImportedRows, RefusesWhatARowCannotHold) {
    const struct {
        ImportCue cue;
        std::u16string refusal;
    } refused[] = {
        {cue(7, 1000, 2000, {{text(std::u16string(256, u'あ'))}}),
         u"ファイルの7行目の字幕の1行目の本文は256文字あり、字幕の行に入りません（255文字まで）"},
        {cue(8, 1000, 2000, {{text(u"a")}, {text(u"b", 0, kRed), ruby(u"c", std::u16string(1020, u'か'))}}),
         u"ファイルの8行目の字幕の2行目のルビは書式の記号を含めると字幕の行に入りません（1023文字まで）"},
        {cue(9, 36'000'000, 36'001'000, {{text(u"遅")}}),
         u"ファイルの9行目の字幕の時間（10:00:00）は字幕の時間（9:59:59.99まで）に入りません"},
    };
    for (const auto& [c, refusal] : refused) {
        ImportedCaptions captions;
        captions.cues = {cue(1, 0, 500, {{text(u"前")}}), c};
        const ImportedRows result = importedRows(captions, defaultColourTable());
        EXPECT_EQ(result.refusal, refusal) << toUtf8(result.refusal);
        EXPECT_TRUE(result.rows.empty());
        EXPECT_EQ(result.importedCount, 0u);
    }
}

}  // namespace
}  // namespace qucap
