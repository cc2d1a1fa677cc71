#pragma once
// The rules of the help window: which page each tab's help button shows, and
// how the page scrolls inside its resizable host window.
#include <optional>
#include <string_view>

namespace qucap {

// One help page: the tab's help index, its dialog template and the caption
// of the host window while it shows the page.
struct HelpPage {
    int index;
    int dialogId;
    std::u16string_view caption;
};

inline constexpr int kHelpPageCount = 6;

// The page of help index 1 to 6; null for any other index.
const HelpPage* helpPage(int index);

// Both scroll bars of the host run from 0 to 9 with a page of 1; the page's
// scroll position is kept negative, from 0 down to -9.
inline constexpr int kHelpScrollMax = 9;
inline constexpr int kHelpScrollPage = 1;

// The pixels the page moves per scroll position: (page - client) / 10 + 5
// while the client is smaller than the page, else 0 (the page fits).
int helpScrollStep(int pageSize, int clientSize);

// The scroll codes of WM_HSCROLL and WM_VSCROLL (left and up share a value).
enum HelpScrollCode : int {
    kScrollLineBack = 0,     // SB_LINEUP, SB_LINELEFT
    kScrollLineForward = 1,  // SB_LINEDOWN, SB_LINERIGHT
    kScrollPageBack = 2,     // SB_PAGEUP, SB_PAGELEFT
    kScrollPageForward = 3,  // SB_PAGEDOWN, SB_PAGERIGHT
    kScrollThumbTrack = 5,   // SB_THUMBTRACK
};

// The new (negative) scroll position after a scroll code, or nothing when the
// code does not scroll the page. `tracked` is the thumb's position while it
// is dragged (0 to 9).
std::optional<int> nextHelpScrollPosition(int position, int code, int tracked);

// Where the page stands in the host's client area along one axis.
inline int helpPageOffset(int position, int step) { return position * step; }

// The page's place inside the host for the host's current client size.
struct HelpPageLayout {
    int horizontalStep = 0;
    int verticalStep = 0;
    int x = 0;
    int y = 0;
    bool operator==(const HelpPageLayout&) const = default;
};

struct HelpScrollState {
    int pageWidth = 0;
    int pageHeight = 0;
    int horizontalPosition = 0;  // 0 to -9
    int verticalPosition = 0;    // 0 to -9
};

HelpPageLayout layoutHelpPage(const HelpScrollState& state, int clientWidth, int clientHeight);

}  // namespace qucap
