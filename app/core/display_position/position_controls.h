#pragma once
// The controls of the display-position tab (dialog 111) and which of them
// are usable: row mode edits the selected row, range mode moves many rows.
#include <array>
#include <vector>

#include "app/core/main_window/main_controls.h"
#include "app/core/main_window/play_state.h"
#include "captiondata/caption/caption_row.h"

namespace qucap {

enum PositionControl : int {
    kPositionHelp = 1001,
    kDefaultPositionButton = 1010,
    kRunRangeButton = 1011,
    kAllRowsDefaultButton = 1012,
    kPositionUndoButton = 1013,
    kLockBox = 1141,
    kSwitchOrientationButton = 1142,
    kRowModeRadio = 1143,
    kRangeModeRadio = 1144,
    kAllRowsRadio = 1145,
    kRowRangeRadio = 1146,
    kFirstRowField = 1147,
    kLastRowField = 1149,
    kMoveHorizontalRadio = 1151,
    kMoveVerticalRadio = 1152,
    kHorizontalAmountField = 1153,
    kHorizontalDirectionList = 1155,
    kVerticalAmountField = 1157,
    kVerticalDirectionList = 1159,
};

// Per text index: the read-only text, the position field, the horizontal bar
// (vertical rows) and the vertical bar (horizontal rows).
struct PositionTextControls {
    int text;
    int field;
    int horizontalBar;
    int verticalBar;
};
inline constexpr std::array<PositionTextControls, kTextCount> kPositionTextControls = {{
    {1117, 1118, 1119, 1134},
    {1072, 1121, 1122, 1133},
    {1123, 1124, 1125, 1132},
    {1081, 1127, 1128, 1131},
}};

// The labels at the ends of the bars: 1 and the frame width (horizontal
// bars) or the frame height (vertical bars).
inline constexpr int kHorizontalBarFirstLabel = 1115;
inline constexpr int kHorizontalBarLastLabel = 1116;
inline constexpr int kVerticalBarFirstLabel = 1129;
inline constexpr int kVerticalBarLastLabel = 1130;

// The position fields hold five digits.
inline constexpr int kPositionFieldLimit = 5;

// The directions of the two move lists, first the default.
inline constexpr std::array<std::u16string_view, 2> kHorizontalDirections = {u"上", u"下"};
inline constexpr std::array<std::u16string_view, 2> kVerticalDirections = {u"左", u"右"};

// What decides the enabling besides the play state.
struct PositionTabState {
    bool rangeMode = true;          // else row mode with a loaded row
    bool rowSelected = false;       // the caption list has a selection
    bool vertical = false;          // of the loaded row
    std::array<bool, kTextCount> hasText{};  // of the loaded row
    bool rowRange = false;          // "範囲指定" rather than "全ての行"
    bool verticalKind = false;      // "縦字幕を" rather than "横字幕を"
    bool undoAvailable = false;
};

// A preview that runs or is paused, or a synthesis: the tab is locked.
bool positionTabBusy(PlayState state);

// Every control of the tab that the page enables or disables.
std::vector<ControlEnabling> positionControlStates(PlayState state, const PositionTabState& tab);

}  // namespace qucap
