#pragma once
// One glyph pass: a body text or one ruby group laid out from its start
// point into glyph cells, applying the markup codes on the way.
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "captiondata/colour/colour_info.h"
#include "filter/core/glyph_cell.h"
#include "filter/core/rasteriser.h"

namespace qucap {

// The colours a new cell takes; reset once per row, changed by colour codes.
struct PenColours {
    uint32_t body = 0;
    uint32_t borderStart = 0;
    uint32_t borderEnd = 0;
    bool operator==(const PenColours&) const = default;
};

// The layout state a pass reads and changes.
struct GlyphPassState {
    GlyphRasteriser& rasteriser;
    const ColourTable& colours;
    PenColours& pen;
    bool& bold;      // carried across rows and frames
    FontSpec& font;  // the held font of the text's kind (main or ruby); bold codes re-weight it
    bool vertical;
};

// Lays `text` out from (x0, y0), appending to `cells` until they hold 80.
// For a body, `bodyCoordinates` receives the x (horizontal) or y (vertical)
// of each cell under the cell's index.
void runGlyphPass(GlyphPassState& state, std::u16string_view text, int32_t x0, int32_t y0,
                  std::vector<GlyphCell>& cells, std::array<int32_t, kBodyCoordinateCount>* bodyCoordinates);

}  // namespace qucap
