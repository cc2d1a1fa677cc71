#include "app/core/main_window/main_layout.h"

#include <algorithm>
#include <array>

#include "app/core/main_window/main_window_texts.h"

namespace qucap {
namespace {

// Rows before the two buttons, then the buttons in the order used when the
// window grows wider.
constexpr std::array<ResizeRule, 4> kGrowingControls = {{
    {kTabControl, 0, 0, 1, 0},
    {kCaptionListView, 0, 0, 1, 1},
    {kMessageLabel, 0, 1, 0, 0},
    {kMessageLine, 0, 1, 1, 0},
}};
constexpr ResizeRule kEndButtonRule{kEndButton, 1, 1, 0, 0};
constexpr ResizeRule kSaveButtonRule{kSaveToList, 1, 1, 0, 0};

constexpr int kCentreRaise = 6;

}  // namespace

Point centredWindowPosition(ClientSize screen, ClientSize window) {
    return {(screen.width - window.width) / 2, (screen.height - window.height) / 2 - kCentreRaise};
}

std::vector<ResizeRule> mainResizeRules(int dx) {
    std::vector<ResizeRule> rules(kGrowingControls.begin(), kGrowingControls.end());
    if (dx > 0) {
        rules.push_back(kEndButtonRule);
        rules.push_back(kSaveButtonRule);
    } else {
        rules.push_back(kSaveButtonRule);
        rules.push_back(kEndButtonRule);
    }
    return rules;
}

std::optional<ResizeStep> resizeStep(ClientSize now, ClientSize minimum, ClientSize last) {
    if (now.width <= 0 || now.height <= 0) return std::nullopt;
    const ClientSize used{std::max(now.width, minimum.width), std::max(now.height, minimum.height)};
    return ResizeStep{used.width - last.width, used.height - last.height, used};
}

}  // namespace qucap
