#pragma once
// The clean-up on the caption list: its rows' times read, and the changes
// written back into the start and duration columns.
#include <vector>

#include "app/core/caption_list/caption_list.h"
#include "app/timing/retime.h"

namespace qucap {

std::vector<RowTimes> rowTimesOf(const CaptionList& list);

// Writes the rows' times (caption time form) into the rows the changes name.
void applyRowTimes(CaptionList& list, const std::vector<RowTimes>& rows, const std::vector<RetimeChange>& changes);

}  // namespace qucap
