#include "app/tabs/box_display_page.h"

#include <commctrl.h>

#include "app/main_window/app_state.h"
#include "app/main_window/main_window.h"
#include "app/tabs/input_method.h"
#include "captiondata/io/ui.h"
#include "captiondata/text/u16.h"
#include "dshowbase/com_guard.h"
#include "win32/wide.h"

namespace qucap {
namespace {

constexpr wchar_t kPreviousProcedure[] = L"QucapBoxFieldProcedure";
constexpr int kButtonsMovingRight[] = {kBoxUpdateButton, kBoxAddButton, kBoxInsertButton, kBoxDeleteButton};
// The number fields are read as far as fifteen characters.
constexpr int kFieldReadLimit = 15;

BoxLimits movieLimits() {
    const MediaFacts& movie = app().movie;
    return {movie.totalFrames, movie.width, movie.height};
}

const BoxNumberControl* numberControlOf(int id) {
    for (const BoxNumberControl& control : kBoxNumberControls)
        if (control.id == id) return &control;
    return nullptr;
}

BoxDisplayPage* pageOfField(HWND field) {
    return static_cast<BoxDisplayPage*>(reinterpret_cast<Page*>(GetWindowLongPtrW(GetParent(field), GWLP_USERDATA)));
}

// The number fields: Enter commits the row; any other key tells how to.
LRESULT fieldProcedureUnguarded(HWND field, UINT message, WPARAM wParam, LPARAM lParam);

// The procedure the system calls: fieldProcedureUnguarded, with no exception let through.
LRESULT CALLBACK fieldProcedure(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
    return guardWindowProc(kProgramTitle, LRESULT(0), [&] {
        return fieldProcedureUnguarded(field, message, wParam, lParam);
    });
}

LRESULT fieldProcedureUnguarded(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto previous = reinterpret_cast<WNDPROC>(GetPropW(field, kPreviousProcedure));
    if (message == WM_KEYUP && wParam == VK_RETURN) {
        if (BoxDisplayPage* page = pageOfField(field)) page->enterPressed();
    } else if (message == WM_CHAR && wParam != VK_RETURN) {
        setMessage(kCommitWithUpdate);
    } else if (message == WM_NCDESTROY) {
        RemovePropW(field, kPreviousProcedure);
    }
    return CallWindowProcW(previous, field, message, wParam, lParam);
}

void moveBy(HWND control, int dx, int dWidth) {
    RECT r;
    if (!control || !GetWindowRect(control, &r)) return;
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    MoveWindow(control, r.left + dx, r.top, r.right - r.left + dWidth, r.bottom - r.top, TRUE);
}

void applyColumnWidths(HWND list) {
    RECT window;
    GetWindowRect(list, &window);
    const auto widths = boxColumnWidths(window.right - window.left);
    for (std::size_t column = 0; column < widths.size(); ++column) ListView_SetColumnWidth(list, int(column), widths[column]);
}

}  // namespace

BoxDisplayPage::BoxDisplayPage() : model_(app().boxes) {}

void BoxDisplayPage::initialise() {
    HWND list = item(kBoxListView);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    for (std::size_t column = 0; column < kBoxColumnTitles.size(); ++column) {
        std::u16string title(kBoxColumnTitles[column]);
        LVCOLUMNW lv{};
        lv.mask = LVCF_FMT | LVCF_TEXT | LVCF_SUBITEM;
        lv.fmt = column == 0 ? LVCFMT_LEFT : LVCFMT_RIGHT;
        lv.pszText = wideForReading(title);
        lv.iSubItem = int(column);
        ListView_InsertColumn(list, int(column), &lv);
    }
    applyColumnWidths(list);
    for (const BoxNumberControl& control : kBoxNumberControls) {
        HWND field = item(control.id);
        SendMessageW(field, EM_SETLIMITTEXT, WPARAM(control.limit), 0);
        SetPropW(field, kPreviousProcedure, HANDLE(GetWindowLongPtrW(field, GWLP_WNDPROC)));
        SetWindowLongPtrW(field, GWLP_WNDPROC, LONG_PTR(fieldProcedure));
    }
    showFields();
    applyEnabling();
}

void BoxDisplayPage::refresh() {
    // The first showing after a load puts the project's rows into the list.
    if (!app().boxListShown) {
        app().boxListShown = true;
        model_.reset();
        showList();
        showFields();
    }
    applyEnabling();
}

void BoxDisplayPage::growRight(int dx) {
    for (const int id : kButtonsMovingRight) moveBy(item(id), dx, 0);
    moveBy(item(kBoxListView), 0, dx);
    applyColumnWidths(item(kBoxListView));
}

bool BoxDisplayPage::handle(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    if (message == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom != UINT_PTR(kBoxListView) || header->code != LVN_ITEMCHANGED) return false;
        listChanged(*reinterpret_cast<const NMLISTVIEW*>(lParam));
        result = 0;
        return true;
    }
    if (message != WM_COMMAND) return false;
    command(LOWORD(wParam), HIWORD(wParam));
    result = 0;
    return true;
}

void BoxDisplayPage::command(int id, int code) {
    if (numberControlOf(id)) {
        if (code == EN_CHANGE && !showing_) fieldTyped();
        if (code == EN_SETFOCUS) setInputMethodOpen(item(id), false);
        return;
    }
    if (code != BN_CLICKED || showing_) return;
    for (std::size_t i = 0; i < kBoxColourButtons.size(); ++i)
        if (kBoxColourButtons[i] == id) return colourClicked(int(i));
    switch (id) {
        case kBox2ShownBox: return box2Clicked();
        case kBoxUpdateButton: return update();
        case kBoxAddButton: return append();
        case kBoxInsertButton: return insert();
        case kBoxDeleteButton: return remove();
        default: return;
    }
}

