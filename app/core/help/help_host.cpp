#include "app/core/help/help_host.h"

#include <algorithm>
#include <array>

namespace qucap {
namespace {

constexpr std::array<HelpPage, kHelpPageCount> kHelpPages = {{
    {1, 104, u"ファイル選択ヘルプ"},
    {2, 106, u"フォント設定ヘルプ"},
    {3, 109, u"字幕作成ヘルプ"},
    {4, 112, u"表示位置ヘルプ"},
    {5, 118, u"タイムラインヘルプ"},
    {6, 115, u"字幕合成ヘルプ"},
}};

// How far one press of each code moves the position (positions are negative,
// so moving forward through the page subtracts).
struct ScrollMove {
    int code;
    int delta;
};
constexpr std::array<ScrollMove, 4> kScrollMoves = {{
    {kScrollLineBack, 1},
    {kScrollLineForward, -1},
    {kScrollPageBack, 2},
    {kScrollPageForward, -2},
}};

int clampPosition(int position) { return std::clamp(position, -kHelpScrollMax, 0); }

}  // namespace

const HelpPage* helpPage(int index) {
    if (index < 1 || index > kHelpPageCount) return nullptr;
    return &kHelpPages[static_cast<std::size_t>(index - 1)];
}

int helpScrollStep(int pageSize, int clientSize) {
    if (clientSize >= pageSize) return 0;
    return (pageSize - clientSize) / 10 + 5;
}

std::optional<int> nextHelpScrollPosition(int position, int code, int tracked) {
    if (code == kScrollThumbTrack) return clampPosition(-tracked);
    for (const ScrollMove& move : kScrollMoves)
        if (move.code == code) return clampPosition(position + move.delta);
    return std::nullopt;
}

HelpPageLayout layoutHelpPage(const HelpScrollState& state, int clientWidth, int clientHeight) {
    HelpPageLayout layout;
    layout.horizontalStep = helpScrollStep(state.pageWidth, clientWidth);
    layout.verticalStep = helpScrollStep(state.pageHeight, clientHeight);
    layout.x = helpPageOffset(state.horizontalPosition, layout.horizontalStep);
    layout.y = helpPageOffset(state.verticalPosition, layout.verticalStep);
    return layout;
}

}  // namespace qucap
