// The WebVTT reader on one table of files: the cues it finds, with their
// runs' effects and colours, and its notes. (The project's own WebVTT read
// back is the round trip's.)
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/import/readers.h"
#include "captiondata/markup/markup.h"
#include "captiondata/text/u16.h"

namespace qucap {
namespace {

using namespace std::string_literals;

// A run as "{bius#RRGGBB:text}" with only what it has; plain text as it is.
std::string runsText(const std::vector<ImportRun>& runs) {
    std::string text;
    for (const ImportRun& run : runs) {
        std::string style;
        for (const auto& [bit, letter] : {std::pair{kBold, 'b'}, {kItalic, 'i'}, {kUnderline, 'u'}, {kStrikeOut, 's'}})
            if (run.style.effects & bit) style += letter;
        if (run.style.colour) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "#%02X%02X%02X", run.style.colour->r, run.style.colour->g, run.style.colour->b);
            style += hex;
        }
        text += style.empty() ? toUtf8(run.text) : "{" + style + ":" + toUtf8(run.text) + "}";
    }
    return text;
}

// "@LINE START-END[ v]: line / line", ruby as [base|reading].
std::string cueText(const ImportCue& cue) {
    std::string text = "@" + std::to_string(cue.sourceLine) + " " + std::to_string(cue.start) + "-" +
                       std::to_string(cue.end) + (cue.vertical ? " v" : "") + ":";
    for (std::size_t i = 0; i < cue.lines.size(); ++i) {
        text += i ? " / " : " ";
        for (const ImportPiece& piece : cue.lines[i])
            text += piece.reading.empty() ? runsText(piece.base)
                                          : "[" + runsText(piece.base) + "|" + runsText(piece.reading) + "]";
    }
    return text;
}

struct Case {
    const char* name;
    std::u16string file;
    std::vector<std::string> cues;
    std::vector<std::string> notes;  // "LINE: text"
};

