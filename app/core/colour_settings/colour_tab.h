#pragma once
// The colour-settings tab without its window: what a colour field keeps of
// what was typed, where its caret goes, which controls are usable, and the
// colours the colour dialog starts with.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/core/main_window/main_controls.h"
#include "app/core/main_window/play_state.h"
#include "app/core/project/project_colours.h"

namespace qucap {

inline constexpr std::u16string_view kColourCharacterRejected = u"色設定に使えない文字が入力されました";

// A colour field holds six hexadecimal digits; more typed characters are not read.
constexpr int kColourFieldLength = 6;

// What a colour field shows and stores after the user changed its text.
struct ColourEntry {
    std::u16string text;   // six upper-case hexadecimal digits
    int caret = 0;         // where the caret goes in the rewritten field
    bool rejected = false; // a character other than 0-9, A-F, a-f was removed
    bool operator==(const ColourEntry&) const = default;
};

// The field's text (only its first six characters are read) and the caret
// after the change: letters a-f become upper case, other characters are
// removed (the caret moves back by those removed before it), and a shorter
// text is padded with "0" on the right to six digits. An emptied field
// becomes "000000", so the table never holds a text that is no colour.
ColourEntry normaliseColourEntry(std::u16string_view fieldText, int caret);

// The controls of one slot: the three colour fields (each swatch is the
// field's id + 1) and the reset button, in the order of the colour slots.
struct ColourSlotControls {
    std::array<int, kColourRoleCount> fields;
    int reset;
};
extern const std::array<ColourSlotControls, kColourSlotCount> kColourSlotControls;

// Where a field or swatch id belongs; false for other ids.
struct ColourFieldPlace {
    int slot = 0;
    ColourRole role = TextColour;
};
bool colourFieldOf(int id, ColourFieldPlace& place);
bool colourSwatchOf(int id, ColourFieldPlace& place);

// The fields are usable unless a preview plays; a slot's reset button only
// while the slot differs from its defaults and no preview plays or is paused.
std::vector<ControlEnabling> colourTabStates(const ProjectColours& colours, PlayState state);

// The colour dialog's sixteen custom colours (0x00BBGGRR): red, green, blue,
// yellow, magenta, cyan, black, then nine whites.
std::array<uint32_t, 16> colourDialogCustomColours();

}  // namespace qucap
