// Caption markup: every conversion must take any text without crashing, keep
// the visible characters, and never grow a caption text past 1023 characters.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "captiondata/markup/markup.h"
#include "captiondata/markup/markup_check.h"
#include "captiondata/markup/rich_format.h"
#include "captiondata/markup/table_normalise.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

using namespace qucap;
using fuzz::require;
using fuzz::utf16Of;

constexpr std::size_t kTextMax = 1023;

void checkNormalisations(const std::u16string& text) {
    const std::u16string body = normaliseBodyText(text);
    const std::u16string ruby = normaliseRubyText(text);
    require(body.size() <= text.size() && ruby.size() <= text.size());
    require(plainText(body) == plainText(text) && plainText(ruby) == plainText(text));
    require(normaliseBodyText(body) == body && normaliseRubyText(ruby) == ruby);
    require(checkMarkup(body) == checkMarkup(text));

    const FormattingState carried = stateAfter(text.substr(0, 16));
    const std::u16string framed = formatRubyGroups(text, carried);
    require(framed.size() <= kTextMax);
    require(plainText(text).starts_with(plainText(framed)));
}

// A few rows whose texts are the pieces of the input between line feeds.
void checkTable(const std::u16string& text) {
    CaptionTable table(3);
    std::size_t piece = 0;
    for (std::size_t start = 0; start <= text.size() && piece < 3 * kTextCount; ++piece) {
        std::size_t end = text.find(u'\n', start);
        if (end == std::u16string::npos) end = text.size();
        CaptionRow& row = table[piece / kTextCount];
        row.number = 1;
        if (piece % kTextCount == 0) row.orientation = (end - start) % 3 == 0 ? kVertical : kHorizontal;
        row.texts[piece % kTextCount] = text.substr(start, std::min(end - start, kTextMax));
        start = end + 1;
    }
    if (text.size() % 2) table[1].number = 0;  // an empty slot in between
    normaliseCaptionTable(table);
    for (const CaptionRow& row : table)
        for (const std::u16string& t : row.texts) require(t.size() <= kTextMax);
}

// The editor line the tab would show for the text, converted back.
void checkRoundTrip(const std::u16string& text) {
    const std::u16string plain = plainText(text);
    const std::vector<CharFormat> formats = textControlFormats(text);
    const std::vector<Rgb> borders = borderControlColours(text);
    require(formats.size() == plain.size() && borders.size() == plain.size());
    std::vector<EditorCharacter> line;
    for (std::size_t i = 0; i < plain.size(); ++i) line.push_back({plain[i], formats[i], borders[i]});

    const std::u16string body = markupFromEditor(line, TextKind::Body);
    const std::u16string ruby = markupFromEditor(line, TextKind::Ruby);
    require(body.size() <= kTextMax && ruby.size() <= kTextMax);
    require(checkMarkup(body) == MarkupFault::None && checkMarkup(ruby) == MarkupFault::None);
    if (plain.size() <= 70) {  // short enough to be taken whole
        require(plainText(body) == plain);
        require(textControlFormats(body) == formats && borderControlColours(body) == borders);
    }
}

// Editor lines with formats straight from the bytes, automatic colours included.
void checkEditorBytes(const uint8_t* data, size_t size) {
    std::vector<EditorCharacter> line;
    for (size_t i = 0; i + 3 < size; i += 4) {
        const auto colourOf = [](uint8_t b) -> std::optional<Rgb> {
            if (b % 9 == 8) return std::nullopt;
            return kEditorColours[b % 9].colour;
        };
        line.push_back({char16_t(u"$()ab"[data[i] % 5]), {data[i + 1] & 15u, colourOf(data[i + 2])}, colourOf(data[i + 3])});
    }
    for (TextKind kind : {TextKind::Body, TextKind::Ruby}) {
        const std::u16string markup = markupFromEditor(line, kind);
        require(markup.size() <= kTextMax);
        require(checkMarkup(markup) == MarkupFault::None);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::u16string text = utf16Of(data, size);
    checkNormalisations(text);
    checkTable(text);
    checkRoundTrip(text);
    checkEditorBytes(data, size);
    return 0;
}