const std::vector<Case>& cases() {
    static const std::vector<Case> table{
        {"header lines, identifiers, both timestamp forms, comments and extra blank lines",
         u"WEBVTT - 題名\nKind: captions\n\n\nNOTE 注記\nが続く\n\n1\n00:01.000 --> 00:02.000\n一\n\n\n"
         u"intro\n01:00:00.000 --> 01:00:01.500\n二\n三\n\nNOTE\n\n123:00:00.001 --> 123:00:00.002\n四",
         {"@8 1000-2000: 一", "@13 3600000-3601500: 二 / 三", "@20 442800001-442800002: 四"},
         {}},
        {"a cue right after the signature or the header, CR line ends, a byte order mark",
         u"\uFEFFWEBVTT\r00:00.000 --> 00:01.000\r一\r\r00:02.000 --> 00:03.000\r\n二",
         {"@2 0-1000: 一", "@5 2000-3000: 二"},
         {}},
        {"a timing line ends the header; a NOTE or STYLE line before one is the cue's identifier",
         u"WEBVTT\nKind: captions\n00:00.000 --> 00:01.000\n一\n\nNOTE\n00:01.000 --> 00:02.000\n二\n\n"
         u"STYLE\n00:02.000 --> 00:03.000\n::cue(.x) { color: red }\n\n00:03.000 --> 00:04.000\n<c.x>x</c><v>v</v>",
         {"@3 0-1000: 一", "@6 1000-2000: 二", "@10 2000-3000: ::cue(.x) { color: red }", "@14 3000-4000: xv"},
         {"15: 話者の指定（<v>）は字幕の行に持てないため外しました"}},
        {"bad timing lines skip their block, a line with --> starts one, text alone is skipped",
         u"WEBVTT\n\n00:01.000 -> 00:02.000\n消える\n\nid\n00:61.000 --> 00:62.000\n消える\n\n"
         u"00:03.000 --> 00:04.000\n残る\n00:05.000 --> 00:06.000\n次\n\n文字だけ\n\n00:07.00 --> 00:08.000\nx",
         {"@10 3000-4000: 残る", "@12 5000-6000: 次"},
         {"3: 時間の行がないため、このブロックを飛ばしました", "7: 時間の行が読めないため、このブロックを飛ばしました",
          "15: 時間の行がないため、このブロックを飛ばしました", "17: 時間の行が読めないため、このブロックを飛ばしました"}},
        {"vertical settings, the dropped ones noted per cue, unknown and broken ones ignored",
         u"WEBVTT\n\n00:00.000 --> 00:01.000 vertical:rl line:10% align:start\n縦\n\n"
         u"00:01.000 --> 00:02.000 vertical:lr\n左\n\n00:02.000 --> 00:03.000 vertical:xx size:50% foo:1 :x line:\n横",
         {"@3 0-1000 v: 縦", "@6 1000-2000 v: 左", "@9 2000-3000: 横"},
         {"3: 位置の指定（line:10% align:start）は字幕の行に持てないため外しました",
          "6: 左から右へ並ぶ縦書き（vertical:lr）は字幕の行に持てないため、右から左へ並べます",
          "9: 位置の指定（size:50%）は字幕の行に持てないため外しました"}},
        {"STYLE rules on every cue and on classes, over the default colour classes",
         u"WEBVTT\n\nSTYLE\n/* 色 */\n::cue { color: yellow }\n"
         u"::cue(.loud) { font-weight: bold; color: rgb(255, 0, 0) }\n"
         u"::cue(.quiet), ::cue( .soft ) { font-style: italic; text-decoration: underline line-through }\n"
         u"::cue(.plain) { font-weight: normal !important }\n::cue(.heavy) { font-weight: 700 }\n"
         u"::cue(.a.b) { color: blue }\n::cue(#id) { color: blue }\n"
         u"::cue(.wide) { font-size: 120%; color: nonsense; background-color: red }\n\n"
         u"00:00.000 --> 00:01.000\n<c.loud>L</c><b.plain>P</b><c.soft>S</c><c.unknown>U</c><c.lime>G</c>"
         u"<c.lime.loud>R</c><c.heavy>H</c><c.wide>W</c>",
         {"@14 0-1000: {b#FF0000:L}{#FFFF00:P}{ius#FFFF00:S}{#FFFF00:U}{#00FF00:G}{b#FF0000:R}{b#FFFF00:H}"
          "{#FFFF00:W}"},
         {"3: STYLE の ::cue(.a.b)、::cue(#id) の指定は字幕の行に持てないため外しました",
          "3: STYLE の font-size、background-color は字幕の行に持てないため外しました",
          "3: STYLE の色 nonsense が読めないため外しました"}},
        {"rules over several lines, inside @media, and cut off by the end of the block",
         u"WEBVTT\n\nSTYLE\n::cue(.a)\n{\n  color: #0af;\n  text-decoration: underline\n}\n"
         u"@media (min-width: 100px) { ::cue(.a) { color: red } }\n::cue(.b) { font-style: oblique; color: lime\n\n"
         u"00:00.000 --> 00:01.000\n<c.a>a</c><c.b>b</c>",
         {"@12 0-1000: {u#00AAFF:a}{i#00FF00:b}"},
         {"3: STYLE の @media (min-width: 100px) の指定は字幕の行に持てないため外しました"}},
        {"STYLE and REGION only count before the first cue",
         u"WEBVTT\n\nREGION\nid:r1\n\nSTYLE\n::cue(.x) { color: red }\n\n00:00.000 --> 00:01.000 region:r1\n<c.x>x</c>\n\n"
         u"STYLE\n::cue(.y) { color: red }\n\nREGION\nid:r2\n\nSTYLE\n\n00:01.000 --> 00:02.000\n<c.y>y</c>",
         {"@9 0-1000: {#FF0000:x}", "@20 1000-2000: y"},
         {"3: REGION ブロック（表示する領域）は字幕の行に持てないため外しました",
          "9: 位置の指定（region:r1）は字幕の行に持てないため外しました",
          "12: STYLE ブロックは最初の字幕より前にないと使えないため飛ばしました",
          "15: REGION ブロックは最初の字幕より前にないと使えないため飛ばしました"}},
        {"ruby: a group per reading, styled parts, readings that end at </ruby> or the cue",
         u"WEBVTT\n\n00:00.000 --> 00:01.000\n<ruby>漢<rt>かん</rt>字<rt>じ</rt></ruby>と<ruby>一<rt>いち</ruby>\n"
         u"<ruby><b>強</b><rt><c.red>つよ</c></rt>後</ruby>\n<ruby>a<rt>b<rt>c</rt>d</rt>e</ruby>\n"
         u"<b><ruby>x<rt>y</rt></b>z</ruby></b>\n<rt>外</rt><ruby>終<rt>お",
         {"@3 0-1000: [漢|かん][字|じ]と[一|いち] / [{b:強}|{#FF0000:つよ}]後 / [a|bc]de / [{b:x}|{b:y}]{b:z} / 外[終|お]"},
         {}},
        {"ruby that lines cannot hold",
         u"WEBVTT\n\n00:00.000 --> 00:01.000\n<ruby><rt>よみ</rt></ruby>無\n<ruby>改\n行<rt>かいぎょう</rt></ruby>\n"
         u"<ruby>外<ruby>内<rt>うち</rt></ruby><rt>そと</rt></ruby>",
         {"@3 0-1000: 無 / [改行|かいぎょう] / [外内うち|そと]"},
         {"4: ルビ「よみ」の付く文字がないため外しました", "5: ルビの中の改行は字幕の行に持てないため外しました",
          "7: ルビの中のルビは字幕の行に持てないため、文字だけ残しました"}},
        {"voice, language and timestamp tags keep their text; unknown tags are noted once a cue",
         u"WEBVTT\n\n00:00.000 --> 00:01.000\n<v.loud Bob>話</v> <lang en>en</lang><00:00:00.500>t<01:02>x\n"
         u"<v   Ann  Lee >b</v><00:00.700>c <font>f</font><font>g</font> a < b>c</i>\n<u>開いたまま",
         {"@3 0-1000: 話 entx / bc fg a c / {u:開いたまま}"},
         {"4: 話者の指定（<v Bob>）は字幕の行に持てないため外しました",
          "4: 文字ごとの時間（<00:00:00.500>）は字幕の行に持てないため外しました",
          "5: <font> の指定は字幕の行に持てないため外しました", "5: 名前のないタグは読めないため外しました"}},
        {"character references, NUL, and classes that give nothing",
         u"WEBVTT\n\n00:00.000 --> 00:01.000\n&amp;&lt;&gt;&nbsp;&lrm;&#x41;&#66;&#0;&#xD800;&#99999999; &foo; &amp &#65\n"
         u"<c.bg_red.x>背</c><v &lt;Bob&gt;>&#x1F600;\u0000</v>"s,
         {"@3 0-1000: &<>\u00A0\u200EAB\uFFFD\uFFFD\uFFFD &foo; &amp &#65 / 背\U0001F600\uFFFD"},
         {"4: 文字参照 &foo; は読めないため、そのまま残しました",
          "5: 背景色（bg_red）は字幕の行に持てないため外しました",
          "5: 話者の指定（<v <Bob>>）は字幕の行に持てないため外しました"}},
        {"empty, overlapping and backward cues are all kept",
         u"WEBVTT\n\n00:05.000 --> 00:06.000\n\n00:05.500 --> 00:05.000\n<b></b>\n\n00:00.000 --> 00:09.000\nx",
         {"@3 5000-6000:", "@5 5500-5000: ", "@8 0-9000: x"},
         {}},
    };
    return table;
}

