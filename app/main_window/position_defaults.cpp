#include "app/main_window/position_defaults.h"

#include "app/core/display_position/default_positions.h"
#include "app/main_window/app_state.h"
#include "app/main_window/caption_list_view.h"
#include "resources/app/resource.h"

namespace qucap {

void applyDefaultPositionsToAll(DefaultPositionMode mode) {
    AppState& state = app();
    state.captions.applyDefaultPositions(mode, defaultPositionRules(positionSettingsOf(state.settings, state.movie)));
    if (HWND list = mainCaptionListView()) refreshCaptionRows(list, state.captions);
}

void followDefaultPositions(const WorkingRow& before, WorkingRow& row) {
    followDefaultPositions(positionSettingsOf(app().settings, app().movie), before, row);
}

}  // namespace qucap
