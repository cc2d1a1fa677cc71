#pragma once
// What the display-item dialog shows and keeps: the names offered for each
// kind of list, and the names the user left checked.
#include <array>
#include <string>
#include <vector>

#include "app/core/display_items/display_list.h"
#include "app/core/media/encoder_tables.h"

namespace qucap {

// Every name a list of this kind can hold, in the order the dialog shows
// them: the font names; the video compressors, then the video encoder
// filters; the audio compressors, then the audio encoder filters.
std::vector<std::u16string> displayListSourceNames(DisplayListKind kind, const std::vector<std::u16string>& fontNames,
                                                   const EncoderTables& encoders);

// One row of the dialog's list.
struct DisplayItem {
    std::u16string name;
    bool checked = false;
};

// The names of the checked rows, in list order.
std::vector<std::u16string> checkedNames(const std::vector<DisplayItem>& items);

// What the list file keeps after the dialog: the checked names in list
// order, then the names of the list as it was that the dialog did not offer
// (a font not installed now, an encoder unplugged), in their old order: they
// are not shown, but they keep their place in the user's choice.
std::vector<std::u16string> keptNames(const std::vector<DisplayItem>& items,
                                      const std::vector<std::u16string>& listedBefore);

// The kind of the first checked radio button (fonts, video, audio in that
// order); `current` when none is checked.
DisplayListKind firstCheckedKind(const std::array<bool, 3>& radiosChecked, DisplayListKind current);

}  // namespace qucap
