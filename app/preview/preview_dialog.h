#pragma once
// The preview dialog 120: the movie through the caption filter, with its
// own transport, sized to the video and placed on the screen.
#include <windows.h>

namespace qucap {

// Shows the modal preview dialog over `owner` for the captioned preview
// graph already built; when it closes the graph is empty.
void showPreviewDialog(HWND owner);

}  // namespace qucap
