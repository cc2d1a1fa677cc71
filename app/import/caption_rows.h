#pragma once
// The rules that make caption rows of the cues any reader gives, the same
// for every format: times to the centisecond, rows in time order, overlaps
// cut, empty cues left out, two text lines, the project's palette, and a
// refusal rather than a text cut to fit.
#include <cstddef>
#include <string>
#include <vector>

#include "app/import/imported_captions.h"
#include "captiondata/caption/caption_file.h"
#include "captiondata/colour/colour_info.h"

namespace qucap {

struct ImportedRows {
    // The whole list after the import, numbered from 1: the existing rows
    // and the imported ones in time order.
    std::vector<CaptionFileRow> rows;
    std::size_t importedCount = 0;
    // The reader's notes and the rules' own, in source-line order.
    std::vector<ImportNote> notes;
    // Not empty: nothing is imported, and this says why (a text the row
    // cannot hold, naming the file's line).
    std::u16string refusal;
};

// The cues become rows: times rounded to centiseconds; cues without visible
// text or without length left out; cues of the same start and end joined
// into one row; the first text line is line 1, the second line 2, further
// lines join line 2 after a full-width space; rows in time order, and an
// imported row overlapping the next ends where the next starts (and starts
// where an existing row before it ends). Colours become the palette slot
// nearest to them (text colours by the slots' text colours, outlines by
// their border start colours). Positions stay 0, so the default positions
// fill them. Every change is noted.
ImportedRows importedRows(const ImportedCaptions& captions, const ColourTable& palette,
                          const std::vector<CaptionFileRow>& existing = {});

}  // namespace qucap