void BoxDisplayPage::listChanged(const NMLISTVIEW& change) {
    if (showing_ || change.iItem < 0 || !(change.uChanged & LVIF_STATE)) return;
    const bool nowSelected = change.uNewState & LVIS_SELECTED;
    const bool wasSelected = change.uOldState & LVIS_SELECTED;
    if (nowSelected == wasSelected) return;
    if (!nowSelected && ListView_GetNextItem(item(kBoxListView), -1, LVNI_SELECTED) >= 0) return;
    // A modified row is committed to the line it was typed for before the
    // next one is loaded.
    const int previous = model_.selected();
    model_.select(nowSelected ? change.iItem : -1, movieLimits());
    if (previous >= 0) showLine(previous);
    showFields();
    applyEnabling();
}

void BoxDisplayPage::fieldTyped() {
    BoxListCells cells = boxListCellsOf(model_.fields());
    for (const BoxNumberControl& control : kBoxNumberControls) cells[control.field] = itemText(control.id, kFieldReadLimit);
    BoxRow fields = boxRowFromCells(cells);
    fields.number = model_.fields().number;
    model_.edit(fields);
    applyEnabling();
}

void BoxDisplayPage::box2Clicked() {
    BoxRow fields = model_.fields();
    showBox2(fields, isChecked(kBox2ShownBox));
    model_.edit(fields);
    showFields();
    applyEnabling();
}

void BoxDisplayPage::colourClicked(int index) {
    BoxRow fields = model_.fields();
    fields.colour = std::u16string(kBoxColourWords[std::size_t(index)]);
    model_.edit(fields);
    applyEnabling();
}

void BoxDisplayPage::enterPressed() {
    const int row = model_.selected();
    if (!model_.commit(movieLimits())) return;
    committed(row);
    setMessage(u"");
}

void BoxDisplayPage::commitEdit() {
    if (!model_.modified()) return;
    const int row = model_.selected();
    if (model_.commit(movieLimits())) committed(row);
}

void BoxDisplayPage::committed(int row) {
    if (row >= 0) showLine(row);
    showFields();
    applyEnabling();
}

void BoxDisplayPage::update() {
    const int row = model_.selected();
    model_.update(movieLimits());
    selectLine(-1);
    committed(row);
    SetFocus(item(kBoxAddButton));
    setMessage(u"");
}

void BoxDisplayPage::append() {
    const int previous = model_.selected();
    const int row = model_.append(movieLimits());
    if (previous >= 0) showLine(previous);
    showLine(row);
    selectLine(row);
    committed(row);
    SetFocus(item(kBoxStartFrameField));
}

void BoxDisplayPage::insert() {
    const int row = model_.insert(movieLimits());
    if (row < 0) return;
    showList();
    selectLine(row);
    committed(row);
    SetFocus(item(kBoxStartFrameField));
}

void BoxDisplayPage::remove() {
    if (model_.selected() < 0 || !app().ui.askYesNo(model_.deleteQuestion(), kProgramTitle)) return;
    model_.removeSelected();
    showList();
    committed(-1);
    SetFocus(item(kBoxAddButton));
}

void BoxDisplayPage::showList() {
    HWND list = item(kBoxListView);
    showing_ = true;
    ListView_DeleteAllItems(list);
    showing_ = false;
    for (int row = 0; row < int(model_.rows().size()); ++row) showLine(row);
}

void BoxDisplayPage::showLine(int row) {
    HWND list = item(kBoxListView);
    if (row < 0 || row >= int(model_.rows().size())) return;
    const BoxListCells cells = boxListCellsOf(model_.rows()[std::size_t(row)]);
    showing_ = true;
    if (row >= ListView_GetItemCount(list)) {
        LVITEMW line{};
        line.mask = LVIF_TEXT;
        line.iItem = row;
        line.pszText = wideForReading(cells[0]);
        ListView_InsertItem(list, &line);
    }
    for (std::size_t column = 0; column < cells.size(); ++column)
        ListView_SetItemText(list, row, int(column), wideForReading(cells[column]));
    showing_ = false;
}

void BoxDisplayPage::selectLine(int row) {
    HWND list = item(kBoxListView);
    showing_ = true;
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (row >= 0) {
        ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        ListView_EnsureVisible(list, row, FALSE);
    }
    showing_ = false;
}

void BoxDisplayPage::showFields() {
    const BoxRow& fields = model_.fields();
    const BoxListCells cells = boxListCellsOf(fields);
    showing_ = true;
    for (const BoxNumberControl& control : kBoxNumberControls)
        SetDlgItemTextW(window(), control.id, wide(cells[control.field]));
    CheckDlgButton(window(), kBox2ShownBox, hasBox2(fields) ? BST_CHECKED : BST_UNCHECKED);
    const int colour = boxColourIndex(fields.colour);
    for (std::size_t i = 0; i < kBoxColourButtons.size(); ++i)
        CheckDlgButton(window(), kBoxColourButtons[i], int(i) == colour ? BST_CHECKED : BST_UNCHECKED);
    showing_ = false;
}

void BoxDisplayPage::applyEnabling() {
    for (const ControlEnabling& control : model_.controlStates(app().playState))
        EnableWindow(item(control.id), control.enabled ? TRUE : FALSE);
}

std::unique_ptr<Page> makeBoxDisplayPage() { return std::make_unique<BoxDisplayPage>(); }

}  // namespace qucap
