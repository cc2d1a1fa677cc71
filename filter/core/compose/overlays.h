#pragma once
// What is drawn through the canvas before boxes and captions: the time
// display (times of the sample, the caption-info path, the seek offset) and
// the watermark in the bottom-right corner.
#include <cstdint>
#include <string>

#include "filter/core/canvas.h"
#include "filter/core/layout/layouter.h"
#include "filter/core/rasteriser.h"

namespace qucap {

struct TimeDisplayValues {
    int32_t start = 0;  // t, milliseconds
    int32_t end = 0;    // t_end
    int32_t seekOffset = 0;
    std::u16string captionInfoPath;
};

// Four labels at x = 60 and their values at x = 190, at y = 50, 70, 90 and
// 110, black on opaque white in the time-display font; times in the form
// h:mm:ss.mmm (a negative time shows no value).
void drawTimeDisplay(FrameCanvas& canvas, const FontSpec& font, const TimeDisplayValues& values);

// Where the watermark text of extent (cx, cy) goes in a frame of W x H:
// (W - cx - 2, H - cy' - 2), cy' being cy x 8 / 10 when the main face as held
// is a Meiryo face (with or without "@"), else cy.
struct TextPosition {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const TextPosition&) const = default;
};
TextPosition watermarkPosition(TextExtent extent, std::u16string_view mainFace, int32_t frameWidth,
                               int32_t frameHeight);

// The watermark text, transparent, in the watermark colour and font,
// measured with that font; nothing for an empty text.
void drawWatermark(FrameCanvas& canvas, GlyphRasteriser& measurer, const FilterFonts& fonts,
                   std::u16string_view text, uint32_t colour, int32_t frameWidth, int32_t frameHeight);

}  // namespace qucap
