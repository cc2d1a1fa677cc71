#pragma once
// The caption-creation tab's rules without windows: its editors, effect
// boxes and colour radios as tables, which controls are usable, the three
// states of an effect box, where the repeat button starts the preview, and
// the capacities every typed or pasted text is kept within.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/core/caption_list/caption_list.h"
#include "app/core/main_window/main_controls.h"
#include "app/core/main_window/play_state.h"
#include "captiondata/markup/markup.h"

namespace qucap {

// One text of the row: its text editor and the read-only border editor below it.
struct CaptionEditorPair {
    int text;
    int border;
    int textIndex;
    std::u16string_view name;  // as the caption list titles it
};
inline constexpr std::array<CaptionEditorPair, kTextCount> kCaptionEditors{{
    {1069, 1071, Line1Body, u"1行目本文"},
    {1073, 1075, Line1Ruby, u"1行目ルビ"},
    {1078, 1080, Line2Body, u"2行目本文"},
    {1082, 1084, Line2Ruby, u"2行目ルビ"},
}};
// The pair whose text (or border) editor has this id; null for any other id.
const CaptionEditorPair* editorPairOfText(int id);
const CaptionEditorPair* editorPairOfBorder(int id);

struct EffectBox {
    int id;
    EffectBit bit;
};
inline constexpr std::array<EffectBox, 4> kEffectBoxes{{
    {1085, kBold}, {1086, kItalic}, {1087, kUnderline}, {1088, kStrikeOut}}};
const EffectBox* effectBoxOf(int id);

// The radios 赤色 … 白色 and the slot letter (upper case) each chooses.
struct ColourRadio {
    int id;
    char16_t letter;
};
inline constexpr std::array<ColourRadio, 8> kColourRadios{{
    {1091, u'R'}, {1092, u'G'}, {1093, u'B'}, {1094, u'Y'}, {1095, u'M'}, {1096, u'C'}, {1097, u'K'}, {1098, u'W'}}};
const ColourRadio* colourRadioOf(int id);
// The radio of a slot letter in either case; 0 for none.
int colourRadioOfLetter(char16_t letter);

// What an effect box shows for a selection: checked when every selected
// character has the effect, mixed when only some have it.
enum class BoxState { Unchecked, Checked, Mixed };
// `uniform`: the effect bits that are the same throughout the selection;
// `on`: of those, the ones that are on.
BoxState effectBoxState(EffectBit bit, unsigned uniform, unsigned on);

// The editor the effect boxes and colour radios act on: the text or border
// editor that last had the focus.
enum class EditorKind { None, Text, Border };

struct CaptionTabContext {
    PlayState state = PlayState::NoMedia;
    bool rowSelected = false;
    EditorKind lastFocused = EditorKind::None;
};

// Every control of the tab whose enabling changes, in id order of the
// Part's groups: the 18 editor controls, the effect boxes, the colour
// radios, then help, repeat, add, insert, delete, and ルビ候補.
std::vector<ControlEnabling> captionTabControlStates(const CaptionTabContext& context);

// Where the repeat button starts the preview, in 100-ns units: the rewind
// seconds before the row's start, or before the current time for a row that
// starts at 0; never before 1 ms.
int64_t repeatStart(int64_t rowStartMs, int64_t currentTimeMs, int rewindSeconds);

// A text editor takes at most this many characters, as the working row
// holds them; a longer text loaded from a file keeps its own length.
inline constexpr std::size_t kEditorTextLimit = 255;
std::size_t editorLimitFor(std::size_t shownLength);

// The part of pasted text a single-line editor takes: up to the first line end.
std::u16string firstLineOf(std::u16string_view pasted);

// The message refusing a paste that would take the editor past `limit`
// characters; nothing when it fits.
std::optional<std::u16string> pasteRefusal(const CaptionEditorPair& editor, std::size_t length, std::size_t selected,
                                           std::size_t pasted, std::size_t limit);
// The message when typing reached the limit.
std::u16string typingLimitMessage(const CaptionEditorPair& editor, std::size_t limit);

// Why a row converted from the editors cannot be stored, or nothing: a text
// whose characters did not all fit into its markup (`typed` is what each
// editor holds), or a row whose line of the caption-info file would pass
// its capacity. Nothing is cut: the row stays as it was.
std::optional<std::u16string> commitRefusal(const WorkingRow& row, const std::array<std::u16string, kTextCount>& typed);

// The message line after Enter that confirmed an input-method composition.
inline constexpr std::u16string_view kEnterAfterComposition = u"Enterキーか、保存ボタンでリストに更新して下さい";

}  // namespace qucap
