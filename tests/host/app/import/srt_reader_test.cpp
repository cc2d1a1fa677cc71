// The SRT reader on one table of files: blocks and timing lines as players
// read them, the inline tags, and the notes on what a caption cannot hold.
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

using Case = test::ReaderCase;

const std::vector<Case>& cases() {
    static const std::vector<Case> table{
        {"numbered blocks with CR LF, the text lines of each",
         u"1\r\n00:00:01,000 --> 00:00:02,500\r\n一行目\r\n二行目\r\n\r\n2\r\n00:01:02,003 --> 01:00:00,000\r\nつぎ\r\n",
         {"@1 1000-2500 | 一行目 | 二行目", "@6 62003-3600000 | つぎ"}},
        {"blocks without numbers, '.' before the milliseconds, LF and CR, blank lines and a mark before",
         u"\uFEFF\n\n00:00:01.000-->00:00:02.000\nA\n\n\n\r00:00:03.000   -->\t00:00:04.000\rB\r",
         {"@3 1000-2000 | A", "@8 3000-4000 | B"}},
        // The digits after the comma are a fraction of a second: ",5" is
        // 500 ms; digits below a millisecond are ignored. Hours take any
        // number of digits, minutes and seconds one or two.
        {"short and long fractions, many hour digits",
         u"0:0:1,5 --> 0:00:02,05\nA\n\n123:00:00,1239 --> 123:00:01\nB\n",
         {"@1 1500-2050 | A", "@4 442800123-442801000 | B"}},
        {"a cue starting right after another one's text, with or without its number",
         u"1\n00:00:01,000 --> 00:00:02,000\nA\n2\n00:00:03,000 --> 00:00:04,000\nB\n00:00:05,000 --> 00:00:06,000\n7\n",
         {"@1 1000-2000 | A", "@4 3000-4000 | B", "@7 5000-6000 | 7"}},
        {"cues as the file has them: empty, overlapping, out of order",
         u"1\n00:00:05,000 --> 00:00:06,000\n\n2\n00:00:01,000 --> 00:00:09,000\nA\n\n3\n00:00:02,000 --> 00:00:01,000\nB\n",
         {"@1 5000-6000", "@4 1000-9000 | A", "@8 2000-1000 | B"}},
        {"blocks without a readable timing line are skipped up to the next cue",
         u"1\n00:00:01 --> later\nA\n\nstray text\nmore\n2\n00:00:03,000 --> 00:00:04,000\nB\n\n3\n\n00:00:05,000 --> x\n",
         {"@7 3000-4000 | B"},
         {"1: 時間の行が読めないため、このブロックを飛ばしました", "5: 時間の行がないため、このブロックを飛ばしました",
          "11: 時間の行がないため、このブロックを飛ばしました", "13: 時間の行が読めないため、このブロックを飛ばしました"}},
        {"the box coordinates after a timing line",
         u"1\n00:00:01,000 --> 00:00:02,000  X1:100 X2:600 Y1:10 Y2:50\nA\n",
         {"@1 1000-2000 | A"},
         {"1: 時間の行の後ろの「X1:100 X2:600 Y1:10 Y2:50」は字幕の行に持てないため外しました"}},
        {"effect tags in any case, nested, open to the cue's end, a stray close ignored",
         u"00:00:01,000 --> 00:00:02,000\n<B>太</B><i>斜<u>下</I>線</u></b>\n<s>取り<b>消し\n続き\n\n"
         u"00:00:03,000 --> 00:00:04,000\n<b><b>二重</b>まだ</b>普通\n",
         {"@1 1000-2000 | [b]太 [i]斜 [iu]下 [u]線 | [s]取り [bs]消し | [bs]続き", "@6 3000-4000 | [b]二重まだ 普通"}},
        {"font colours quoted or not, in any case, nested, closed by </font>",
         u"00:00:01,000 --> 00:00:02,000\n<font color=\"#FF0000\">赤<FONT COLOR=blue>青</font>赤</font>無\n"
         u"<font color='lime'><b>緑</b></font><font color=00ffff>水</font><font color=\"rgb(255,255,0)\">黄\n",
         {"@1 1000-2000 | [#ff0000]赤 [#0000ff]青 [#ff0000]赤 無 | [b #00ff00]緑 [#00ffff]水 [#ffff00]黄"}},
        {"what a caption cannot hold is dropped, its text kept, each kind once in a cue",
         u"00:00:01,000 --> 00:00:02,000\n{\\an8}<font face=\"MS Gothic\" size=20 color=#zz>上</font><ruby>字<rt>じ</rt></ruby>"
         u"\n<font face=Arial>{\\an8}</font><span class=\"x\">!</span>\n\n00:00:03,000 --> 00:00:04,000\n{\\an8}次\n",
         {"@1 1000-2000 | 上字じ | !", "@5 3000-4000 | 次"},
         // All on the cue's first line, where the row's notes stand too.
         {"1: {\\an8} は字幕の行に持てないため外しました", "1: <font face> の指定は字幕の行に持てないため外しました",
          "1: <font size> の指定は字幕の行に持てないため外しました",
          "1: 色「#zz」が読めないため、<font color> の指定を外しました",
          "1: <ruby> のタグは字幕の行に持てないため外しました", "1: <rt> のタグは字幕の行に持てないため外しました",
          "1: <span> のタグは字幕の行に持てないため外しました", "5: {\\an8} は字幕の行に持てないため外しました"}},
        {"brackets and ampersands that start no tag, block or entity are text; entities decoded",
         u"00:00:01,000 --> 00:00:02,000\na < b <3 <</i> {x} {\\open A<B & C>D <i-x>\n&amp;&lt;&gt;&quot;&apos;&nbsp;&#x4E00;&#19968; &copy; & &#0;\n"
         u"改行<br>の後<BR/>\n",
         {"@1 1000-2000 | a < b <3 < {x} {\\open A<B & C>D <i-x> | &<>\"'\u00A0一一 &copy; & &#0; | 改行 | の後 |"}},
        {"no timing line at all", u"just\ntext\n", {}, {"1: 時間の行がないため、このブロックを飛ばしました"},
         "SRTの時間の行（00:00:01,000 --> 00:00:02,000）が見つかりません"},
        {"an empty text", u"", {}, {}, "SRTの時間の行（00:00:01,000 --> 00:00:02,000）が見つかりません"},
    };
    return table;
}

