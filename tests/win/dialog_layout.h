#pragma once
// Looks at a dialog made from one of the program's templates: what kind each
// control is, and whether the controls are laid out cleanly with the fonts
// that are really installed (texts that fit their controls, no overlapping
// siblings, nothing outside the dialog). Used by the resource tests and by
// tools/dialog_preview.cpp.
#include <windows.h>

#include <string>
#include <vector>

namespace qucap::test {

enum class ControlKind {
    Other,
    Label,          // static text
    Frame,          // static frame or rectangle
    Edit,
    ReadOnlyEdit,
    PushButton,
    DefaultButton,
    Radio,
    Check,
    ThreeState,
    Group,
    DropList,
    Trackbar,
    ListView,
    RichEdit,
    ReadOnlyRichEdit,
    ScrollBar,
    Tab,
};

ControlKind controlKind(HWND control);
const char* controlKindName(ControlKind kind);

// One line per fault among the direct children of `dialog` (leaving out
// `skip`): a text wider than the room its control leaves, two overlapping
// controls (group boxes and the tab control excepted), a control reaching
// outside the dialog's client area. Empty when the layout is clean.
std::vector<std::string> layoutFaults(HWND dialog, HWND skip = nullptr);

// The text of a window as UTF-8, for messages.
std::string utf8Text(HWND window);
std::string utf8Of(const std::wstring& text);

}  // namespace qucap::test
