// The menu's items follow the play state when a popup opens.
#include "app/core/main_window/main_controls.h"
#include "app/core/main_window/main_window_texts.h"
#include "app/main_window/app_state.h"
#include "app/main_window/parts.h"
#include "app/tabs/page.h"

namespace qucap {
namespace {

MenuContext menuContext() {
    AppState& state = app();
    MenuContext context{state.playState, state.synthesisRunning, state.currentTab};
    context.projectLoaded = state.projectLoaded;
    context.importNotes = !state.importNotes.empty();
    context.analysing = bool(state.analysisThread);
    HWND focus = GetFocus();
    context.focusedControl = focus ? GetDlgCtrlID(focus) : 0;
    // Only a caption text field of the caption-creation page counts.
    const Page* page = state.pages[std::size_t(kCaptionCreationTab)].get();
    if (!focus || !page || GetParent(focus) != page->window()) context.focusedControl = 0;
    if (context.focusedControl) {
        DWORD start = 0, end = 0;
        SendMessageW(focus, EM_GETSEL, WPARAM(&start), LPARAM(&end));
        context.selectionEmpty = start == end;
    }
    context.clipboardHasText = IsClipboardFormatAvailable(CF_TEXT);
    return context;
}

}  // namespace

void applyMenuState(HMENU popup) {
    (void)popup;
    HMENU bar = GetMenu(app().mainWindow);
    if (!bar) return;
    for (const ControlEnabling& item : menuItemStates(menuContext()))
        EnableMenuItem(bar, UINT(item.id), MF_BYCOMMAND | (item.enabled ? MF_ENABLED : MF_GRAYED));
}

}  // namespace qucap
