// The TTML reader on one table of documents: the cues, their text, ruby and
// styles, and the notes, all exact.
#include <gtest/gtest.h>


#include "app/import/readers.h"
#include "captiondata/text/u16.h"

namespace qucap {
namespace {

std::string hex(const Rgb& c) {
    static const char* digits = "0123456789ABCDEF";
    std::string out = "#";
    for (const uint8_t v : {c.r, c.g, c.b}) out += {digits[v >> 4], digits[v & 15]};
    return out;
}

// A run as "text", or "{#RRGGBB o#RRGGBB BIUS:text}" when styled.
std::string runs(const std::vector<ImportRun>& runs) {
    std::string out;
    for (const ImportRun& run : runs) {
        std::string style;
        if (run.style.colour) style += hex(*run.style.colour) + " ";
        if (run.style.border) style += "o" + hex(*run.style.border) + " ";
        for (const auto& [bit, letter] : {std::pair{kBold, 'B'}, {kItalic, 'I'}, {kUnderline, 'U'}, {kStrikeOut, 'S'}})
            if (run.style.effects & bit) style += letter;
        if (!style.empty() && style.back() == ' ') style.pop_back();
        out += style.empty() ? toUtf8(run.text) : "{" + style + ":" + toUtf8(run.text) + "}";
    }
    return out;
}

// The cues as "START-END[ v]|line|line", the notes as "LINE: text", or the failure.
std::vector<std::string> dump(const ImportedCaptions& captions) {
    std::vector<std::string> out;
    if (!captions.failure.empty()) out.push_back("failure: " + toUtf8(captions.failure));
    for (const ImportCue& cue : captions.cues) {
        std::string text = std::to_string(cue.start) + "-" + std::to_string(cue.end) + (cue.vertical ? " v" : "");
        for (const ImportLine& line : cue.lines) {
            text += "|";
            for (const ImportPiece& piece : line)
                text += piece.reading.empty() ? runs(piece.base) : "[" + runs(piece.base) + "|" + runs(piece.reading) + "]";
        }
        out.push_back(text);
    }
    for (const ImportNote& note : captions.notes) out.push_back(std::to_string(note.sourceLine) + ": " + toUtf8(note.text));
    return out;
}

constexpr const char* kRoot =
    "<tt xmlns=\"http://www.w3.org/ns/ttml\" xmlns:tts=\"http://www.w3.org/ns/ttml#styling\" "
    "xmlns:ttp=\"http://www.w3.org/ns/ttml#parameter\"";

// A document of one line: the body's content, the head, the root's and the body's extra attributes.
std::string doc(const std::string& body, const std::string& head = "", const std::string& root = "",
                const std::string& bodyAttributes = "") {
    return std::string(kRoot) + root + "><head>" + head + "</head><body" + bodyAttributes + ">" + body + "</body></tt>";
}
std::string p(const std::string& content, const std::string& attributes = " begin=\"1s\" end=\"2s\"") {
    return "<div><p" + attributes + ">" + content + "</p></div>";
}

struct Case {
    const char* name;
    std::string text;
    std::vector<std::string> expected;
};

TEST(TtmlReader, ReadsDocuments) {
    const std::string regions =
        "<styling><style xml:id=\"red\" tts:color=\"red\"/><style xml:id=\"boldRed\" style=\"red\" "
        "tts:fontWeight=\"bold\"/><style xml:id=\"loop\" style=\"loop\" tts:fontStyle=\"italic\"/></styling>"
        "<layout><region xml:id=\"v\" tts:writingMode=\"tbrl\"/><region xml:id=\"h\" style=\"red\"/>"
        "<region xml:id=\"nested\"><style tts:writingMode=\"tblr\"/></region></layout>";
    const Case cases[] = {
        // Timing nests: a child counts from its parent's begin and ends with it at the latest.
        {"nested times",
         doc("<div begin=\"10s\" end=\"20s\"><p begin=\"1s\" end=\"2s\">a</p><p begin=\"2s\" dur=\"1.5s\">b</p>"
             "<p begin=\"5s\">c</p><p begin=\"8s\" end=\"15s\">d</p><p begin=\"12s\" end=\"13s\">e</p></div>"),
         {"11000-12000|a", "12000-13500|b", "15000-20000|c", "18000-20000|d", "22000-22000|e"}},
        {"body begin and dur with end",
         doc("<div><p begin=\"1s\" end=\"9s\" dur=\"2s\">a</p></div>", "", "", " begin=\"00:01:00\""),
         {"61000-63000|a"}},
        {"sequence",
         doc("<div timeContainer=\"seq\"><p dur=\"1s\">a</p><p begin=\"1s\" dur=\"2s\">b</p></div>"),
         {"0-1000|a", "2000-4000|b"}},
        {"no end and unreadable times",
         doc(p("a", " begin=\"later\"")),
         {"0-0|a", "1: begin の時間「later」が読めないため外しました", "1: 終わりの時間がないため、表示の長さを 0 にしました"}},
        {"span times",
         doc(p("a<span begin=\"0.5s\">b</span><span begin=\"0s\">c</span>")),
         {"1000-2000|abc", "1: <span> ごとの時間は字幕の行に持てないため、その文字を段落の時間いっぱいに表示します"}},
        {"frames and ticks",
         doc("<div><p begin=\"00:00:01:12\" end=\"40000t\">a</p></div>", "",
             " ttp:frameRate=\"24\" ttp:tickRate=\"10000\" ttp:timeBase=\"smpte\""),
         {"1500-4000|a", "1: ttp:timeBase「smpte」には対応していないため、メディアの時間として読みました"}},

        // Styles: references chained, the region's, inherited and inline.
        {"style references and inheritance",
         doc("<div tts:textDecoration=\"underline\"><p begin=\"0s\" end=\"1s\" style=\"boldRed\">a<span "
             "tts:color=\"#00f\" tts:textDecoration=\"noUnderline lineThrough\">b</span><span style=\"loop "
             "missing\">c</span></p></div>",
             regions),
         {"0-1000|{#FF0000 BU:a}{#0000FF BS:b}{#FF0000 BIU:c}", "1: style の参照「missing」が見つからないため外しました"}},
        {"region styles and writing modes",
         doc("<div region=\"v\"><p begin=\"0s\" end=\"1s\">a</p><p begin=\"0s\" end=\"1s\" region=\"h\">b</p>"
             "<p begin=\"0s\" end=\"1s\" region=\"nested\">c</p><p begin=\"0s\" end=\"1s\" region=\"x\">d</p></div>",
             regions),
         {"0-1000 v|a", "0-1000|{#FF0000:b}", "0-1000 v|c", "0-1000|d",
          "1: region の参照「x」が見つからないため、横書きとして読みました"}},
        {"colours and outlines",
         doc(p("<span tts:color=\"rgb(0, 128, 0)\" tts:textOutline=\"#FFFF00 10%\">a</span>"
               "<span tts:color=\"#ff000080\" tts:textOutline=\"2px\">b</span>"
               "<span tts:color=\"transparent\">c</span><span tts:color=\"#12345600\">d</span>"
               "<span tts:color=\"rgba(1, 2, 3, 0)\">d</span><span tts:color=\"rgba(0, 0, 255, 128)\">f</span>"
               "<span tts:color=\"nocolour\" tts:textOutline=\"none\">e</span>")),
         {"1000-2000|{#008000 o#FFFF00:a}{#FF0000 o#FF0000:b}cdd{#0000FF:f}e",
          "1: tts:color の透明色は字幕の行に持てないため、色の指定を外しました",
          "1: tts:color の値「nocolour」が読めないため外しました"}},
        {"effects",
         doc(p("<span tts:fontWeight=\"bold\" tts:fontStyle=\"oblique\">a<span tts:fontWeight=\"normal\" "
               "tts:textDecoration=\"overline underline\">b</span><span tts:textDecoration=\"none\">c</span></span>")),
         {"1000-2000|{BI:a}{IU:b}{BI:c}", "1: tts:textDecoration の overline（上線）は字幕の行に持てないため外しました"}},
        {"dropped styling",
         doc(p("<span tts:textEmphasis=\"circle\">強</span><span tts:textCombine=\"all\">12</span>"
               "<span tts:shear=\"10%\" tts:textCombine=\"none\">斜</span>",
               " begin=\"1s\" end=\"2s\" tts:origin=\"10% 10%\" tts:fontSize=\"2c\" tts:textAlign=\"left\"")),
         {"1000-2000|強12斜", "1: tts:origin（位置）の指定は字幕の行に持てないため外しました",
          "1: tts:textEmphasis（圏点）は字幕の行に持てないため外しました",
          "1: tts:textCombine（縦中横）は字幕の行に持てないため外し、文字はそのまま残しました",
          "1: tts:shear（傾き）は字幕の行に持てないため外しました"}},

        // Ruby: simple, in containers, and where the row places it.
        {"ruby",
         doc(p("<span tts:ruby=\"container\" tts:rubyPosition=\"after\"><span tts:ruby=\"base\">漢字</span>"
               "<span tts:ruby=\"delimiter\">(</span><span tts:ruby=\"text\" tts:color=\"red\">かんじ</span>"
               "<span tts:ruby=\"delimiter\">)</span></span>と<br/>"
               "<span tts:ruby=\"container\" tts:rubyPosition=\"after\"><span tts:ruby=\"baseContainer\">"
               "<span tts:ruby=\"base\">東</span><span tts:ruby=\"base\">京</span></span>"
               "<span tts:ruby=\"textContainer\"><span tts:ruby=\"text\">とう</span><span tts:ruby=\"text\">"
               "きょう</span></span><span tts:ruby=\"textContainer\"><span tts:ruby=\"text\">x</span></span></span>"
               "<span tts:ruby=\"container\"><span tts:ruby=\"baseContainer\"><span tts:ruby=\"base\">明</span>"
               "<span tts:ruby=\"base\">日</span></span><span tts:ruby=\"textContainer\"><span tts:ruby=\"text\">"
               "あした</span></span></span><span tts:ruby=\"container\"><span tts:ruby=\"text\">よみ</span></span>"
               "<span tts:ruby=\"container\"><span tts:ruby=\"base\">字</span></span>")),
         {"1000-2000|[漢字|{#FF0000:かんじ}]と|[東|とう][京|きょう][明日|あした]よみ字",
          "1: 1行目のルビ（after）は行の上側に置かれます",
          "1: 二つ目のルビ（textContainer）は字幕の行に持てないため外しました",
          "1: ルビの親文字がないため、ルビを本文にしました"}},
        {"ruby after on a vertical line 1",
         doc("<div region=\"v\">" + p("<span tts:ruby=\"container\" tts:rubyPosition=\"after\"><span "
                                      "tts:ruby=\"base\">縦</span><span tts:ruby=\"text\">たて</span></span>") +
                 "</div>",
             regions),
         {"1000-2000 v|[縦|たて]", "1: 1行目のルビ（after）は行の右側に置かれます"}},

        // White space: collapsed by default, kept where preserved.
        {"white space",
         doc(p("\n  one  <span>two</span>\t<span> three </span> <br/>  four<br/><br/>") +
             "<div xml:space=\"preserve\">" + p(" a  b\nc <span xml:space=\"default\"> d  </span>") + "</div>"),
         {"1000-2000|one two three|four||", "1000-2000| a  b|c  d"}},
        {"empty paragraphs are cues too",
         doc(p("") + p("  \n ")), {"1000-2000", "1000-2000"}},

        // Names are matched by namespace, not by prefix; foreign elements are skipped.
        {"prefixes",
         "<t:tt xmlns:t=\"http://www.w3.org/ns/ttml\" xmlns:s=\"http://www.w3.org/ns/ttml#styling\" "
         "xmlns:x=\"urn:other\"><t:body><t:div><t:p begin=\"1s\" end=\"2s\"><t:span s:fontWeight=\"bold\" "
         "x:color=\"red\">a</t:span><x:span>hidden</x:span><span>b</span><t:set s:color=\"red\"/>"
         "</t:p></t:div></t:body></t:tt>",
         {"1000-2000|{B:a}", "1: <set> による変化は字幕の行に持てないため外しました"}},
        {"escapes, entities and no expansion",
         "<?xml version=\"1.0\"?><!DOCTYPE tt [<!ENTITY big \"BIG\">]>\n" + doc(p("&lt;&amp;&#x5B57;&big;")),
         {"1000-2000|<&字&big;"}},

        // Not TTML at all.
        {"broken XML", "<tt xmlns=\"http://www.w3.org/ns/ttml\">\n<body>\n<p></div>",
         {"failure: TTMLとして読めません（XMLの誤り：Start-end tags mismatch、3行目）"}},
        {"no TTML root", "<tt><body/></tt>", {"failure: TTMLとして読めません（文書の要素が TTML の <tt> ではありません）"}},
        {"empty", "", {"failure: TTMLとして読めません（XMLの誤り：No document element found、1行目）"}},
    };
    for (const Case& c : cases) EXPECT_EQ(dump(readTtml(fromUtf8(c.text))), c.expected) << c.name;
}

TEST(TtmlReader, NotesStandOnTheirLines) {
    const std::string text = std::string(kRoot) + ">\n<body>\n<div begin=\"x\">\n<p begin=\"1s\">\n" +
                             "<span tts:textEmphasis=\"dot\">a</span><span tts:textEmphasis=\"dot\">b</span></p>\n" +
                             "</div></body></tt>";
    EXPECT_EQ(dump(readTtml(fromUtf8(text))),
              (std::vector<std::string>{"1000-1000|ab", "3: begin の時間「x」が読めないため外しました",
                                        "4: tts:textEmphasis（圏点）は字幕の行に持てないため外しました",
                                        "4: 終わりの時間がないため、表示の長さを 0 にしました"}));
}

}  // namespace
}  // namespace qucap
