#pragma once
// The rings of one laid-out row, worked out once for a frame size: for every
// frame pixel the rings touch, the colour and weight of the last ring that
// writes it. Every ring write blends against the snapshot (or is opaque), so
// the pixel's final value depends on that last write alone, and the plate can
// put all rings into a frame touching each pixel once, with the same bytes
// as drawOutlineEffect.
#include <array>
#include <cstdint>
#include <vector>

#include "filter/core/canvas.h"
#include "filter/core/effects/effects.h"
#include "filter/core/effects/ring_order.h"
#include "filter/core/frame.h"
#include "filter/core/glyph_cell.h"

namespace qucap {

class RingPlate {
public:
    // Works out the rings of `layout` for a frame of frameWidth x frameHeight
    // pixels; border types other than 1 and 2 give an empty plate.
    void build(const RowLayout& layout, const BorderSettings& border, int32_t frameWidth, int32_t frameHeight);
    void clear();

    bool empty() const { return runs_.empty(); }
    int32_t frameWidth() const { return frameWidth_; }
    int32_t frameHeight() const { return frameHeight_; }

    // The frame area the plate writes, in GDI coordinates (0-based, right and
    // bottom excluded); all zero when the plate is empty.
    PixelRect bounds() const { return bounds_; }

    // Writes the ring pixels into `frame`, blending against `snapshot`: only
    // pixels the frame holds, and blended pixels only when the snapshot has
    // the frame's size. Any GDI drawing must have been flushed before.
    void apply(FrameBuffer& frame, const FrameBuffer& snapshot) const;

private:
    // One distinct ring colour and weight, with its blend worked out for
    // every background byte of each channel (blue, green, red).
    struct Paint {
        PixelColour colour;
        int32_t weight = 0;
        bool opaque = false;
        std::array<std::array<uint8_t, 256>, 3> blend{};
    };
    // `length` pixels of one frame row from (x, y) on, all last written by `paint`.
    struct Run {
        int32_t y = 0;
        int32_t x = 0;
        int32_t length = 0;
        uint16_t paint = 0;
    };

    uint16_t paintIdOf(const RingPaint& ring);

    std::vector<Paint> paints_;
    std::vector<Run> runs_;
    PixelRect bounds_;
    int32_t frameWidth_ = 0;
    int32_t frameHeight_ = 0;
    std::vector<uint16_t> stamps_;  // scratch of the build: paint id + 1 per pixel of the working area
};

}  // namespace qucap
