#pragma once
// Conversions between caption markup and the character formatting of the
// caption-creation tab's rich edit controls: a text control that shows the
// effects and text colours, and a border-colour control beside it that shows
// the border colours as its text colours. No Win32 types: the tab fills and
// reads these records from its CHARFORMAT2 structures.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "captiondata/markup/markup.h"

namespace qucap {

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The fixed colour the editors show for each slot (upper-case letter).
struct EditorColour {
    char16_t letter;
    Rgb colour;
};
inline constexpr std::array<EditorColour, 8> kEditorColours{{
    {u'R', {255, 0, 0}},
    {u'G', {0, 255, 0}},
    {u'B', {0, 0, 255}},
    {u'Y', {255, 255, 0}},
    {u'M', {255, 0, 255}},
    {u'C', {0, 255, 255}},
    {u'K', {0, 0, 0}},
    {u'W', {255, 255, 255}},
}};

// The editor colour of a slot letter in either case; nothing for other letters.
std::optional<Rgb> editorColourOf(char16_t letter);

// The upper-case slot letter of a colour by the channels it uses, so a dark
// red is "R". Nothing for a system or automatic colour (nullopt).
std::optional<char16_t> colourToCode(std::optional<Rgb> colour);

// The formatting of one character of a text control.
struct CharFormat {
    unsigned effects = 0;       // EffectBit values that are uniformly on
    std::optional<Rgb> colour;  // nullopt: a system or automatic colour
    friend bool operator==(const CharFormat&, const CharFormat&) = default;
};

// One visible character of an editor line as the tab reads it.
struct EditorCharacter {
    char16_t character = 0;
    CharFormat format;                // from the text control
    std::optional<Rgb> borderColour;  // from the border-colour control
};

// The formatting the text control gives each character of plainText(marked):
// the effects on and the editor colour of the current text slot. Every text
// starts with no effect and white; border codes play no part.
std::vector<CharFormat> textControlFormats(std::u16string_view marked);

// The editor colour of the current border slot for each character of
// plainText(marked), starting with black; the other codes play no part.
std::vector<Rgb> borderControlColours(std::u16string_view marked);

// The conversion stops taking characters once the markup has reached
// kEditorMarkupMax characters; the off-codes at the end of a body are added
// only while the text stays under kEditorBodyClosingMax.
inline constexpr std::size_t kEditorMarkupMax = 1010;
inline constexpr std::size_t kEditorBodyClosingMax = 1016;

// The markup of one editor line. Every character gets its four effect codes,
// text-colour and border-colour codes and is then normalised. A body then
// switches off the effects still on at its end; a ruby has its readings
// framed (formatRubyGroups with nothing carried) and is normalised again.
// A "$" typed in the editor is written as "$$".
std::u16string markupFromEditor(std::span<const EditorCharacter> line, TextKind kind);

}  // namespace qucap
