#pragma once
// Where the four texts of a caption row stand when the user has not placed
// them: stacked from the bottom of the frame (horizontal rows) or from its
// right side (vertical rows), from the frame size, the font sizes and the
// layout options of the project. Also the limits a placed position is kept
// within.
#include <cstdint>
#include <string>
#include <string_view>

#include "app/core/caption_list/caption_list.h"
#include "app/core/media/media_facts.h"
#include "captiondata/project/project_settings.h"

namespace qucap {

// What the computation reads from the program's state.
struct PositionSettings {
    int32_t frameWidth = 0;
    int32_t frameHeight = 0;
    int32_t mainSize = 32;
    int32_t rubySize = 16;
    int32_t layoutType = 1;  // 1: ruby outside each body; 2: ruby between the two lines
    bool fill = false;       // an empty ruby gives up its place
    std::u16string mainFont;
    std::u16string rubyFont;
};

PositionSettings positionSettingsOf(const ProjectSettings& settings, const MediaFacts& movie);

// The far edge is the normal placement; the near edge (top or left) is used
// when a range move pushes a row past it.
enum class PlacementEdge { Far, Near };

// "メイリオ" and "Meiryo UI", compared exactly.
bool isMeiryoFont(std::u16string_view name);

// The four default positions of `row` (its texts and orientation). All 0 when
// the line-1 body is empty or line 2 has a ruby without a body; 0 for every
// empty text; at least 1 for the others.
PositionSet defaultPositions(const PositionSettings& settings, const WorkingRow& row,
                             PlacementEdge edge = PlacementEdge::Far);

// The line-2 body and ruby defaults in the opposite order within the place
// they take together (a row whose user put the ruby on the other side).
DefaultPositionRules::Line2 swappedLine2(const PositionSettings& settings, bool vertical,
                                         DefaultPositionRules::Line2 defaults);

// The rules the caption list applies to every row.
DefaultPositionRules defaultPositionRules(const PositionSettings& settings);

// Sets each position of `row` that is 0 to its far-edge default.
void fillZeroPositions(const PositionSettings& settings, WorkingRow& row);

// A stored row whose texts changed from those of `before`: the positions the
// program filled in follow the new texts. Each position of an unlocked row
// that still holds the default of the previous texts is computed again, and
// so is every position that is 0. A position placed anywhere else, and every
// position of a locked row, stays as it is.
void followDefaultPositions(const PositionSettings& settings, const WorkingRow& before, WorkingRow& row);

// The frame height for a horizontal row, its width for a vertical one.
int32_t frameExtent(const PositionSettings& settings, bool vertical);
// The body size for the two bodies, the ruby size for the two rubies.
int32_t textSize(const PositionSettings& settings, int text);
// The largest position at which text `text` still fits in the frame (at least 1).
int32_t lastPosition(const PositionSettings& settings, bool vertical, int text);
// A placed position kept within 1 and lastPosition.
int32_t keptInFrame(const PositionSettings& settings, bool vertical, int text, int32_t position);

}  // namespace qucap
