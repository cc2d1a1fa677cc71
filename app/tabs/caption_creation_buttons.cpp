// The caption-creation tab's buttons that change the caption list's rows
// (追加, 挿入, 削除) and the repeat button.
#include "app/main_window/app_state.h"
#include "app/main_window/caption_list_view.h"
#include "app/main_window/main_window.h"
#include "app/preview/preview.h"
#include "app/tabs/caption_creation_page.h"
#include "captiondata/time/time_text.h"
#include "resources/app/page_ids.h"
#include "resources/app/resource.h"

namespace qucap {

void CaptionCreationPage::appendRow() {
    if (!commitRow()) return;  // the editors keep what the row could not take
    CaptionList& captions = app().captions;
    const int index = captions.appendRow();
    captions.rebuildCaptionTable();
    if (HWND list = mainCaptionListView()) {
        insertCaptionRow(list, captions, index);
        selectCaptionRow(list, index);  // the list tells the main window, which shows the row here
    }
    SetFocus(item(IDC_LINE1_BODY_TEXT));
    refresh();
}

void CaptionCreationPage::insertRow() {
    CaptionList& captions = app().captions;
    if (captions.selection() < 0 || !commitRow()) return;
    const int index = captions.insertRowAtSelection();
    if (index < 0) return;
    captions.rebuildCaptionTable();
    if (HWND list = mainCaptionListView()) {
        insertCaptionRow(list, captions, index);
        showRowNumbers(list, captions);
        selectCaptionRow(list, index);
    }
    SetFocus(item(IDC_LINE1_BODY_TEXT));
    refresh();
}

void CaptionCreationPage::deleteRow() {
    CaptionList& captions = app().captions;
    const int index = captions.selection();
    if (index < 0 || !captions.deleteSelectedRow(app().ui)) return;
    if (HWND list = mainCaptionListView()) {
        deleteCaptionRow(list, index);
        deselectCaptionRows(list, captions);
        showRowNumbers(list, captions);
    }
    setPendingEdit(false);
    lastText_ = lastBorder_ = 0;
    clearRow();
    if (app().mainWindow) SetFocus(GetDlgItem(app().mainWindow, IDC_PLAY_PAUSE));
}

void CaptionCreationPage::repeat() {
    const CaptionList& captions = app().captions;
    const int index = captions.selection();
    replayFromRow(index >= 0 ? parseTime(captions.cell(index, ColStart)) : 0);
}

}  // namespace qucap
