#pragma once
// Which of the main window's own controls and menu items are usable in each
// PlayState, as tables the window code applies after every change of state.
#include <span>
#include <string_view>
#include <vector>

#include "app/core/main_window/play_state.h"

namespace qucap {

// One control's state as the window code applies it.
struct ControlEnabling {
    int id;
    bool enabled;
    bool operator==(const ControlEnabling&) const = default;
};

// What the main window knows beside the state.
struct MainControlFlags {
    bool pendingEdit = false;  // an edited row has not been written back to the list
    bool liveTiming = false;   // the timeline tab's live-timing mode keeps the list usable
    // A synthesis thread exists (also while it asks its question after the
    // abort, in Paused): play, stop, the frame steps, the position bar and
    // the captioned-play check stay off, so no preview runs on its graph.
    bool synthesisThread = false;
};

// Every control of the main window that refreshControls sets, in table order.
std::vector<ControlEnabling> mainControlStates(PlayState state, const MainControlFlags& flags);

// The text of the play/pause button 1108.
std::u16string_view playButtonText(PlayState state);

// Stopped and SynthesisDone reset the preview position: scroll position 0,
// both caption lines empty, the counters zeroed and the video area black.
bool resetsPreviewPosition(PlayState state);
// Entering Stopped also clears the message line.
bool clearsMessageOnEntry(PlayState previous, PlayState now);

// What the menu-initialisation message needs to know.
struct MenuContext {
    PlayState state = PlayState::NoMedia;
    bool synthesisRunning = false;
    int currentTab = 0;
    int focusedControl = 0;        // the control that has the focus, 0 for none
    bool selectionEmpty = true;    // of the focused caption text field
    bool clipboardHasText = false; // clipboard format 1 is available
    bool projectLoaded = false;    // the exports need a project's captions
    bool importNotes = false;      // the last import left notes to show
    bool analysing = false;        // the movie's analysis runs on its worker
};

// The menu items to set, in menu order; items that keep their state (the
// editing items while paused) are left out. 40008 is always enabled; the
// WebVTT and TTML exports whenever a project is loaded; the import while a
// project is loaded and neither a preview nor a synthesis runs or is paused.
std::vector<ControlEnabling> menuItemStates(const MenuContext& context);

// The four caption text fields of the caption-creation page.
bool isCaptionTextField(int controlId);

}  // namespace qucap
