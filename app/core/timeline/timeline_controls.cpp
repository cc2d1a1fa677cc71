#include "app/core/timeline/timeline_controls.h"

namespace qucap {

std::vector<ControlEnabling> timelineControlStates(PlayState state, const TimelineTabState& tab) {
    const bool playing = state == PlayState::Playing;
    const bool previewActive = isPreviewActive(state);
    // While the movie plays nothing is edited, except the times in live mode.
    const bool rowMode = tab.rowSelected && !playing;
    const bool rangeMode = !tab.rowSelected && !playing;
    const bool sliding = rangeMode && tab.operation == RangeOperation::SlideStart;
    const bool lengthening = rangeMode && tab.operation == RangeOperation::ChangeDuration;
    std::vector<ControlEnabling> states = {
        {kLine1Display, tab.rowSelected},
        {kLine2Display, tab.rowSelected},
        {kStartField, rowMode || (tab.rowSelected && tab.live)},
        {kDurationField, rowMode || (tab.rowSelected && tab.live)},
        {kStartSlider, rowMode},
        {kDurationSlider, rowMode},
        {kTimelineRowMode, rowMode},
        {kTimelineRangeMode, rowMode},
        {kTimelineAllRows, rangeMode},
        {kTimelineRowRange, rangeMode},
        {kTimelineFirstRow, rangeMode && tab.rowRange},
        {kTimelineLastRow, rangeMode && tab.rowRange},
        {kSlideStartRadio, rangeMode},
        {kChangeDurationRadio, rangeMode},
        {kClearTimesRadio, rangeMode},
        {kSlideAmountField, sliding},
        {kSlideDirectionList, sliding},
        {kDurationAmountField, lengthening},
        {kDurationDirectionList, lengthening},
        {kTimelineRun, !tab.rowSelected && !previewActive},
        // The clean-up by the rules works on the range fields as "実行" does.
        {kRetimeButton, !tab.rowSelected && !previewActive},
        {kSnapToShots, state != PlayState::Synthesizing},
        {kTimelineHelp, !previewActive && state != PlayState::Synthesizing},
        {kTimelineUndo, tab.undoAvailable && !previewActive},
        {kTimelineRepeat, !playing && state != PlayState::Stopped},
        {kLiveTimingButton, !previewActive && !tab.live},
        {kInOutButton, tab.live},
    };
    for (const TimeStepButton& button : kTimeStepButtons)
        states.push_back({button.id, tab.rowSelected && !previewActive});
    return states;
}

}  // namespace qucap
