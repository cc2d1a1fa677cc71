// The WebVTT and TTML writers, byte for byte on one table of rows.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>

#include "app/export/ttml.h"
#include "app/export/webvtt.h"

namespace qucap {
namespace {

struct Row {
    int32_t start, duration;
    std::u16string line1, ruby1 = {}, line2 = {}, ruby2 = {};
    bool vertical = false;
};

SubtitleRow subtitleRow(const Row& r) {
    SubtitleRow row;
    row.start = r.start;
    row.duration = r.duration;
    row.line1Markup = r.line1;
    row.line1Ruby = r.ruby1;
    row.line2Markup = r.line2;
    row.line2Ruby = r.ruby2;
    row.vertical = r.vertical;
    return row;
}

constexpr std::string_view kVttHead =
    "WEBVTT\r\rSTYLE\n"  // a blank line ffmpeg does not take for the end of the header
    "::cue(.red) { color: #FF0000 }\n"
    "::cue(.green) { color: #00FF00 }\n"
    "::cue(.blue) { color: #0000FF }\n"
    "::cue(.yellow) { color: #FFFF00 }\n"
    "::cue(.magenta) { color: #FF00FF }\n"
    "::cue(.cyan) { color: #00FFFF }\n"
    "::cue(.black) { color: #000000 }\n"
    "::cue(.white) { color: #FFFFFF }\n"
    "::cue(.strike) { text-decoration: line-through }\n";

constexpr std::string_view kTtmlHead =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<tt xmlns=\"http://www.w3.org/ns/ttml\" xmlns:ttp=\"http://www.w3.org/ns/ttml#parameter\" "
    "xmlns:tts=\"http://www.w3.org/ns/ttml#styling\" ttp:timeBase=\"media\" "
    "ttp:contentProfiles=\"http://www.w3.org/ns/ttml/profile/imsc1.1/text\" xml:lang=\"ja\">\n"
    "  <head>\n"
    "    <layout>\n"
    "      <region xml:id=\"horizontal\" tts:origin=\"5% 5%\" tts:extent=\"90% 90%\" tts:displayAlign=\"after\" "
    "tts:textAlign=\"center\"/>\n"
    "      <region xml:id=\"vertical\" tts:origin=\"5% 5%\" tts:extent=\"90% 90%\" tts:writingMode=\"tbrl\" "
    "tts:displayAlign=\"before\" tts:textAlign=\"center\"/>\n"
    "    </layout>\n"
    "  </head>\n"
    "  <body>\n    <div>\n";
constexpr std::string_view kTtmlTail = "    </div>\n  </body>\n</tt>\n";

std::string ttmlParagraph(std::string_view times, std::string_view region, std::string_view content) {
    return "      <p " + std::string(times) + " region=\"" + std::string(region) + "\">" + std::string(content) + "</p>\n";
}

struct Case {
    const char* name;
    std::vector<Row> rows;
    std::string vttCues;  // after the STYLE block
    std::string ttmlParagraphs;
};

const std::vector<Case>& cases() {
    static const std::vector<Case> table{
        {"two ruby groups on one line",
         {{500, 2500, u"この漢字と文字", u"漢字(かんじ)文字(もじ)"}},
         "\n00:00:00.500 --> 00:00:03.000\n"
         "この<ruby>漢字<rt>かんじ</rt></ruby>と<ruby>文字<rt>もじ</rt></ruby>\n",
         ttmlParagraph("begin=\"00:00:00.500\" end=\"00:00:03.000\"", "horizontal",
                       "この<span tts:ruby=\"container\" tts:rubyPosition=\"before\"><span tts:ruby=\"base\">漢字</span>"
                       "<span tts:ruby=\"text\">かんじ</span></span>と<span tts:ruby=\"container\" "
                       "tts:rubyPosition=\"before\"><span tts:ruby=\"base\">文字</span><span tts:ruby=\"text\">もじ</span>"
                       "</span>")},
        {"ruby on both lines, the sample row's markup",
         {{0, 10000, u"$W$kカブレン", u"", u"$W$k$C字幕付加$Wシステム", u"字幕($W$k $Cじまく$W)付加(  $Cふか$W)"},
          {10000, 1000, u"字", u"字(じ)", u"字", u"字(じ)"}},
         "\n00:00:00.000 --> 00:00:10.000\n<c.white>カブレン</c>\n"
         "<ruby><c.cyan>字幕</c><rt><c.white> </c><c.cyan>じまく</c></rt></ruby><ruby><c.cyan>付加</c><rt><c.white>  "
         "</c><c.cyan>ふか</c></rt></ruby><c.white>システム</c>\n"
         "\n00:00:10.000 --> 00:00:11.000\n<ruby>字<rt>じ</rt></ruby>\n<ruby>字<rt>じ</rt></ruby>\n",
         // The readings' spaces would collapse in XML without xml:space.
         ttmlParagraph("begin=\"00:00:00.000\" end=\"00:00:10.000\"", "horizontal\" xml:space=\"preserve",
                       "<span tts:color=\"#FFFFFF\" tts:textOutline=\"#000000 9%\">カブレン</span><br/>"
                       "<span tts:ruby=\"container\" tts:rubyPosition=\"after\"><span tts:ruby=\"base\"><span "
                       "tts:color=\"#00FFFF\" tts:textOutline=\"#000000 9%\">字幕</span></span><span tts:ruby=\"text\">"
                       "<span tts:color=\"#FFFFFF\" tts:textOutline=\"#000000 6%\"> </span><span tts:color=\"#00FFFF\" "
                       "tts:textOutline=\"#000000 6%\">じまく</span></span></span><span tts:ruby=\"container\" "
                       "tts:rubyPosition=\"after\"><span tts:ruby=\"base\"><span tts:color=\"#00FFFF\" "
                       "tts:textOutline=\"#000000 9%\">付加</span></span><span tts:ruby=\"text\"><span "
                       "tts:color=\"#FFFFFF\" tts:textOutline=\"#000000 6%\">  </span><span tts:color=\"#00FFFF\" "
                       "tts:textOutline=\"#000000 6%\">ふか</span></span></span><span tts:color=\"#FFFFFF\" "
                       "tts:textOutline=\"#000000 9%\">システム</span>") +
             ttmlParagraph("begin=\"00:00:10.000\" end=\"00:00:11.000\"", "horizontal",
                           "<span tts:ruby=\"container\" tts:rubyPosition=\"before\"><span tts:ruby=\"base\">字</span>"
                           "<span tts:ruby=\"text\">じ</span></span><br/><span tts:ruby=\"container\" "
                           "tts:rubyPosition=\"after\"><span tts:ruby=\"base\">字</span><span tts:ruby=\"text\">じ</span>"
                           "</span>")},
        {"a vertical row",
         {{4500, 2000, u"縦書き", u"縦(たて)", u"二行目", u"", true}},
         "\n00:00:04.500 --> 00:00:06.500 vertical:rl\n<ruby>縦<rt>たて</rt></ruby>書き\n二行目\n",
         ttmlParagraph("begin=\"00:00:04.500\" end=\"00:00:06.500\"", "vertical",
                       "<span tts:ruby=\"container\" tts:rubyPosition=\"before\"><span tts:ruby=\"base\">縦</span>"
                       "<span tts:ruby=\"text\">たて</span></span>書き<br/>二行目")},
        {"every colour code",
         {{0, 1000, u"$Rあ$Gい$Bう$Yえ$Mお$Cか$Kき$Wく"}},
         "\n00:00:00.000 --> 00:00:01.000\n<c.red>あ</c><c.green>い</c><c.blue>う</c><c.yellow>え</c><c.magenta>お</c>"
         "<c.cyan>か</c><c.black>き</c><c.white>く</c>\n",
         ttmlParagraph("begin=\"00:00:00.000\" end=\"00:00:01.000\"", "horizontal",
                       "<span tts:color=\"#FF0000\">あ</span><span tts:color=\"#00FF00\">い</span><span "
                       "tts:color=\"#0000FF\">う</span><span tts:color=\"#FFFF00\">え</span><span "
                       "tts:color=\"#FF00FF\">お</span><span tts:color=\"#00FFFF\">か</span><span "
                       "tts:color=\"#000000\">き</span><span tts:color=\"#FFFFFF\">く</span>")},
        {"effects, alone and together, and a border colour",
         {{0, 1000, u"$Hb$h$Ii$i$Uu$u$Ss$s$H$I$U$S$R$yall"}},
         "\n00:00:00.000 --> 00:00:01.000\n<b>b</b><i>i</i><u>u</u><c.strike>s</c><c.red.strike><b><i><u>all</u></i></b></c>\n",
         ttmlParagraph("begin=\"00:00:00.000\" end=\"00:00:01.000\"", "horizontal",
                       "<span tts:fontWeight=\"bold\">b</span><span tts:fontStyle=\"italic\">i</span><span "
                       "tts:textDecoration=\"underline\">u</span><span tts:textDecoration=\"lineThrough\">s</span><span "
                       "tts:color=\"#FF0000\" tts:textOutline=\"#FFFF00 9%\" tts:fontWeight=\"bold\" "
                       "tts:fontStyle=\"italic\" tts:textDecoration=\"underline lineThrough\">all</span>")},
        {"reserved characters and a dollar",
         {{0, 1000, u"A<B & C>D $$5", u"", u"--> x"}},
         "\n00:00:00.000 --> 00:00:01.000\nA&lt;B &amp; C&gt;D $5\n--&gt; x\n",
         ttmlParagraph("begin=\"00:00:00.000\" end=\"00:00:01.000\"", "horizontal", "A&lt;B &amp; C&gt;D $5<br/>--&gt; x")},
        {"an empty first line; a row of codes only shows nothing and is left out",
         {{0, 1000, u"$W$k", u"", u"二行目"}, {2000, 1000, u"", u"る(び)", u"$R"}},
         "\n00:00:00.000 --> 00:00:01.000\n二行目\n",
         ttmlParagraph("begin=\"00:00:00.000\" end=\"00:00:01.000\"", "horizontal", "二行目")},
        {"equal and earlier starts are dropped, so is a row shown for no time",
         {{1000, 500, u"一"}, {1000, 500, u"同じ"}, {500, 500, u"前"}, {2000, 0, u"零"}, {3000, 500, u"二"}},
         "\n00:00:01.000 --> 00:00:01.500\n一\n\n00:00:03.000 --> 00:00:03.500\n二\n",
         ttmlParagraph("begin=\"00:00:01.000\" end=\"00:00:01.500\"", "horizontal", "一") +
             ttmlParagraph("begin=\"00:00:03.000\" end=\"00:00:03.500\"", "horizontal", "二")},
        {"times past ten hours are written as they are",
         {{36'005'000, 2'000, u"後"}, {INT32_MAX - 1, 2'000, u"最後"}},
         "\n10:00:05.000 --> 10:00:07.000\n後\n\n596:31:23.646 --> 596:31:25.646\n最後\n",
         ttmlParagraph("begin=\"10:00:05.000\" end=\"10:00:07.000\"", "horizontal", "後") +
             ttmlParagraph("begin=\"596:31:23.646\" end=\"596:31:25.646\"", "horizontal", "最後")},
        {"ruby whose base is missing, overlapping, empty or without reading stays plain text",
         {{0, 1000, u"字字字", u"無(む)字字(じじ)字(じ)(から)字()"}},
         "\n00:00:00.000 --> 00:00:01.000\n<ruby>字字<rt>じじ</rt></ruby>字\n",
         ttmlParagraph("begin=\"00:00:00.000\" end=\"00:00:01.000\"", "horizontal",
                       "<span tts:ruby=\"container\" tts:rubyPosition=\"before\"><span tts:ruby=\"base\">字字</span>"
                       "<span tts:ruby=\"text\">じじ</span></span>字")},
        {"control characters are dropped, and a tab is kept as it is",
         {{0, 1000, u"a\u0001b\nc\u001Fd\uFFFFe\tf"}},
         "\n00:00:00.000 --> 00:00:01.000\nabcde\tf\n",
         ttmlParagraph("begin=\"00:00:00.000\" end=\"00:00:01.000\"", "horizontal\" xml:space=\"preserve", "abcde\tf")},
    };
    return table;
}

std::vector<SubtitleRow> rowsOf(const Case& c) {
    std::vector<SubtitleRow> rows;
    for (const Row& row : c.rows) rows.push_back(subtitleRow(row));
    return rows;
}

// With QUCAP_CUE_SAMPLES naming a folder, every case's files are also written
// there, for tests/readers/check-samples.sh to read with the reference readers.
void keepSample(const std::string& name, const std::string& bytes) {
    if (const char* folder = std::getenv("QUCAP_CUE_SAMPLES")) std::ofstream(std::string(folder) + "/" + name) << bytes;
}

TEST(CueExport, WebVttByteForByte) {
    int n = 0;
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.name);
        const std::string bytes = webVttBytes(rowsOf(c), defaultColourTable());
        EXPECT_EQ(bytes, std::string(kVttHead) + c.vttCues);
        keepSample("case" + std::to_string(++n) + ".vtt", bytes);
    }
}

