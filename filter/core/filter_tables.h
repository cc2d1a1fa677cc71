#pragma once
// What the filter's initialisation loads: the caption, box and colour tables,
// each read only when its path passes the path check.
#include "captiondata/box/box_info.h"
#include "captiondata/caption/caption_row.h"
#include "captiondata/colour/colour_info.h"
#include "filter/core/filter_settings.h"
#include "filter/core/path_check.h"

namespace qucap {

// The caption and box tables start empty and every colour black.
struct FilterTables {
    CaptionTable captions;
    BoxTable boxes;
    ColourTable colours{};
};

// Checks and loads the caption-info, box-info and colour-info files of
// `settings`, in that order. A failed check or load has shown its message
// and leaves its table as the loader left it; the others still load.
void loadFilterTables(const Io& io, const DriveTypes& drives, const FilterSettings& settings, FilterTables& tables);

}  // namespace qucap
