#pragma once
// The main window (dialog 110) and the operations it offers to the pages
// and the worker threads.
#include <windows.h>

#include <string_view>

namespace qucap {

// The window class "cqucapmain" of the main window's template (done once).
bool registerMainWindowClass(HINSTANCE instance);

// Creates the main window modeless from its template and shows it with
// `showCommand`; null when the window could not be made. Initialisation
// runs inside (its failure leaves the window open without pages).
HWND createMainWindow(HINSTANCE instance, int showCommand);

// Applies the PlayState rules to the main window's own controls and the
// preview buttons; after every change of PlayState.
void refreshControls();
// Asks the page of the current tab to re-apply its own rules.
void refreshCurrentPage();
// The selected row of the caption list shown again on the pages that edit
// it (caption creation, display position); nothing without a selection.
void reloadSelectedRow();
// The message line 1113; empty text clears it.
void setMessage(std::u16string_view text);
// Tabs 3, 4 and 6: writes the page's edited row into the caption list.
void commitPendingEdit();
// The pending-edit flag of the pages that edit the selected row; setting it
// re-applies button 1004.
void setPendingEdit(bool pending);

// The save sequence: project settings, commit, caption-info, box-info and
// colour-info files. With `stopAtFirstFailure` it ends at the first writer
// that fails. 0 when everything was written.
int saveAll(bool stopAtFirstFailure);

// Whether the key message would be dropped by the loop (Escape).
bool isDroppedKey(const MSG& message);
// One message through the main window's dialog manager, as the loop does it.
void dispatchMessage(MSG& message);

}  // namespace qucap
