#pragma once
// Lays a caption row out into glyph cells: the filter's fonts, row
// preparation, ruby groups and anchors, the start offset and the glyph passes.
#include <cstdint>

#include "captiondata/caption/caption_row.h"
#include "captiondata/colour/colour_info.h"
#include "filter/core/filter_settings.h"
#include "filter/core/glyph_cell.h"
#include "filter/core/layout/font_plan.h"
#include "filter/core/rasteriser.h"

namespace qucap {

// The four fonts as currently held (main and ruby faces with "@" after a
// vertical row, without after a horizontal one).
struct FilterFonts {
    FontSpec main;
    FontSpec ruby;
    FontSpec timeDisplay;
    FontSpec watermark;
    bool operator==(const FilterFonts&) const = default;
};

// What one layout leaves to the next: the bold flag, the orientation of the
// last row and the fonts as held. The layout cache saves and restores it.
struct LayoutCarry {
    bool bold = false;
    bool previousVertical = false;
    FilterFonts fonts;
    bool operator==(const LayoutCarry&) const = default;
};

class CaptionLayouter {
public:
    explicit CaptionLayouter(GlyphRasteriser& rasteriser);

    // PrepareFonts: the Meiryo rule, bold off, both orientations horizontal,
    // the four fonts from the settings (kept for the side flag too).
    void prepareFonts(const FilterSettings& settings);
    const FilterFonts& fonts() const;

    // LayoutRow for a frame of W x H pixels: colours reset to the W / K / K
    // entries of `colours`, then texts 0 to 3 laid out into `layout`.
    void layoutRow(const CaptionRow& row, const ColourTable& colours, int32_t frameWidth, int32_t frameHeight,
                   RowLayout& layout);

    LayoutCarry carry() const;
    void restore(const LayoutCarry& carry);

private:
    // At the start of every glyph pass: a row of the other orientation than
    // the last one turns bold off and makes the main and ruby fonts anew.
    void bringFontsTo(bool vertical);

    GlyphRasteriser& rasteriser_;
    FontPlan plan_;
    bool fromEdge_ = false;  // the side flag
    bool bold_ = false;
    bool previousVertical_ = false;
    FilterFonts fonts_;
};

}  // namespace qucap
