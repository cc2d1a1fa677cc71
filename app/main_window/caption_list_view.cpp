#include "app/main_window/caption_list_view.h"

#include <commctrl.h>

#include "app/core/caption_list/caption_columns.h"
#include "app/main_window/app_state.h"
#include "resources/app/resource.h"
#include "win32/wide.h"

namespace qucap {
namespace {

int formatOf(ColumnAlign align) {
    switch (align) {
        case ColumnAlign::Centre: return LVCFMT_CENTER;
        case ColumnAlign::Right: return LVCFMT_RIGHT;
        case ColumnAlign::Left: break;
    }
    return LVCFMT_LEFT;
}

void setCell(HWND list, const CaptionList& captions, int index, int column) {
    std::u16string text = captions.cell(index, column);
    ListView_SetItemText(list, index, column, wideForReading(text));
}

}  // namespace

HWND mainCaptionListView() { return app().mainWindow ? GetDlgItem(app().mainWindow, IDC_CAPTION_LIST) : nullptr; }

void setUpCaptionColumns(HWND list) {
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    for (int column = 0; column < kCaptionColumnCount; ++column) {
        const CaptionColumnInfo& info = kCaptionColumns[std::size_t(column)];
        std::u16string title(info.title);
        LVCOLUMNW lv{};
        lv.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        lv.fmt = formatOf(info.align);
        lv.pszText = wideForReading(title);
        lv.cx = info.fixedWidth;
        lv.iSubItem = column;
        ListView_InsertColumn(list, column, &lv);
    }
    applyCaptionColumnWidths(list);
}

void applyCaptionColumnWidths(HWND list) {
    // The widths follow the control's window, borders and scroll bar included.
    RECT window;
    GetWindowRect(list, &window);
    const auto widths = captionColumnWidths(window.right - window.left);
    for (int column = 0; column < kCaptionColumnCount; ++column)
        ListView_SetColumnWidth(list, column, widths[std::size_t(column)]);
}

void showCaptionRows(HWND list, const CaptionList& captions) {
    ListView_DeleteAllItems(list);
    for (int row = 0; row < captions.rowCount(); ++row) insertCaptionRow(list, captions, row);
}

void showCaptionRow(HWND list, const CaptionList& captions, int index) {
    if (index >= ListView_GetItemCount(list)) return insertCaptionRow(list, captions, index);
    for (int column = 0; column < kCaptionColumnCount; ++column) setCell(list, captions, index, column);
}

void insertCaptionRow(HWND list, const CaptionList& captions, int index) {
    std::u16string first = captions.cell(index, 0);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = wideForReading(first);
    ListView_InsertItem(list, &item);
    for (int column = 1; column < kCaptionColumnCount; ++column) setCell(list, captions, index, column);
}

void deleteCaptionRow(HWND list, int index) { ListView_DeleteItem(list, index); }

void showRowNumbers(HWND list, const CaptionList& captions) {
    for (int row = 0; row < captions.rowCount(); ++row) setCell(list, captions, row, ColNumber);
}

void selectCaptionRow(HWND list, int index) {
    const UINT both = LVIS_SELECTED | LVIS_FOCUSED;
    ListView_SetItemState(list, index, both, both);
    ListView_EnsureVisible(list, index, FALSE);
}

void deselectCaptionRows(HWND list, CaptionList& captions) {
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
    captions.clearSelection();
}

void refreshCaptionRows(HWND list, const CaptionList& captions) {
    if (!list) return;
    if (ListView_GetItemCount(list) != captions.rowCount()) {
        showCaptionRows(list, captions);
        if (captions.selection() >= 0) selectCaptionRow(list, captions.selection());
        return;
    }
    for (int row = 0; row < captions.rowCount(); ++row) showCaptionRow(list, captions, row);
}

}  // namespace qucap
