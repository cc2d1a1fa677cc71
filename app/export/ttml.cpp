#include "app/export/ttml.h"

#include <algorithm>

#include "captiondata/text/u16.h"

namespace qucap {
namespace {

// IMSC limits an outline to a tenth of the font size.
constexpr int32_t kOutlinePercentMax = 10;

constexpr std::u16string_view kHead =
    u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    u"<tt xmlns=\"http://www.w3.org/ns/ttml\" xmlns:ttp=\"http://www.w3.org/ns/ttml#parameter\""
    u" xmlns:tts=\"http://www.w3.org/ns/ttml#styling\" ttp:timeBase=\"media\"";
constexpr std::u16string_view kLayout =
    u"  <head>\n"
    u"    <layout>\n"
    u"      <region xml:id=\"horizontal\" tts:origin=\"5% 5%\" tts:extent=\"90% 90%\" tts:displayAlign=\"after\""
    u" tts:textAlign=\"center\"/>\n"
    u"      <region xml:id=\"vertical\" tts:origin=\"5% 5%\" tts:extent=\"90% 90%\" tts:writingMode=\"tbrl\""
    u" tts:displayAlign=\"before\" tts:textAlign=\"center\"/>\n"
    u"    </layout>\n"
    u"  </head>\n";

// The outline width as a share of the font size.
std::u16string outlinePercent(int32_t width, int32_t size) {
    const int64_t percent = size > 0 ? int64_t(width) * 100 / size : kOutlinePercentMax;
    return toDecimal(std::clamp<int64_t>(percent, 1, kOutlinePercentMax)) + u"%";
}

class TtmlLine {
public:
    TtmlLine(const CueStyle& style, std::u16string_view rubyPosition)
        : style_(style), rubyPosition_(rubyPosition) {}

    std::u16string text(const CueLine& line) const {
        std::u16string out;
        for (const CuePiece& piece : line) {
            if (piece.reading.empty()) {
                out += runs(piece.base, style_.mainBorderWidth, style_.mainSize);
                continue;
            }
            out += u"<span tts:ruby=\"container\" tts:rubyPosition=\"" + std::u16string(rubyPosition_) + u"\">";
            out += u"<span tts:ruby=\"base\">" + runs(piece.base, style_.mainBorderWidth, style_.mainSize) + u"</span>";
            out += u"<span tts:ruby=\"text\">" + runs(piece.reading, style_.rubyBorderWidth, style_.rubySize) +
                   u"</span></span>";
        }
        return out;
    }

private:
    std::u16string runs(const std::vector<StyledRun>& runs, int32_t borderWidth, int32_t size) const {
        std::u16string out;
        for (const StyledRun& run : runs) {
            const std::u16string attributes = attributesOf(run.format, borderWidth, size);
            const std::u16string text = markupEscaped(run.text);
            out += attributes.empty() ? text : u"<span" + attributes + u">" + text + u"</span>";
        }
        return out;
    }

    std::u16string attributesOf(const FormattingState& format, int32_t borderWidth, int32_t size) const {
        std::u16string out;
        if (format.textColour)
            out += u" tts:color=\"" + cssColour(style_.colours, format.textColour, TextColour) + u"\"";
        if (format.borderColour)
            out += u" tts:textOutline=\"" + cssColour(style_.colours, format.borderColour, BorderStartColour) + u" " +
                   outlinePercent(borderWidth, size) + u"\"";
        if (format.effects & kBold) out += u" tts:fontWeight=\"bold\"";
        if (format.effects & kItalic) out += u" tts:fontStyle=\"italic\"";
        const bool underline = format.effects & kUnderline, strike = format.effects & kStrikeOut;
        if (underline || strike)
            out += u" tts:textDecoration=\"" +
                   std::u16string(underline && strike ? u"underline lineThrough" : underline ? u"underline" : u"lineThrough") +
                   u"\"";
        return out;
    }

    const CueStyle& style_;
    std::u16string_view rubyPosition_;
};

// Whether XML's white-space handling would change the text: TTML
// collapses runs of spaces and drops those at the edges of its spans unless
// told to keep them.
bool spacesCollapse(const std::vector<StyledRun>& runs) {
    for (const StyledRun& run : runs) {
        const std::u16string_view text = run.text;
        if (text.find(u"  ") != text.npos || text.find(u'\t') != text.npos || text.front() == u' ' || text.back() == u' ')
            return true;
    }
    return false;
}

bool spacesCollapse(const CueLine& line) {
    for (const CuePiece& piece : line)
        if (spacesCollapse(piece.base) || spacesCollapse(piece.reading)) return true;
    return false;
}

// Line 1's ruby stands on its outer side; line 2's too with layout 1 (both
// sides of the body), but between the lines, before line 2, with layout 2.
std::u16string_view rubyPositionOf(int lineIndex, const CueStyle& style) {
    return lineIndex == 0 || style.layoutType == 2 ? u"before" : u"after";
}

}  // namespace

std::string ttmlBytes(const std::vector<SubtitleRow>& rows, const CueStyle& style) {
    std::u16string file = std::u16string(kHead) + u" ttp:contentProfiles=\"" + std::u16string(kImscTextProfile) +
                          u"\" xml:lang=\"ja\">\n" + std::u16string(kLayout) + u"  <body>\n    <div>\n";
    for (const SubtitleRow& row : exportedRows(rows)) {
        std::u16string content;
        bool keepSpaces = false;
        int lineIndex = 0;
        for (const auto& [body, ruby] : row.lineMarkups()) {
            const CueLine line = cueLine(body, ruby, RunDetail::WithBorder);
            const TtmlLine writer(style, rubyPositionOf(lineIndex++, style));
            if (isEmptyLine(line)) continue;
            if (!content.empty()) content += u"<br/>";
            content += writer.text(line);
            keepSpaces = keepSpaces || spacesCollapse(line);
        }
        file += u"      <p begin=\"" + cueTime(row.start) + u"\" end=\"" + cueTime(row.end()) + u"\" region=\"" +
                (row.vertical ? u"vertical" : u"horizontal") + u"\"" + (keepSpaces ? u" xml:space=\"preserve\"" : u"") +
                u">" + content + u"</p>\n";
    }
    file += u"    </div>\n  </body>\n</tt>\n";
    return toUtf8(file);
}

}  // namespace qucap
