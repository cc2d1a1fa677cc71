#pragma once
// The rich edit controls of the caption-creation tab: their look, the
// formatting of their characters and of the selection, and the markup
// they show and give back. A text editor shows the effects and text
// colours; the border editor below it shows the same characters in their
// border colours.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "captiondata/markup/rich_format.h"
#include "win32/window_text.h"

namespace qucap {

struct EditorSelection {
    LONG start = 0;
    LONG end = 0;
    bool empty() const { return start == end; }
};
EditorSelection editorSelection(HWND editor);
void setEditorSelection(HWND editor, EditorSelection selection);

// Puts `text` at character `at`, in the format of the characters there;
// the editor's own undo can take it back.
void insertIntoEditor(HWND editor, LONG at, std::u16string_view text);

// Change notifications on (text editors); the character limit.
void prepareTextEditor(HWND editor);
void setEditorLimit(HWND editor, std::size_t characters);

// Replaces the content with `plain` in the default look: "ＭＳ ゴシック"
// 14 points, Shift-JIS character set, no effects, grey background, no
// dual-font handling, the given text colour.
void setEditorContent(HWND editor, std::u16string_view plain, Rgb textColour);

// A marked-up text in a text editor: its plain text with the text colours
// and effects of the markup.
void showInTextEditor(HWND editor, std::u16string_view marked);
// `plain` in a border editor, each character in the border colour the
// markup gives its position (black past the markup's end).
void showInBorderEditor(HWND editor, std::u16string_view plain, std::u16string_view marked);

// One line as the conversion to markup takes it: each character of the
// text editor with its formatting and the border colour at its position in
// the border editor (black where the border editor is shorter).
std::vector<EditorCharacter> readEditorLine(HWND text, HWND border);

// The formatting of the selection (of the caret's position when empty).
struct SelectionFormat {
    unsigned uniformEffects = 0;  // effect bits that are the same throughout
    unsigned effects = 0;         // of those, the ones that are on
    std::optional<Rgb> colour;    // nothing when mixed or automatic
};
SelectionFormat selectionFormat(HWND editor);

// Switches one effect on or off for the selected characters, leaving their
// other effects as they are.
void setSelectionEffect(HWND editor, unsigned effectBit, bool on);
void setSelectionColour(HWND editor, Rgb colour);

}  // namespace qucap
