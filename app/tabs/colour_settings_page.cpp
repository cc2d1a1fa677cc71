#include "app/tabs/colour_settings_page.h"

#include <commdlg.h>

#include <algorithm>
#include <array>
#include <optional>

#include "app/main_window/app_state.h"
#include "app/main_window/main_window.h"
#include "app/tabs/input_method.h"
#include "captiondata/io/ui.h"
#include "dshowbase/com_guard.h"
#include "win32/handles.h"
#include "win32/wide.h"

namespace qucap {
namespace {

constexpr wchar_t kPreviousProcedure[] = L"QucapSwatchProcedure";
// Room for one typed character beyond the six digits, so typing over a full
// field works: only the first six characters are read.
constexpr int kColourFieldLimit = kColourFieldLength + 1;

int fieldId(const ColourFieldPlace& place) {
    return kColourSlotControls[std::size_t(place.slot)].fields[std::size_t(place.role)];
}

// A swatch draws its frame, then fills its inside with its field's colour.
LRESULT swatchProcedureUnguarded(HWND swatch, UINT message, WPARAM wParam, LPARAM lParam);

// The procedure the system calls: swatchProcedureUnguarded, with no exception let through.
LRESULT CALLBACK swatchProcedure(HWND swatch, UINT message, WPARAM wParam, LPARAM lParam) {
    return guardWindowProc(kProgramTitle, LRESULT(0), [&] {
        return swatchProcedureUnguarded(swatch, message, wParam, lParam);
    });
}

LRESULT swatchProcedureUnguarded(HWND swatch, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto previous = reinterpret_cast<WNDPROC>(GetPropW(swatch, kPreviousProcedure));
    if (message == WM_NCDESTROY) RemovePropW(swatch, kPreviousProcedure);
    const LRESULT result = CallWindowProcW(previous, swatch, message, wParam, lParam);
    ColourFieldPlace place;
    if (message == WM_PAINT && colourSwatchOf(GetDlgCtrlID(swatch), place)) {
        RECT inside;
        GetClientRect(swatch, &inside);
        InflateRect(&inside, -1, -1);
        HDC dc = GetDC(swatch);
        const GdiObject<HBRUSH> brush(CreateSolidBrush(COLORREF(app().colours[place.slot][place.role].value)));
        FillRect(dc, &inside, brush.get());
        ReleaseDC(swatch, dc);
    }
    return result;
}

// The platform's colour dialog, fully opened, white preselected; the chosen
// colour as 0x00BBGGRR, nothing when cancelled.
std::optional<uint32_t> pickColour(HWND owner) {
    std::array<COLORREF, 16> custom;
    const auto preset = colourDialogCustomColours();
    std::copy(preset.begin(), preset.end(), custom.begin());
    CHOOSECOLORW request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.rgbResult = RGB(255, 255, 255);
    request.lpCustColors = custom.data();
    request.Flags = CC_FULLOPEN | CC_RGBINIT;
    if (!ChooseColorW(&request)) return std::nullopt;
    return uint32_t(request.rgbResult) & 0xFFFFFF;
}

}  // namespace

void ColourSettingsPage::initialise() {
    for (const ColourSlotControls& controls : kColourSlotControls) {
        for (const int id : controls.fields) {
            HWND field = item(id);
            if (app().drawing.counterFont) SendMessageW(field, WM_SETFONT, WPARAM(app().drawing.counterFont.get()), FALSE);
            SendMessageW(field, EM_SETLIMITTEXT, kColourFieldLimit, 0);
            HWND swatch = item(id + 1);
            SetPropW(swatch, kPreviousProcedure, HANDLE(GetWindowLongPtrW(swatch, GWLP_WNDPROC)));
            SetWindowLongPtrW(swatch, GWLP_WNDPROC, LONG_PTR(swatchProcedure));
        }
    }
    showColours();
    applyEnabling();
}

void ColourSettingsPage::refresh() {
    // The table read at the load (the defaults when the file was not
    // complete) or as changed here.
    showColours();
    applyEnabling();
}

bool ColourSettingsPage::handle(UINT message, WPARAM wParam, LPARAM, INT_PTR& result) {
    if (message != WM_COMMAND) return false;
    command(LOWORD(wParam), HIWORD(wParam));
    result = 0;
    return true;
}

void ColourSettingsPage::command(int id, int code) {
    ColourFieldPlace place;
    if (colourFieldOf(id, place)) {
        if (code == EN_CHANGE && !showing_) fieldTyped(id, place);
        if (code == EN_SETFOCUS) setInputMethodOpen(item(id), false);
        return;
    }
    if (colourSwatchOf(id, place)) {
        if (code == STN_CLICKED && IsWindowEnabled(item(id))) swatchClicked(place);
        return;
    }
    if (code != BN_CLICKED) return;
    for (int slot = 0; slot < kColourSlotCount; ++slot)
        if (kColourSlotControls[std::size_t(slot)].reset == id) return reset(slot);
}

void ColourSettingsPage::fieldTyped(int id, const ColourFieldPlace& place) {
    HWND field = item(id);
    wchar_t buffer[16] = {};
    GetWindowTextW(field, buffer, int(std::size(buffer)));
    DWORD caret = 0;
    SendMessageW(field, EM_GETSEL, 0, LPARAM(&caret));
    const ColourEntry entry = normaliseColourEntry(reinterpret_cast<const char16_t*>(buffer), int(caret));
    app().colours.set(place.slot, place.role, colourFromText(entry.text));
    if (entry.text != reinterpret_cast<const char16_t*>(buffer)) {
        showField(place);
        SendMessageW(field, EM_SETSEL, WPARAM(entry.caret), LPARAM(entry.caret));
    }
    setMessage(entry.rejected ? kColourCharacterRejected : u"");
    InvalidateRect(item(id + 1), nullptr, TRUE);
    applyEnabling();
}

void ColourSettingsPage::swatchClicked(const ColourFieldPlace& place) {
    const std::optional<uint32_t> chosen = pickColour(window());
    if (!chosen) return;
    app().colours.set(place.slot, place.role, colourFromValue(*chosen));
    showField(place);
    applyEnabling();
}

void ColourSettingsPage::reset(int slot) {
    app().colours.reset(slot);
    showColours();
    applyEnabling();
}

void ColourSettingsPage::showColours() {
    for (int slot = 0; slot < kColourSlotCount; ++slot)
        for (int role = 0; role < kColourRoleCount; ++role) showField({slot, ColourRole(role)});
}

void ColourSettingsPage::showField(const ColourFieldPlace& place) {
    const int id = fieldId(place);
    const std::u16string& text = app().colours[place.slot][place.role].text;
    showing_ = true;
    SetDlgItemTextW(window(), id, wide(text));
    showing_ = false;
    InvalidateRect(item(id + 1), nullptr, TRUE);
}

void ColourSettingsPage::applyEnabling() {
    for (const ControlEnabling& control : colourTabStates(app().colours, app().playState))
        EnableWindow(item(control.id), control.enabled ? TRUE : FALSE);
}

std::unique_ptr<Page> makeColourSettingsPage() { return std::make_unique<ColourSettingsPage>(); }

}  // namespace qucap