TEST(CueExport, TtmlByteForByte) {
    int n = 0;
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.name);
        const std::string bytes = ttmlBytes(rowsOf(c), CueStyle{});
        EXPECT_EQ(bytes, std::string(kTtmlHead) + c.ttmlParagraphs + std::string(kTtmlTail));
        keepSample("case" + std::to_string(++n) + ".ttml", bytes);
    }
}

TEST(CueExport, ProjectColoursLayoutAndBorderWidths) {
    CueStyle style;
    style.colours[SlotRed][TextColour] = colourFromText(u"C04020");
    style.colours[SlotBlue][BorderStartColour] = colourFromText(u"102030");
    style.layoutType = 2;
    style.mainSize = 20;
    style.mainBorderWidth = 9;  // 45%: IMSC allows a tenth of the font size
    const std::vector<SubtitleRow> rows{subtitleRow({0, 1000, u"$R$b赤", u"", u"字", u"字(じ)"})};

    EXPECT_NE(webVttBytes(rows, style.colours).find("::cue(.red) { color: #C04020 }\n"), std::string::npos);
    const std::string ttml = ttmlBytes(rows, style);
    EXPECT_NE(ttml.find("<span tts:color=\"#C04020\" tts:textOutline=\"#102030 10%\">赤</span><br/>"
                        "<span tts:ruby=\"container\" tts:rubyPosition=\"before\">"),
              std::string::npos)
        << ttml;
}

TEST(CueExport, EmptyListGivesTheHeadOnly) {
    EXPECT_EQ(webVttBytes({}, defaultColourTable()), kVttHead);
    EXPECT_EQ(ttmlBytes({}, CueStyle{}), std::string(kTtmlHead) + std::string(kTtmlTail));
}

}  // namespace
}  // namespace qucap
