#include "app/export/webvtt.h"

#include "captiondata/text/u16.h"

namespace qucap {
namespace {

constexpr std::u16string_view kStrikeClass = u"strike";

struct Tag {
    unsigned effect;
    std::u16string_view name;
};
constexpr Tag kEffectTags[] = {{kBold, u"b"}, {kItalic, u"i"}, {kUnderline, u"u"}};

std::u16string runText(const StyledRun& run) {
    std::u16string classes;
    if (run.format.textColour) classes += u"." + std::u16string(colourClassOf(run.format.textColour));
    if (run.format.effects & kStrikeOut) classes += u"." + std::u16string(kStrikeClass);
    std::u16string open, close;
    if (!classes.empty()) {
        open = u"<c" + classes + u">";
        close = u"</c>";
    }
    for (const Tag& tag : kEffectTags) {
        if (!(run.format.effects & tag.effect)) continue;
        open += u"<" + std::u16string(tag.name) + u">";
        close = u"</" + std::u16string(tag.name) + u">" + close;
    }
    return open + markupEscaped(run.text) + close;
}

std::u16string runsText(const std::vector<StyledRun>& runs) {
    std::u16string text;
    for (const StyledRun& run : runs) text += runText(run);
    return text;
}

std::u16string lineText(const CueLine& line) {
    std::u16string text;
    for (const CuePiece& piece : line) {
        if (piece.reading.empty())
            text += runsText(piece.base);
        else
            text += u"<ruby>" + runsText(piece.base) + u"<rt>" + runsText(piece.reading) + u"</rt></ruby>";
    }
    return text;
}

std::u16string styleBlock(const ColourTable& colours) {
    std::u16string block = u"STYLE\n";
    for (const char16_t letter : kColourLetters)
        block += u"::cue(." + std::u16string(colourClassOf(letter)) + u") { color: " +
                 cssColour(colours, letter, TextColour) + u" }\n";
    block += u"::cue(." + std::u16string(kStrikeClass) + u") { text-decoration: line-through }\n";
    return block;
}

}  // namespace

std::string webVttBytes(const std::vector<SubtitleRow>& rows, const ColourTable& colours) {
    // The blank line after the signature is written as CR CR, which WebVTT
    // reads as two line ends like any other: ffmpeg (5.1) stops reading at a
    // STYLE block of its own, and this way takes it as part of the header.
    std::u16string file = u"WEBVTT\r\r" + styleBlock(colours);
    for (const SubtitleRow& row : exportedRows(rows)) {
        file += u"\n" + cueTime(row.start) + u" --> " + cueTime(row.end());
        if (row.vertical) file += u" vertical:rl";
        file += u"\n";
        // A blank line would end the cue: an empty line is left out.
        for (const auto& [body, ruby] : row.lineMarkups()) {
            const CueLine line = cueLine(body, ruby, RunDetail::TextOnly);
            if (!isEmptyLine(line)) file += lineText(line) + u"\n";
        }
    }
    return toUtf8(file);
}

}  // namespace qucap
