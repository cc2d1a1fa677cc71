#pragma once
// The layout of the caption row shown last, kept while the next frame would
// lay it out the same way: the same row (slot and contents), the same state
// carried in from the previous layout (bold flag, orientation, fonts as
// held) and the same frame size. The colour table and border settings only
// change at initialisation, which clears the cache.
#include <cstdint>
#include <optional>

#include "captiondata/caption/caption_row.h"
#include "captiondata/colour/colour_info.h"
#include "filter/core/effects/effects.h"
#include "filter/core/effects/ring_plate.h"
#include "filter/core/glyph_cell.h"
#include "filter/core/layout/layouter.h"

namespace qucap {

struct FrameSize {
    int32_t width = 0;
    int32_t height = 0;
    bool operator==(const FrameSize&) const = default;
};

struct LaidOutRow {
    RowLayout layout;
    RingPlate plate;  // the rings of border types 1 and 2, worked out for `drawn`
};

class LayoutCache {
public:
    // The row laid out for a frame of `layoutSize` (W x H) whose drawable
    // part is `drawn`; afterwards the layouter holds what that layout leaves,
    // whether it ran now or was reused.
    const LaidOutRow& layoutFor(CaptionLayouter& layouter, int rowIndex, const CaptionRow& row,
                                const ColourTable& colours, const BorderSettings& border, FrameSize layoutSize,
                                FrameSize drawn);
    void clear();

private:
    struct Key {
        int rowIndex = -1;
        CaptionRow row;
        LayoutCarry before;
        FrameSize layoutSize;
        FrameSize drawn;
    };
    bool matches(const Key& key) const;

    std::optional<Key> key_;
    LayoutCarry after_;
    LaidOutRow laidOut_;
};

}  // namespace qucap
