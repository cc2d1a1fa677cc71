#pragma once
// The preview of the movie, in the main window's video area (without
// captions) or in the modal preview dialog (through the caption filter):
// the transport commands, the one preview thread, and what the host window
// shows besides the picture (counters, caption lines, position bar).
//
// The thread only runs and waits on the graph, through interfaces
// marshalled into its own apartment; every 100 ms it posts
// kPreviewTickMessage to its host, whose user interface thread then updates
// the display, and at its end it posts kPreviewEndedMessage with what became
// of the graph. The play state is only written on the user interface thread.
#include <windows.h>

#include <cstdint>

#include "app/core/preview/preview_position.h"

namespace qucap {

// Posted by the preview thread every 100 ms of play.
inline constexpr UINT kPreviewTickMessage = 0x8067;

// Where the preview stands now.
PreviewPosition previewPosition();

// Seeks the main window's preview to `position` (100-ns units) and shows it
// there: a click on the timeline strip. Nothing without a movie or while
// synthesising.
void seekPreviewTo(int64_t position);

// Main window commands: play/pause 1108, stop 1110, the frame steps 1107
// and 1109, and the position bar 1102 (WM_HSCROLL).
void playPressed();
void stopPressed();
void stepPressed(int id);
void previewScrolled(HWND host, int code, int thumbPosition);

// The repeat buttons of the caption-creation and timeline tabs: the preview
// plays in the main window from the rewind seconds before a row's start (or
// before the current time for a row starting at 0).
void replayFromRow(int64_t rowStartMs);

// Dialog 120's own transport.
void dialogPlayPressed(HWND dialog);
void dialogStopPressed(HWND dialog);
void dialogStepPressed(HWND dialog, int id);

// The host's display: counters 1104/1105, caption lines 1100/1101 (main
// window only) and, unless the thumb is being dragged, the position bar when
// its value changed.
void showPreviewDisplay(HWND host, bool withPositionBar = true);
// Puts the video into the host's video area and readies its counters and
// bar; -1 when the video window cannot be placed.
int attachVideo(HWND host);
// The button rules and the title rule for the host.
void refreshPreviewButtons(HWND host);

// kPreviewEndedMessage with its lParam: false for the message of an earlier
// thread (a new preview started before it arrived), which changes nothing;
// otherwise a preview still Playing becomes Stopped when the thread stopped
// the graph, and the thread is waited for and its handle closed.
bool previewThreadEnded(LPARAM report);
// Waits for a preview thread still alive (dispatching this thread's
// messages): before the graph is rebuilt, emptied or released.
void joinPreviewThread();

}  // namespace qucap