class SrtReaderTest : public testing::TestWithParam<Case> {};

TEST_P(SrtReaderTest, ReadsCuesAndNotes) { test::expectReading(GetParam(), readSrt(GetParam().text)); }

INSTANTIATE_TEST_SUITE_P(Table, SrtReaderTest, testing::ValuesIn(cases()), test::readerCaseName);

// Files ffmpeg wrote from a WebVTT and from an ASS file (tests/data/import/README.md).
TEST(SrtReaderFiles, ReadsWhatFfmpegWrites) {
    const auto read = [](const char* name) {
        return readSrt(decodeTextFile(test::readFixture(std::string("import/") + name), test::platformShiftJis()));
    };
    const ImportedCaptions fromVtt = read("styled_ja_from_vtt.srt");
    EXPECT_EQ(cueSummaries(fromVtt), (std::vector<std::string>{"@1 1000-3500 | [b]こんにちは 、世界 | [i]二行目 は斜体",
                                                               "@6 4000-6250 | [u]下線 と [bi]太字の斜体",
                                                               "@10 7000-9000 | 記号 & <タグ>"}));
    EXPECT_TRUE(fromVtt.notes.empty());
    const ImportedCaptions fromAss = read("styled_ja_from_ass.srt");
    EXPECT_EQ(cueSummaries(fromAss),
              (std::vector<std::string>{"@1 1000-3500 | [#ff0000]赤い字幕 と [b]太字 | [i]二行目は斜体",
                                        "@6 4000-6250 | [u]下線 と [s]取り消し線 | [b #00ffff]水色の太字",
                                        "@11 7000-9000 | 上に出る字幕"}));
    EXPECT_EQ(noteSummaries(fromAss), (std::vector<std::string>{"11: {\\an8} は字幕の行に持てないため外しました"}));
}

}  // namespace
}  // namespace qucap
