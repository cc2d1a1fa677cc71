#include "app/caption_list_view.h"

#include <commctrl.h>

#include "app/core/captioncolumns.h"
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


}  // namespace

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
    RECT client;
    GetClientRect(list, &client);
    const auto widths = captionColumnWidths(client.right - client.left);
    for (int column = 0; column < kCaptionColumnCount; ++column)
        ListView_SetColumnWidth(list, column, widths[std::size_t(column)]);
}

void showCaptionRows(HWND list, const CaptionList& captions) {
    ListView_DeleteAllItems(list);
    for (int row = 0; row < captions.rowCount(); ++row) {
        std::u16string first = captions.cell(row, 0);
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = wideForReading(first);
        ListView_InsertItem(list, &item);
        showCaptionRow(list, captions, row);
    }
}

void showCaptionRow(HWND list, const CaptionList& captions, int row) {
    if (!list || !captions.isRow(row)) return;
    for (int column = 0; column < kCaptionColumnCount; ++column) {
        std::u16string text = captions.cell(row, column);
        ListView_SetItemText(list, row, column, wideForReading(text));
    }
}

void refreshCaptionRows(HWND list, const CaptionList& captions) {
    if (!list) return;
    if (ListView_GetItemCount(list) != captions.rowCount()) {
        showCaptionRows(list, captions);
        const int selected = captions.selection();
        if (selected >= 0) ListView_SetItemState(list, selected, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        return;
    }
    for (int row = 0; row < captions.rowCount(); ++row) showCaptionRow(list, captions, row);
}

void clearCaptionSelection(HWND list) {
    if (list) ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
}

}  // namespace qucap
