#pragma once
// The fixed ring maps of the round border and the stepped shadow, the ring
// opacities, and the colour of each ring of a graded border.
#include <cstdint>
#include <vector>

namespace qucap {

constexpr int32_t kMaxRing = 9;

struct RingOffset {
    int32_t dx = 0;
    int32_t dy = 0;
    bool operator==(const RingOffset&) const = default;
};

// A run of offsets of one ring on one offset row: (dxFirst..dxLast, dy).
struct RingSpan {
    int32_t dy = 0;
    int32_t dxFirst = 0;
    int32_t dxLast = 0;
    bool operator==(const RingSpan&) const = default;
};

// The ring (1 to 9) of offset (dx, dy) in the round-border map, 0 for none.
int32_t roundRingAt(int32_t dx, int32_t dy);

// The offsets of `ring` for border type 1 (round) or 2 (shadow), dy then dx
// ascending; empty for any other type or ring.
const std::vector<RingOffset>& ringOffsets(int32_t borderType, int32_t ring);

// The same offsets grouped into runs along dx, in the same order.
const std::vector<RingSpan>& ringSpans(int32_t borderType, int32_t ring);

// Opacity 0..64 of ring `ring` for a border `width` pixels wide; 0 outside the table.
int32_t ringOpacity(int32_t width, int32_t ring);

// Blend weight of a ring: its opacity x 48 / 64.
int32_t ringWeight(int32_t width, int32_t ring);

// Colour 0x00BBGGRR of ring `ring` of a border `width` wide: the border-start
// colour for widths below 2, otherwise an even gradient per channel from the
// border-end colour (outermost ring) to the border-start colour (ring 1).
uint32_t ringColour(uint32_t borderStart, uint32_t borderEnd, int32_t width, int32_t ring);

}  // namespace qucap
