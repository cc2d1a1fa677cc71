#include "app/tabs/display_items_dialog.h"

#include <commctrl.h>

#include <array>
#include <string>
#include <vector>

#include "app/core/display_items/display_items.h"
#include "app/main_window/app_state.h"
#include "app/main_window/dialog_placement.h"
#include "app/tabs/font_settings_page.h"
#include "app/tabs/synthesis_page.h"
#include "captiondata/io/ui.h"
#include "dshowbase/com_guard.h"
#include "resources/app/page_ids.h"
#include "resources/app/resource.h"

namespace qucap {
namespace {

// The radio buttons of the three kinds, in kind order.
constexpr int kKindRadios[] = {IDC_LIST_FONTS, IDC_LIST_VIDEO_ENCODERS, IDC_LIST_AUDIO_ENCODERS};

constexpr int kCheckColumnWidth = 25;
// The name column leaves room for the check column and a vertical scroll bar.
constexpr int kNameColumnMargin = 49;
constexpr wchar_t kNameColumnTitle[] = L"インストールされているファイル";

// The dialog's state while it is open: the kind shown and the names of its
// rows (kept here so a save writes the full names, whatever the list shows).
struct DisplayItemsState {
    DisplayListKind kind = DisplayListKind::Fonts;
    std::vector<std::u16string> rowNames;
};

DisplayItemsState& stateOf(HWND dialog) {
    return *reinterpret_cast<DisplayItemsState*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

HWND listOf(HWND dialog) { return GetDlgItem(dialog, IDC_DISPLAY_ITEMS); }

void insertColumn(HWND list, int index, int width, const wchar_t* title) {
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH | LVCF_SUBITEM | (title ? LVCF_TEXT : 0);
    column.cx = width;
    column.iSubItem = index;
    column.pszText = const_cast<wchar_t*>(title);
    ListView_InsertColumn(list, index, &column);
}

void setUpList(HWND list) {
    const DWORD styles = LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT;
    ListView_SetExtendedListViewStyleEx(list, styles, styles);
    RECT frame{};
    GetWindowRect(list, &frame);
    insertColumn(list, 0, kCheckColumnWidth, nullptr);
    insertColumn(list, 1, (frame.right - frame.left) - kNameColumnMargin, kNameColumnTitle);
}

// One row per source name of the current kind, checked when its list holds it.
void fill(HWND dialog) {
    DisplayItemsState& state = stateOf(dialog);
    HWND list = listOf(dialog);
    ListView_DeleteAllItems(list);
    state.rowNames = displayListSourceNames(state.kind, app().fontNames, app().encoders);
    for (int row = 0; row < int(state.rowNames.size()); ++row) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = const_cast<wchar_t*>(L"");
        const int at = ListView_InsertItem(list, &item);
        auto* name = reinterpret_cast<const wchar_t*>(state.rowNames[row].c_str());
        ListView_SetItemText(list, at, 1, const_cast<wchar_t*>(name));
    }
    const DisplayLists* lists = app().displayLists.get();
    for (int row = 0; row < int(state.rowNames.size()); ++row)
        if (lists && lists->isListed(state.kind, state.rowNames[row])) ListView_SetCheckState(list, row, TRUE);
}

// Writes the checked names of the current kind, and keeps the names of its
// list that are not installed now; the lists say a failure themselves.
void save(HWND dialog) {
    DisplayItemsState& state = stateOf(dialog);
    if (!app().displayLists) return;
    HWND list = listOf(dialog);
    std::vector<DisplayItem> items;
    for (int row = 0; row < int(state.rowNames.size()); ++row)
        items.push_back({state.rowNames[row], ListView_GetCheckState(list, row) != 0});
    DisplayLists& lists = *app().displayLists;
    if (lists.save(app().io, state.kind, keptNames(items, lists.names(state.kind))) == 0)
        notifyDisplayListSaved(state.kind);
}

void switchToCheckedKind(HWND dialog) {
    save(dialog);
    std::array<bool, 3> checked{};
    for (std::size_t i = 0; i < checked.size(); ++i)
        checked[i] = IsDlgButtonChecked(dialog, kKindRadios[i]) == BST_CHECKED;
    DisplayItemsState& state = stateOf(dialog);
    state.kind = firstCheckedKind(checked, state.kind);
    fill(dialog);
}

void initialise(HWND dialog, DisplayItemsState* state) {
    SetWindowLongPtrW(dialog, DWLP_USER, LONG_PTR(state));
    centreDialogOnScreen(dialog);
    showProgramIcon(dialog);
    CheckRadioButton(dialog, IDC_LIST_FONTS, IDC_LIST_AUDIO_ENCODERS, IDC_LIST_FONTS);
    setUpList(listOf(dialog));
    fill(dialog);
    ShowWindow(GetDlgItem(dialog, IDOK), SW_HIDE);
}

bool isKindRadio(int id) {
    for (int radio : kKindRadios)
        if (radio == id) return true;
    return false;
}

INT_PTR displayItemsProcedureUnguarded(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The procedure the system calls: displayItemsProcedureUnguarded, with no exception let through.
INT_PTR CALLBACK displayItemsProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return guardWindowProc(kProgramTitle, INT_PTR(FALSE), [&] {
        return displayItemsProcedureUnguarded(dialog, message, wParam, lParam);
    });
}

INT_PTR displayItemsProcedureUnguarded(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: initialise(dialog, reinterpret_cast<DisplayItemsState*>(lParam)); return TRUE;
        case WM_COMMAND: {
            if (!GetWindowLongPtrW(dialog, DWLP_USER)) return FALSE;  // before initialisation
            const int id = LOWORD(wParam);
            if (id == IDOK) {
                save(dialog);
            } else if (id == IDCANCEL) {  // "終了", Escape and the close box
                save(dialog);
                EndDialog(dialog, IDCANCEL);
            } else if (isKindRadio(id) && HIWORD(wParam) == BN_CLICKED) {
                switchToCheckedKind(dialog);
            } else {
                return FALSE;
            }
            return TRUE;
        }
        default: return FALSE;
    }
}

}  // namespace

void showDisplayItems(HWND owner) {
    DisplayItemsState state;
    DialogBoxParamW(programResources(), MAKEINTRESOURCEW(IDD_DISPLAY_ITEMS), owner, displayItemsProcedure,
                    LPARAM(&state));
}

void notifyDisplayListSaved(DisplayListKind kind) {
    switch (kind) {
        case DisplayListKind::Fonts: refillFontSettingsLists(); return;
        case DisplayListKind::VideoEncoders:
        case DisplayListKind::AudioEncoders: refillSynthesisEncoderLists(); return;
    }
}

}  // namespace qucap
