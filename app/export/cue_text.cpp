#include "app/export/cue_text.h"

#include <array>

#include "captiondata/markup/ruby_groups.h"
#include "captiondata/text/u16.h"

namespace qucap {
namespace {

struct StyledChar {
    char16_t character;
    FormattingState format;
};

constexpr std::array<std::u16string_view, 8> kColourClasses{u"red",     u"green", u"blue",  u"yellow",
                                                            u"magenta", u"cyan",  u"black", u"white"};

// Control characters end lines or are refused by XML; U+FFFE and U+FFFF are
// no characters at all.
bool isWritable(char16_t c) { return (c >= 0x20 || c == u'\t') && c != 0xFFFE && c != 0xFFFF; }

// The visible characters of the markup with the formatting each is drawn with.
std::vector<StyledChar> styledChars(std::u16string_view markup, FormattingState& state, RunDetail detail) {
    std::vector<StyledChar> chars;
    forEachToken(markup, [&](const MarkupToken& token) {
        if (token.kind == TokenKind::Visible || token.kind == TokenKind::Dollar) {
            const char16_t c = token.kind == TokenKind::Dollar ? u'$' : token.text[0];
            if (!isWritable(c)) return;
            FormattingState shown = state;
            if (detail == RunDetail::TextOnly) shown.borderColour = 0;
            chars.push_back({c, shown});
        } else if (token.kind != TokenKind::OtherCode && token.kind != TokenKind::LoneDollar) {
            state.apply(token);
        }
    });
    return chars;
}

std::vector<StyledRun> runsOf(const std::vector<StyledChar>& chars, std::size_t from, std::size_t to) {
    std::vector<StyledRun> runs;
    for (std::size_t i = from; i < to; ++i) {
        if (runs.empty() || !(runs.back().format == chars[i].format)) runs.push_back({u"", chars[i].format});
        runs.back().text += chars[i].character;
    }
    return runs;
}

void appendPlain(CueLine& line, const std::vector<StyledChar>& chars, std::size_t from, std::size_t to) {
    if (from < to) line.push_back({runsOf(chars, from, to), {}});
}

}  // namespace

CueLine cueLine(std::u16string_view bodyMarkup, std::u16string_view rubyMarkup, RunDetail detail) {
    FormattingState bodyState;
    const std::vector<StyledChar> body = styledChars(bodyMarkup, bodyState, detail);
    // Anchors are found in the plain body as the filter finds them, so
    // every character the filter would draw counts, written or not.
    const RubyGroups groups = buildRubyGroups(rubyMarkup, plainText(bodyMarkup));
    const std::u16string plain = plainText(bodyMarkup);

    CueLine line;
    std::size_t done = 0;  // body characters written so far (index into `plain`)
    std::size_t written = 0;  // the same, as an index into `body`
    // `plain` and `body` differ only by dropped characters; map plain
    // indexes to body indexes by counting the writable ones.
    std::vector<std::size_t> bodyIndex(plain.size() + 1, 0);
    for (std::size_t i = 0, n = 0; i <= plain.size(); ++i) {
        bodyIndex[i] = n;
        if (i < plain.size() && isWritable(plain[i])) ++n;
    }
    FormattingState readingState;
    for (int g = 0; g < groups.count; ++g) {
        const RubyGroup& group = groups.groups[std::size_t(g)];
        if (group.base.empty()) continue;
        const std::vector<StyledChar> reading = styledChars(group.ruby, readingState, detail);
        const std::size_t anchor = std::size_t(group.anchor);
        if (reading.empty() || anchor < done) continue;
        const std::size_t baseEnd = anchor + group.base.size();
        appendPlain(line, body, written, bodyIndex[anchor]);
        std::vector<StyledRun> base = runsOf(body, bodyIndex[anchor], bodyIndex[baseEnd]);
        if (base.empty()) {
            written = bodyIndex[anchor];
            continue;
        }
        line.push_back({std::move(base), runsOf(reading, 0, reading.size())});
        done = baseEnd;
        written = bodyIndex[baseEnd];
    }
    appendPlain(line, body, written, body.size());
    return line;
}

bool isEmptyLine(const CueLine& line) { return line.empty(); }

std::u16string_view colourClassOf(char16_t letter) {
    const auto slot = kColourLetters.find(char16_t(letter >= u'a' ? letter - 0x20 : letter));
    return slot == std::u16string_view::npos ? std::u16string_view() : kColourClasses[slot];
}

std::u16string cssColour(const ColourTable& colours, char16_t letter, ColourRole role) {
    const auto slot = kColourLetters.find(char16_t(letter >= u'a' ? letter - 0x20 : letter));
    const std::u16string& text = colours[slot == std::u16string_view::npos ? std::size_t(SlotWhite) : slot][role].text;
    // A text that is not six hexadecimal digits is drawn as its value; write that.
    return u"#" + colourTextOf(colourValueOf(text));
}

std::u16string markupEscaped(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (const char16_t c : text) {
        if (c == u'&')
            out += u"&amp;";
        else if (c == u'<')
            out += u"&lt;";
        else if (c == u'>')
            out += u"&gt;";
        else
            out += c;
    }
    return out;
}

CueStyle cueStyleOf(const Io& io, const ProjectSettings& settings) {
    CueStyle style;
    ColourInfoFile file;
    if (readColourInfoForProgram(io, settings.colourInfoPath, file) == 0) style.colours = applyColourInfo(file);
    style.layoutType = settings.layoutType;
    style.mainSize = settings.mainSize;
    style.rubySize = settings.rubySize;
    style.mainBorderWidth = settings.mainBorderWidth;
    style.rubyBorderWidth = settings.rubyBorderWidth;
    return style;
}

std::u16string cueTime(int64_t milliseconds) {
    if (milliseconds < 0) milliseconds = 0;
    const auto padded = [](int64_t value, std::size_t digits) {
        std::u16string text = toDecimal(value);
        return std::u16string(text.size() < digits ? digits - text.size() : 0, u'0') + text;
    };
    return padded(milliseconds / 3'600'000, 2) + u":" + padded(milliseconds / 60'000 % 60, 2) + u":" +
           padded(milliseconds / 1000 % 60, 2) + u"." + padded(milliseconds % 1000, 3);
}

}  // namespace qucap
