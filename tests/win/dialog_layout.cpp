#include "tests/win/dialog_layout.h"

#include <commctrl.h>

#include <cwchar>

namespace qucap::test {
namespace {

std::wstring classOf(HWND control) {
    wchar_t name[64] = L"";
    GetClassNameW(control, name, 64);
    return name;
}

bool isClass(HWND control, const wchar_t* name) { return _wcsicmp(classOf(control).c_str(), name) == 0; }

std::wstring textOf(HWND control) {
    wchar_t text[512] = L"";
    GetWindowTextW(control, text, 512);
    return text;
}

ControlKind buttonKind(LONG style) {
    switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON: return ControlKind::PushButton;
    case BS_DEFPUSHBUTTON: return ControlKind::DefaultButton;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: return ControlKind::Radio;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX: return ControlKind::Check;
    case BS_3STATE:
    case BS_AUTO3STATE: return ControlKind::ThreeState;
    case BS_GROUPBOX: return ControlKind::Group;
    default: return ControlKind::Other;
    }
}

ControlKind staticKind(LONG style) {
    switch (style & SS_TYPEMASK) {
    case SS_LEFT:
    case SS_CENTER:
    case SS_RIGHT:
    case SS_LEFTNOWORDWRAP:
    case SS_SIMPLE: return ControlKind::Label;
    case SS_BLACKFRAME:
    case SS_GRAYFRAME:
    case SS_WHITEFRAME:
    case SS_ETCHEDFRAME:
    case SS_BLACKRECT:
    case SS_GRAYRECT:
    case SS_WHITERECT: return ControlKind::Frame;
    default: return ControlKind::Other;
    }
}

// Pixels a control leaves for its one-line text, or -1 when it draws no such text.
int textRoom(HWND control) {
    RECT client;
    GetClientRect(control, &client);
    switch (controlKind(control)) {
    case ControlKind::Label: return client.right;
    case ControlKind::PushButton:
    case ControlKind::DefaultButton: return client.right - 8;  // the button's edges and focus frame
    case ControlKind::Radio:
    case ControlKind::Check:
    case ControlKind::ThreeState: return client.right - 18;  // the box and the gap after it
    case ControlKind::Group: return client.right - 16;       // the frame's corners on both sides
    default: return -1;
    }
}

int textWidth(HWND control, const std::wstring& text) {
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    RECT r{0, 0, 0, 0};
    UINT flags = DT_CALCRECT | DT_SINGLELINE;
    if (controlKind(control) == ControlKind::Label && (GetWindowLongW(control, GWL_STYLE) & SS_NOPREFIX))
        flags |= DT_NOPREFIX;
    DrawTextW(dc, text.c_str(), -1, &r, flags);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return r.right;
}

RECT rectIn(HWND parent, HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::string describe(HWND control) {
    return "control " + std::to_string(GetDlgCtrlID(control)) + " \"" + utf8Text(control) + "\"";
}

bool excludedFromOverlap(HWND control) {
    ControlKind kind = controlKind(control);
    return kind == ControlKind::Group || kind == ControlKind::Tab;
}

}  // namespace

ControlKind controlKind(HWND control) {
    LONG style = GetWindowLongW(control, GWL_STYLE);
    if (isClass(control, L"Button")) return buttonKind(style);
    if (isClass(control, L"Static")) return staticKind(style);
    if (isClass(control, L"Edit")) return style & ES_READONLY ? ControlKind::ReadOnlyEdit : ControlKind::Edit;
    if (isClass(control, L"ComboBox"))
        return (style & 3) == CBS_DROPDOWNLIST ? ControlKind::DropList : ControlKind::Other;
    if (isClass(control, L"ScrollBar")) return ControlKind::ScrollBar;
    if (isClass(control, TRACKBAR_CLASSW)) return ControlKind::Trackbar;
    if (isClass(control, WC_LISTVIEWW)) return ControlKind::ListView;
    if (isClass(control, WC_TABCONTROLW)) return ControlKind::Tab;
    if (isClass(control, L"RichEdit20W"))
        return style & ES_READONLY ? ControlKind::ReadOnlyRichEdit : ControlKind::RichEdit;
    return ControlKind::Other;
}

const char* controlKindName(ControlKind kind) {
    static const char* const names[] = {"other",     "label",    "frame",     "edit",         "read-only edit",
                                        "push button", "default button", "radio", "check box",   "three-state box",
                                        "group box", "drop-down list", "trackbar", "list view",  "rich edit",
                                        "read-only rich edit", "scroll bar", "tab control"};
    return names[static_cast<int>(kind)];
}

std::string utf8Text(HWND window) { return utf8Of(textOf(window)); }

std::string utf8Of(const std::wstring& text) {
    if (text.empty()) return {};
    int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), size, nullptr, nullptr);
    out.resize(static_cast<size_t>(size) - 1);
    return out;
}

std::vector<std::string> layoutFaults(HWND dialog, HWND skip) {
    std::vector<HWND> controls;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (child != skip) controls.push_back(child);
    RECT client;
    GetClientRect(dialog, &client);
    std::vector<std::string> faults;
    for (size_t i = 0; i < controls.size(); ++i) {
        HWND control = controls[i];
        std::wstring text = textOf(control);
        int room = textRoom(control);
        if (room >= 0 && !text.empty()) {
            int need = textWidth(control, text);
            if (need > room)
                faults.push_back("too wide: " + describe(control) + " needs " + std::to_string(need) +
                                 " px, has " + std::to_string(room));
        }
        RECT r = rectIn(dialog, control);
        if (r.left < 0 || r.top < 0 || r.right > client.right || r.bottom > client.bottom)
            faults.push_back("outside: " + describe(control));
        if (excludedFromOverlap(control)) continue;
        for (size_t j = i + 1; j < controls.size(); ++j) {
            if (excludedFromOverlap(controls[j])) continue;
            RECT other = rectIn(dialog, controls[j]), both;
            if (IntersectRect(&both, &r, &other))
                faults.push_back("overlap: " + describe(control) + " and " + describe(controls[j]));
        }
    }
    return faults;
}

}  // namespace qucap::test
