// Tab changes, row selection and the commands of the main window.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include "app/core/main_window/main_window_texts.h"
#include "app/export/subtitles.h"
#include "app/import/list_import.h"
#include "app/main_window/caption_list_view.h"
#include "app/main_window/position_defaults.h"
#include "app/main_window/app_state.h"
#include "app/main_window/main_window.h"
#include "app/main_window/movie_analysis_worker.h"
#include "app/main_window/parts.h"
#include "app/main_window/ruby_proposals.h"
#include "app/preview/preview.h"
#include "app/tabs/display_items_dialog.h"
#include "app/tabs/page.h"
#include "app/tabs/synthesis_page.h"
#include "app/tabs/version_dialog.h"
#include "resources/app/resource.h"

namespace qucap {
namespace {

// The caption list written as WebVTT or TTML to a file chosen in a save
// dialog, as the console tool's exports write it.
void exportCaptionCues(SubtitleKind kind) {
    AppState& state = app();
    if (!state.projectLoaded) return;
    chooseAndExport(state.io, kind, state.captions, samiSettingsOf(state.settings),
                    cueStyleOf(state.io, state.settings));
}

Page* pageAt(int tab) { return app().pages[std::size_t(tab)].get(); }

// Whether commands that change many rows may run (a project, no preview or
// synthesis); the edit in the editors goes into the list first.
bool readyToChangeRows() {
    AppState& state = app();
    if (!state.projectLoaded || state.synthesisRunning || isPreviewActive(state.playState)) return false;
    if (state.captions.pendingEdit()) commitPendingEdit();
    return true;
}

// After rows changed under the page on show: a row-editing page shows the
// selected row again (`keepRow`) or lets go of it.
void showChangedRows(bool keepRow) {
    AppState& state = app();
    if (Page* page = pageAt(state.currentTab)) {
        const int row = state.captions.selection();
        if (editsCaptionRow(state.currentTab)) {
            if (keepRow && row >= 0)
                page->showRow(row);
            else
                page->clearRow();
        }
        page->refresh();
    }
    state.captions.setPendingEdit(false);
}

// Another tool's caption file read into the caption list, replacing its
// rows after a question; the default positions fill the new rows, and the
// page on show lets go of the row it held.
void importCaptions() {
    AppState& state = app();
    if (!readyToChangeRows()) return;
    const std::optional<OpenFileChoice> chosen =
        askOpenFileName(state.mainWindow, kImportDialogTitle, importDialogFilters());
    if (!chosen) return;
    const ListImport result = importIntoList(state.io, state.captions, chosen->path, formatOfFilter(chosen->filterIndex),
                                             state.colours.table());
    state.importNotes = result.notes;
    if (!result.imported) return;
    if (HWND list = mainCaptionListView()) showCaptionRows(list, state.captions);
    applyDefaultPositionsToAll(DefaultPositionMode::FillUnset);
    showChangedRows(false);
}

// The ruby proposal for every empty ruby text: the selected row stays, and
// the page on show shows it again with its new ruby.
void proposeRubyForAll() {
    AppState& state = app();
    if (!readyToChangeRows()) return;
    if (!proposeRubyForAllRows()) return;
    if (HWND list = mainCaptionListView())
        for (int row = 0; row < state.captions.rowCount(); ++row) showCaptionRow(list, state.captions, row);
    showChangedRows(true);
}

void showImportLog() {
    AppState& state = app();
    state.ui.messageBox(std::u16string(kImportLogTitle) + u"\n\n" + importLogText(state.importNotes), kProgramTitle,
                        MessageIcon::Information);
}

// Shows the selected row in a row-editing page, or clears it without a selection.
void loadRowInto(Page& page) {
    const int row = app().captions.selection();
    if (row >= 0)
        page.showRow(row);
    else
        page.clearRow();
    app().captions.setPendingEdit(false);
}

void changeTab() {
    AppState& state = app();
    if (state.captions.pendingEdit()) commitPendingEdit();
    state.currentTab = TabCtrl_GetCurSel(state.tabControl);
    if (state.currentTab < 0 || state.currentTab >= kPageCount) state.currentTab = 0;
    for (int tab = 0; tab < kPageCount; ++tab)
        if (tab != state.currentTab && pageAt(tab)) ShowWindow(pageAt(tab)->window(), SW_HIDE);
    if (Page* page = pageAt(state.currentTab)) {
        ShowWindow(page->window(), SW_SHOW);
        if (editsCaptionRow(state.currentTab)) loadRowInto(*page);
        page->refresh();
    }
    state.captions.setPendingEdit(false);
    applySaveButtonState();
    setMessage(u"");
}

void selectRow(const NMLISTVIEW& change) {
    AppState& state = app();
    if (change.iItem == -1 || change.uNewState != (LVIS_SELECTED | LVIS_FOCUSED)) return;
    Page* page = pageAt(state.currentTab);
    if (!editsCaptionRow(state.currentTab) || !page) {
        state.captions.select(change.iItem);
        return;
    }
    if (state.captions.pendingEdit()) commitPendingEdit();
    state.captions.select(change.iItem);
    if (state.captions.selection() < 0) return;
    page->showRow(state.captions.selection());
    state.captions.setPendingEdit(false);
    applySaveButtonState();
}

void openHelpDocument() {
    ShellExecuteW(app().mainWindow, L"open", reinterpret_cast<const wchar_t*>(app().paths.helpDocument.c_str()),
                  nullptr, nullptr, SW_SHOWNORMAL);
}

// Cut, copy and paste go to the caption text field that last had the focus.
void sendToCaptionField(UINT message) {
    AppState& state = app();
    Page* page = pageAt(kCaptionCreationTab);
    if (!page || !state.lastCaptionTextField) return;
    if (HWND field = GetDlgItem(page->window(), state.lastCaptionTextField)) SendMessageW(field, message, 0, 0);
}

}  // namespace

INT_PTR handleMainNotify(const NMHDR& header) {
    if (!app().initialised) return FALSE;
    if (header.idFrom == IDC_TABS && header.code == TCN_SELCHANGE) {
        changeTab();
        return TRUE;
    }
    if (header.idFrom == IDC_CAPTION_LIST && header.code == LVN_ITEMCHANGED) {
        selectRow(reinterpret_cast<const NMLISTVIEW&>(header));
        return TRUE;
    }
    return FALSE;
}

namespace {

// The preview's commands, refused while a synthesis thread works on the graph.
bool isTransportCommand(int id) {
    return id == IDC_PLAY_PAUSE || id == IDC_STOP || id == IDC_FRAME_BACK || id == IDC_FRAME_FORWARD;
}

}  // namespace

INT_PTR handleMainCommand(int id) {
    if (isTransportCommand(id) && synthesisThreadAlive()) return TRUE;
    switch (id) {
        case IDC_SAVE_TO_LIST:
            // Emptied first: a commit the row could not take leaves its message.
            setMessage(u"");
            commitPendingEdit();
            setPendingEdit(false);
            return TRUE;
        case IDC_PLAY_PAUSE:
            if (app().initialised) playPressed();
            return TRUE;
        case IDC_STOP:
            if (app().initialised) stopPressed();
            return TRUE;
        case IDC_FRAME_BACK:
        case IDC_FRAME_FORWARD:
            if (app().initialised) stepPressed(id);
            return TRUE;
        case IDM_CUT: sendToCaptionField(WM_CUT); return TRUE;
        case IDM_COPY: sendToCaptionField(WM_COPY); return TRUE;
        case IDM_PASTE: sendToCaptionField(WM_PASTE); return TRUE;
        case IDM_DISPLAY_ITEMS: showDisplayItems(app().mainWindow); return TRUE;
        case IDM_EXPORT_WEBVTT: exportCaptionCues(SubtitleKind::WebVtt); return TRUE;
        case IDM_EXPORT_TTML: exportCaptionCues(SubtitleKind::Ttml); return TRUE;
        case IDM_IMPORT_CAPTIONS: importCaptions(); return TRUE;
        case IDM_IMPORT_LOG: showImportLog(); return TRUE;
        case IDM_PROPOSE_RUBY_ALL: proposeRubyForAll(); return TRUE;
        case IDM_STOP_ANALYSIS: stopMovieAnalysisByUser(); return TRUE;
        case IDM_HELP: openHelpDocument(); return TRUE;
        case IDM_VERSION: showVersion(app().mainWindow); return TRUE;
        case IDCANCEL:
        case IDC_END:
        case IDM_EXIT:
            endProgram();
            return TRUE;
    }
    return FALSE;
}

}  // namespace qucap
