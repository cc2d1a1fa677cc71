#pragma once
// Placement of the main window and how its controls follow a resize.
#include <optional>
#include <vector>

namespace qucap {

struct ClientSize {
    int width = 0;
    int height = 0;
    bool operator==(const ClientSize&) const = default;
};

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

// Centred on the screen, 6 pixels above the middle.
Point centredWindowPosition(ClientSize screen, ClientSize window);

// How one control follows a change of the client size by (dx, dy): each
// factor is 0 or 1.
struct ResizeRule {
    int id;
    int moveX, moveY;  // the control's position moves by dx, dy
    int growX, growY;  // the control's size grows by dx, dy
    bool operator==(const ResizeRule&) const = default;
};

// The controls of the main window that follow a resize, in the order to move
// them: for dx > 0 the right-most button 1009 moves before 1004, otherwise
// 1004 first, so the two never overlap. The eight pages follow the tab
// control's display rectangle, and the list's columns are re-applied after.
std::vector<ResizeRule> mainResizeRules(int dx);

// One size message worked out: the differences to apply and the new last size.
struct ResizeStep {
    int dx = 0;
    int dy = 0;
    ClientSize last;
};

// Nothing for a width or height of 0 or less (minimised); otherwise the size
// is raised to at least the minimum and compared with the last size.
std::optional<ResizeStep> resizeStep(ClientSize now, ClientSize minimum, ClientSize last);

}  // namespace qucap
