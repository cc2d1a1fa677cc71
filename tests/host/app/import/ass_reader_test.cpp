// The ASS/SSA reader on one table of files: sections, styles by their
// Format lines, Dialogue fields, the override codes, and the notes.
#include <gtest/gtest.h>

#include "app/import/readers.h"
#include "captiondata/text/decode.h"
#include "tests/host/app/import/cue_summary.h"
#include "tests/support/platform_shiftjis.h"
#include "tests/support/test_io.h"

namespace qucap {
namespace {

using test::cueSummaries;
using test::noteSummaries;

constexpr std::u16string_view kStyles =
    u"[V4+ Styles]\n"
    u"Format: Name, Fontname, Fontsize, PrimaryColour, SecondaryColour, OutlineColour, BackColour, Bold, Italic, "
    u"Underline, StrikeOut, ScaleX, ScaleY, Spacing, Angle, BorderStyle, Outline, Shadow, Alignment, MarginL, "
    u"MarginR, MarginV, Encoding\n"
    u"Style: Default,Arial,20,&H00FFFFFF,&H000000FF,&H00000000,&H00000000,0,0,0,0,100,100,0,0,1,2,0,2,10,10,10,1\n"
    u"Style: Loud,Arial,20,&H0000FFFF,&H000000FF,&H000000FF,&H00000000,-1,1,-1,1,100,100,0,0,1,2,0,2,10,10,10,1\n"
    u"Style: Tate,@MS Mincho,20,&HFF0000&,&H000000FF,&H00FF00,&H00000000,700,0,0,0,100,100,0,0,1,2,0,2,10,10,10,1\n";

// The styles, then an [Events] section with a Format line and `events`.
std::u16string assFile(std::u16string_view events) {
    return u"[Script Info]\nScriptType: v4.00+\n\n" + std::u16string(kStyles) +
           u"\n[Events]\nFormat: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text\n" +
           std::u16string(events);
}
// The line number of the first event of assFile().
constexpr int kFirst = 12;
std::string at(int offset) { return "@" + std::to_string(kFirst + offset) + " "; }
std::string on(int offset, const std::string& note) { return std::to_string(kFirst + offset) + ": " + note; }

// The white text and black outline of the Default style.
const std::string kPlain = "[#ffffff o#000000]";

using Case = test::ReaderCase;

const std::vector<Case>& cases() {
    static const std::vector<Case> table{
        {"styles give effects, colours (stored BGR) and the vertical font; commas stay in the text",
         assFile(u"Dialogue: 0,0:00:01.00,0:00:02.50,Default,,0,0,0,,白い, 文字\n"
                 u"Dialogue: 0,0:00:03.5,1:02:03.456,Loud,,0,0,0,,強調\n"
                 u"Dialogue: 0,0:00:05.00,0:00:06.00,*tate,,0,0,0,,縦\n"),
         {at(0) + "1000-2500 | " + kPlain + "白い, 文字", at(1) + "3500-3723456 | [bius #ffff00 o#ff0000]強調",
          at(2) + "5000-6000 縦 | [b #0000ff o#00ff00]縦"}},
        {"SSA after a mark: [V4 Styles] with decimal colours and its own field order, events before their Format line",
         u"\uFEFF[script info]\n[V4 Styles]\n"
         u"Style: Default,Arial,20,255,65535,16711680,0,-1,0,1,2,0,2,10,10,10,0,1\n"
         u"[EVENTS]\nDialogue: Marked=0,0:00:01.00,0:00:02.00,Default,,0000,0000,0000,,字幕\n",
         {"@5 1000-2000 | [b #ff0000 o#0000ff]字幕"}},
        {"fields in the order of the Format lines; a short Style line gives what it has",
         u"[V4+ Styles]\nFormat: Name, Bold, PrimaryColour\nStyle: Mine, 1, &H0000FF00\nStyle: Short\n"
         u"[Events]\nFormat: Start, Style, End, Text\nDialogue: 0:00:01.00,Mine,0:00:02.00,{\\i1}a,b\n"
         u"Dialogue: 0:00:03.00,short,0:00:04.00,c\n",
         {"@7 1000-2000 | [bi #00ff00]a,b", "@8 3000-4000 | c"}},
        {"override codes switch effects and colours on and off, an empty value returns to the style",
         assFile(u"Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,"
                 u"{\\b1}太{\\b0}{\\b700}重{\\b400}{\\i1\\u1\\s1}全{\\i0\\u0\\s0}{\\c&H0000FF&}赤{\\1c&HFF0000&}青"
                 u"{\\3c&H00FF00&}縁{\\c\\3c}元\n"
                 u"Dialogue: 0,0:00:03.00,0:00:04.00,Loud,,0,0,0,,{\\b0\\c&HFF&}変{\\b\\c}戻\n"),
         {at(0) + "1000-2000 | [b #ffffff o#000000]太重 [ius #ffffff o#000000]全 "
                  "[#ff0000 o#000000]赤 [#0000ff o#000000]青 [#0000ff o#00ff00]縁 " + kPlain + "元",
          at(1) + "3000-4000 | [ius #ff0000 o#ff0000]変 [bius #ffff00 o#ff0000]戻"}},
        {"\\r returns to the line's style, \\rName to that style",
         assFile(u"Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,{\\b1}a{\\r}b{\\rLoud}c{\\rNone}d\n"),
         {at(0) + "1000-2000 | [b #ffffff o#000000]a " + kPlain + "b [bius #ffff00 o#ff0000]c " + kPlain + "d"},
         {on(0, "スタイル「None」がないため、行のスタイルに戻しました")}},
        {"\\N and \\n break the line, \\h is a space, other backslashes are text",
         assFile(u"Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,一\\N二\\n三\\h四\\x\\N\\N\n"),
         {at(0) + "1000-2000 | " + kPlain + "一 | " + kPlain + "二 | " + kPlain + "三 四\\x | |"}},
        {"drawings and other overrides are dropped, noted once a cue; comments in braces dropped",
         assFile(u"Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,{\\pos(10,20)\\fad(100,200)}上"
                 u"{\\p1}m 0 0 l 100 0 100 100{\\p0}下{\\t(0,500,\\c&HFF&)\\bord3\\pos(10,20)}{訳注}!\n"
                 u"Dialogue: 0,0:00:03.00,0:00:04.00,Default,,0,0,0,Banner;5,{\\an8\\fs40\\blur2\\be1\\fsp2\\kf50"
                 u"\\fscx120\\fscy80\\frz30\\move(1,2,3,4)\\clip(0,0,9,9)}{\\p2}m 0 0\n"),
         {at(0) + "1000-2000 | " + kPlain + "上下!", at(1) + "3000-4000"},
         {on(0, "図形（\\p1）は字幕の行に持てないため外しました"),
          on(0, "{\\pos(10,20)\\fad(100,200)\\t(0,500,\\c&HFF&)\\bord3} は字幕の行に持てないため外しました"),
          on(1, "効果「Banner;5」は字幕の行に持てないため外しました"), on(1, "図形（\\p2）は字幕の行に持てないため外しました"),
          // The list of dropped overrides is cut short.
          on(1, "{\\an8\\fs40\\blur2\\be1\\fsp2\\kf50\\fscx120\\fscy80\\frz30\\move(1,2,…} は字幕の行に持てないため外しました")}},
        {"a font override starting with @ makes the cue vertical",
         assFile(u"Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,{\\fn@Mincho}縦\n"),
         {at(0) + "1000-2000 縦 | " + kPlain + "縦"},
         {on(0, "{\\fn@Mincho} は字幕の行に持てないため外しました")}},
        {"Comment lines skipped; unknown styles read as Default, noted once; bad lines noted and skipped",
         assFile(u"Comment: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,メモ\n"
                 u"Dialogue: 0,0:00:01.00,0:00:02.00,Nobody,,0,0,0,,a\n"
                 u"Dialogue: 0,0:00:03.00,0:00:04.00,Nobody,,0,0,0,,b\n"
                 u"Dialogue: 0,0:00:05,later,Default,,0,0,0,,c\n"
                 u"Dialogue: 0,0:00:05.00,0:00:06.00\n"
                 u"Picture: 0,0:00:05.00,0:00:06.00,Default,,0,0,0,,x.png\n"
                 u"Dialogue: 0,0:00:07.00,0:00:08.00,Default,,0,0,0,,{\\c&HZZ&}{不完全\n"),
         {at(1) + "1000-2000 | " + kPlain + "a", at(2) + "3000-4000 | " + kPlain + "b",
          at(6) + "7000-8000 | " + kPlain + "{不完全"},
         {on(1, "スタイル「Nobody」がないため、Default のスタイルで読みました"),
          on(3, "Dialogue の時間が読めないため、この行を飛ばしました"),
          on(4, "Dialogue の項目が足りないため、この行を飛ばしました"),
          on(5, "Picture の行は字幕の行に持てないため外しました"),
          on(6, "色「&HZZ&」が読めないため、\\c の指定を外しました")}},
        {"an unknown style without Default gives no formatting; styles after the events; Format without Text",
         u"[Events]\nFormat: Layer, Start\nDialogue: 0,0:00:01.00,0:00:02.00,X,,0,0,0,,{\\b1}a\n"
         u"Dialogue: 0,0:00:01.00,0:00:02.00,Other,,0,0,0,,b\n"
         u"[V4+ Styles]\nStyle: Other,Arial,20,&Hnope,&H0,&H0,&H0,0,0,0,0,100,100,0,0,1,2,0,2,10,10,10,1\n",
         {"@3 1000-2000 | [b]a", "@4 1000-2000 | [o#000000]b"},
         {"2: Format の行に Start、End、Text がそろわないため、標準の並びで読みました",
          "3: スタイル「X」がないため、スタイルなしで読みました",
          "6: 色「&Hnope」が読めないため、スタイル「Other」の色を外しました"}},
        {"no [Events] section", u"[Script Info]\nTitle: x\nDialogue: 0,0:00:01.00,0:00:02.00,,,0,0,0,,a\n", {}, {},
         "ASSの[Events]の部分が見つかりません"},
        {"an [Events] section without Dialogue lines",
         assFile(u"Comment: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,メモ\n"), {}, {},
         "ASSの[Events]にDialogueの行がありません"},
    };
    return table;
}

class AssReaderTest : public testing::TestWithParam<Case> {};

TEST_P(AssReaderTest, ReadsCuesAndNotes) { test::expectReading(GetParam(), readAss(GetParam().text)); }

INSTANTIATE_TEST_SUITE_P(Table, AssReaderTest, testing::ValuesIn(cases()), test::readerCaseName);

// A file ffmpeg wrote from an SRT file (tests/data/import/README.md).
TEST(AssReaderFiles, ReadsWhatFfmpegWrites) {
    const ImportedCaptions captions = readAss(
        decodeTextFile(test::readFixture("import/styled_ja_from_srt.ass"), test::platformShiftJis()));
    EXPECT_EQ(cueSummaries(captions),
              (std::vector<std::string>{
                  "@14 1000-3500 | [#ff0000 o#000000]赤い字幕 " + kPlain + "と [b #ffffff o#000000]太字 | "
                      "[i #ffffff o#000000]二行目は斜体",
                  "@15 4000-6250 | [u #ffffff o#000000]下線 " + kPlain + "と [s #ffffff o#000000]取り消し線 | "
                      "[b #00ffff o#000000]水色の太字",
                  "@16 7000-9000 | " + kPlain + "上に出る字幕"}));
    EXPECT_EQ(noteSummaries(captions), (std::vector<std::string>{"16: {\\an8} は字幕の行に持てないため外しました"}));
}

}  // namespace
}  // namespace qucap