TEST(WebVttReader, Files) {
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.name);
        const ImportedCaptions captions = readWebVtt(c.file);
        EXPECT_EQ(captions.failure, u"");
        std::vector<std::string> cues, notes;
        for (const ImportCue& cue : captions.cues) cues.push_back(cueText(cue));
        for (const ImportNote& note : captions.notes)
            notes.push_back(std::to_string(note.sourceLine) + ": " + toUtf8(note.text));
        EXPECT_EQ(cues, c.cues);
        EXPECT_EQ(notes, c.notes);
    }
}

TEST(WebVttReader, TextWithoutTheSignatureIsNoWebVtt) {
    for (const char16_t* text : {u"", u"WEBVTTX\n", u"webvtt\n", u" WEBVTT", u"1\n00:00:01,000 --> 00:00:02,000\nx"}) {
        const ImportedCaptions captions = readWebVtt(text);
        EXPECT_EQ(captions.failure, u"WebVTTの見出し（WEBVTT）がありません") << toUtf8(text);
        EXPECT_TRUE(captions.cues.empty());
    }
    EXPECT_EQ(readWebVtt(u"WEBVTT").failure, u"");
    EXPECT_EQ(readWebVtt(u"WEBVTT\tx").failure, u"");
}

}  // namespace
}  // namespace qucap
