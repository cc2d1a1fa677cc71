#pragma once
// The controls of the timeline tab (dialog 117) and which of them are
// usable: row mode edits the selected row's times, range mode changes many
// rows, live mode stamps times while the movie plays.
#include <array>
#include <vector>

#include "app/core/main_window/main_controls.h"
#include "app/core/main_window/play_state.h"
#include "app/core/timeline/timeline_tab.h"

namespace qucap {

enum TimelineControl : int {
    kTimelineHelp = 1001,
    kTimelineRepeat = 1005,
    kTimelineRun = 1011,
    kTimelineUndo = 1013,
    kLiveTimingButton = 1018,
    kInOutButton = 1019,
    kLine1Display = 1117,
    kLine2Display = 1123,
    kTimelineRowMode = 1143,
    kTimelineRangeMode = 1144,
    kTimelineAllRows = 1145,
    kTimelineRowRange = 1146,
    kTimelineFirstRow = 1147,
    kTimelineLastRow = 1149,
    kStartField = 1189,
    kStartSlider = 1192,
    kDurationField = 1196,
    kDurationSlider = 1200,
    kSlideStartRadio = 1203,
    kChangeDurationRadio = 1204,
    kClearTimesRadio = 1205,
    kSlideAmountField = 1206,
    kSlideDirectionList = 1208,
    kDurationAmountField = 1210,
    kDurationDirectionList = 1212,
    kSnapToShots = 1401,
    kRetimeButton = 1402,
};

// One step button: its control, the field it moves and by how much.
struct TimeStepButton {
    int id;
    TimeField field;
    int32_t stepMs;
};
inline constexpr std::array<TimeStepButton, 8> kTimeStepButtons = {{
    {1187, TimeField::Start, -100},
    {1188, TimeField::Start, -10},
    {1190, TimeField::Start, 10},
    {1191, TimeField::Start, 100},
    {1194, TimeField::Duration, -100},
    {1195, TimeField::Duration, -10},
    {1197, TimeField::Duration, 10},
    {1198, TimeField::Duration, 100},
}};

// The two choices of each direction list, first the default.
inline constexpr std::array<std::u16string_view, 2> kSlideDirections = {u"前方", u"後方"};
inline constexpr std::array<std::u16string_view, 2> kDurationDirections = {u"短", u"長"};

// What decides the enabling besides the play state.
struct TimelineTabState {
    bool rowSelected = false;     // row mode; else range mode
    bool rowRange = false;        // "範囲指定" rather than "全ての行"
    RangeOperation operation = RangeOperation::SlideStart;
    bool undoAvailable = false;   // of this tab or of the display-position tab
    bool live = false;
};

// Every control of the tab that the page enables or disables.
std::vector<ControlEnabling> timelineControlStates(PlayState state, const TimelineTabState& tab);

}  // namespace qucap
