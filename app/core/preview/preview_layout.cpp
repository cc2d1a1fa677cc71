#include "app/core/preview/preview_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace qucap {
namespace {

constexpr int kFreeWidth = 30;
constexpr int kFreeHeight = 120;

bool hasPicture(ClientSize video) { return video.width > 0 && video.height > 0; }

ClientSize scaled(ClientSize video, int percent) {
    return {int(int64_t(video.width) * percent / 100), int(int64_t(video.height) * percent / 100)};
}

}  // namespace

ClientSize fittedVideoSize(ClientSize video, ClientSize workArea, ClientSize videoArea) {
    if (!hasPicture(video)) return videoArea;
    for (int percent = 100; percent > 1; --percent) {
        const ClientSize size = scaled(video, percent);
        if (size.width <= workArea.width - kFreeWidth && size.height <= workArea.height - kFreeHeight)
            return size;
    }
    return scaled(video, 1);
}

PreviewDialogLayout previewDialogLayout(const PreviewDialogMetrics& dialog, ClientSize video) {
    const ControlRect& area = dialog.videoArea;
    const ClientSize shown = fittedVideoSize(video, dialog.workArea, {area.width, area.height});
    PreviewDialogLayout layout;
    layout.dx = shown.width > area.width ? shown.width - area.width : 0;
    layout.dy = shown.height - area.height;
    layout.window = {dialog.window.width + layout.dx, dialog.window.height + layout.dy};
    const int clientWidth = dialog.client.width + layout.dx;
    layout.videoArea = {(clientWidth - shown.width) / 2, area.top, shown.width, shown.height};
    layout.position = centredWindowPosition(dialog.screen, layout.window);
    if (layout.window.height / 2 > dialog.workArea.height - dialog.screen.height / 2) layout.position.y = 0;
    return layout;
}

ControlRect videoWindowRect(ClientSize area, ClientSize video) {
    if (!hasPicture(video)) return {0, 0, area.width, area.height};
    const float ratio = float(video.width) / float(video.height);
    // A ratio so extreme that the width leaves the int range is held within it.
    const int shown = int(std::clamp(std::trunc(float(area.height) * ratio), -2.0e9f, 2.0e9f));
    return {(area.width - shown) / 2, 0, shown, area.height};
}

}  // namespace qucap
