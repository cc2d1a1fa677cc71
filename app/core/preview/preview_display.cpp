#include "app/core/preview/preview_display.h"

#include <algorithm>
#include <array>
#include <limits>

#include "app/core/main_window/main_window_texts.h"
#include "captiondata/markup/markup.h"
#include "captiondata/text/paths.h"
#include "captiondata/text/u16.h"
#include "captiondata/time/time_text.h"

namespace qucap {
namespace {

// Milliseconds as the 32-bit time the caption lookup and the text forms take.
int32_t asTime(int64_t milliseconds) {
    using Limits = std::numeric_limits<int32_t>;
    return int32_t(std::clamp<int64_t>(milliseconds, Limits::min(), Limits::max()));
}

// The counters show no time below 0.
std::u16string counterTime(int64_t milliseconds) {
    return formatTime(asTime(std::max<int64_t>(milliseconds, 0)), TimeForm::Millisecond);
}

std::u16string joined(std::u16string_view current, std::u16string_view total) {
    return std::u16string(current) + u" / " + std::u16string(total);
}

struct DialogControl {
    int id;
    int ruleOf;  // the main window control whose rule it follows
};
constexpr std::array<DialogControl, 6> kDialogControls = {{
    {kFrameBack, kFrameBack},
    {kPlayPause, kPlayPause},
    {kFrameForward, kFrameForward},
    {kStopButton, kStopButton},
    {kPositionScrollBar, kPositionScrollBar},
    {kPreviewCloseButton, kEndButton},
}};

}  // namespace

CounterTexts counterTexts(const PreviewPosition& at) {
    const MediaFacts& facts = at.facts();
    const int64_t durationMs = facts.duration / 10'000;
    return {joined(toDecimal(at.currentFrame()), toDecimal(std::max<int64_t>(facts.totalFrames, 0))),
            joined(counterTime(at.currentTimeMs()), counterTime(durationMs))};
}

CaptionLines captionLinesAt(const CaptionTable& table, int64_t milliseconds) {
    const int index = findRowAtTime(table, asTime(milliseconds));
    if (index < 0) return {};
    const CaptionRow& row = table[std::size_t(index)];
    return {plainText(row.texts[Line1Body]), plainText(row.texts[Line2Body])};
}

std::u16string previewDialogTitle(std::u16string_view inputPath) {
    const std::u16string name = fileNameOf(inputPath);
    if (name.empty()) return std::u16string(kPreviewTitle);
    return std::u16string(kPreviewTitle) + u" (" + name + u")";
}

std::vector<ControlEnabling> previewDialogControlStates(PlayState state) {
    const std::vector<ControlEnabling> main = mainControlStates(state, {});
    std::vector<ControlEnabling> states;
    for (const DialogControl& control : kDialogControls) {
        const auto rule = std::find_if(main.begin(), main.end(),
                                       [&](const ControlEnabling& c) { return c.id == control.ruleOf; });
        states.push_back({control.id, rule != main.end() && rule->enabled});
    }
    return states;
}

}  // namespace qucap
