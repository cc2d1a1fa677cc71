#pragma once
// Offers: the preview dialog's size and place for a video (the video area
// scaled down until it fits the work area, the dialog grown or shrunk around
// it) and where the video window stands inside a video area.
#include "app/core/main_window/main_layout.h"

namespace qucap {

struct ControlRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const ControlRect&) const = default;
};

// The dialog as its template made it, and the screen it opens on.
struct PreviewDialogMetrics {
    ClientSize window;      // the dialog's outer size
    ClientSize client;      // its client area
    ControlRect videoArea;  // the framed static 1099, in client coordinates
    ClientSize workArea;
    ClientSize screen;
};

struct PreviewDialogLayout {
    ClientSize window;      // the dialog's new outer size
    ControlRect videoArea;  // the static's new rectangle
    int dx = 0;             // the label, counters, bar and buttons move right by dx
    int dy = 0;             // and down by dy
    Point position;         // the dialog's new top-left corner on the screen
    bool operator==(const PreviewDialogLayout&) const = default;
};

// The largest whole percentage of the video (100 down to 1) that leaves 30
// pixels of the work area's width and 120 of its height free, 1 % when none
// does. A video without a width or height (nothing to show) keeps the video
// area's own size.
ClientSize fittedVideoSize(ClientSize video, ClientSize workArea, ClientSize videoArea);

// The dialog grows in width only when the video is wider than its area; its
// height follows the video's. It stands centred on the screen, at the top
// when it is too tall for the work area.
PreviewDialogLayout previewDialogLayout(const PreviewDialogMetrics& dialog, ClientSize video);

// The video window inside a video area of `area`: the full height, the
// video's width-to-height ratio, centred across. A video without a width or
// height fills the area.
ControlRect videoWindowRect(ClientSize area, ClientSize video);

}  // namespace qucap
