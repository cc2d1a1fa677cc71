#pragma once
// The default display positions as the program applies them to the caption
// list: from the loaded movie's frame size and the project's font settings.
// The caption-creation tab fills a stored row's unset positions and lets
// those it filled follow the row's texts, the display-position tab fills
// every row's when it is shown, and the font tab recomputes the unlocked
// rows' after a font, size or layout change.
#include "app/core/caption_list/caption_list.h"

namespace qucap {

// Applies defaults to every row of the program's caption list in `mode`,
// writes each row back to the list view and rebuilds the caption table.
void applyDefaultPositionsToAll(DefaultPositionMode mode);

// The positions of a row just stored whose texts were those of `before`:
// the unset ones and those the program filled in take the new defaults.
void followDefaultPositions(const WorkingRow& before, WorkingRow& row);

}  // namespace qucap
