#include "app/core/display_position/position_controls.h"

namespace qucap {

bool positionTabBusy(PlayState state) { return isPreviewActive(state) || state == PlayState::Synthesizing; }

std::vector<ControlEnabling> positionControlStates(PlayState state, const PositionTabState& tab) {
    const bool idle = !positionTabBusy(state);
    const bool rowMode = idle && !tab.rangeMode;
    const bool rangeMode = idle && tab.rangeMode;
    std::vector<ControlEnabling> states;
    for (int text = 0; text < kTextCount; ++text) {
        const PositionTextControls& controls = kPositionTextControls[std::size_t(text)];
        const bool editable = rowMode && tab.hasText[std::size_t(text)];
        states.push_back({controls.text, idle});
        states.push_back({controls.field, editable});
        states.push_back({controls.horizontalBar, editable && tab.vertical});
        states.push_back({controls.verticalBar, editable && !tab.vertical});
    }
    const ControlEnabling rest[] = {
        {kLockBox, rowMode},
        {kSwitchOrientationButton, rowMode},
        {kDefaultPositionButton, rowMode},
        {kRowModeRadio, idle && tab.rowSelected},
        {kRangeModeRadio, idle},
        {kAllRowsRadio, rangeMode},
        {kRowRangeRadio, rangeMode},
        {kFirstRowField, rangeMode && tab.rowRange},
        {kLastRowField, rangeMode && tab.rowRange},
        {kMoveHorizontalRadio, rangeMode},
        {kMoveVerticalRadio, rangeMode},
        {kHorizontalAmountField, rangeMode && !tab.verticalKind},
        {kHorizontalDirectionList, rangeMode && !tab.verticalKind},
        {kVerticalAmountField, rangeMode && tab.verticalKind},
        {kVerticalDirectionList, rangeMode && tab.verticalKind},
        {kRunRangeButton, rangeMode},
        {kAllRowsDefaultButton, idle},
        {kPositionUndoButton, idle && tab.undoAvailable},
        {kPositionHelp, idle},
    };
    states.insert(states.end(), std::begin(rest), std::end(rest));
    return states;
}

}  // namespace qucap
