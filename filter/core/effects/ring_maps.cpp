#include "filter/core/effects/ring_maps.h"

#include <array>
#include <string_view>

#include "captiondata/project/project_keys.h"

namespace qucap {

namespace {

// Round-border map, dy from -9 (first line) to 9, dx from -9 (first column)
// to 9; a digit is the ring of that offset, "." no ring.
constexpr std::array<std::string_view, 19> kRoundMap = {
    "......9999999......",  // dy -9
    "....99888888899....",  // dy -8
    "...9887777777889...",  // dy -7
    "..987776666677789..",  // dy -6
    ".98766655555666789.",  // dy -5
    ".98765544444556789.",  // dy -4
    "9877654333334567789",  // dy -3
    "9876543222223456789",  // dy -2
    "9876543211123456789",  // dy -1
    "9876543211123456789",  // dy 0
    "9876543211123456789",  // dy 1
    "9876543222223456789",  // dy 2
    "9877654333334567789",  // dy 3
    ".98765544444556789.",  // dy 4
    ".98766655555666789.",  // dy 5
    "..987776666677789..",  // dy 6
    "...9887777777889...",  // dy 7
    "....99888888899....",  // dy 8
    "......9999999......",  // dy 9
};

// Opacity of ring a (column a - 1) for border width N (row N - 1).
constexpr std::array<std::array<uint8_t, kMaxRing>, kMaxRing> kOpacity = {{
    {64},
    {64, 32},
    {64, 43, 22},
    {64, 48, 32, 16},
    {64, 51, 38, 25, 12},
    {64, 53, 42, 31, 20, 9},
    {64, 55, 46, 37, 28, 19, 10},
    {64, 56, 48, 40, 32, 24, 16, 8},
    {64, 57, 50, 43, 36, 29, 22, 15, 8},
}};

// Shadow: ring 1 is (0, 0) and (1, 1), ring a above 1 the single offset (a, a).
bool inShadowRing(int32_t dx, int32_t dy, int32_t ring) {
    if (ring == 1) return (dx == 0 && dy == 0) || (dx == 1 && dy == 1);
    return dx == ring && dy == ring;
}

bool inRing(int32_t borderType, int32_t dx, int32_t dy, int32_t ring) {
    return isBorderType(borderType, BorderType::Border) ? roundRingAt(dx, dy) == ring : inShadowRing(dx, dy, ring);
}

struct RingTables {
    // [type - 1][ring - 1]
    std::array<std::array<std::vector<RingOffset>, kMaxRing>, 2> offsets;
    std::array<std::array<std::vector<RingSpan>, kMaxRing>, 2> spans;

    RingTables() {
        for (int32_t type = 1; type <= 2; ++type)
            for (int32_t ring = 1; ring <= kMaxRing; ++ring) {
                auto& list = offsets[type - 1][ring - 1];
                auto& runs = spans[type - 1][ring - 1];
                for (int32_t dy = -ring; dy <= ring; ++dy)
                    for (int32_t dx = -ring; dx <= ring; ++dx) {
                        if (!inRing(type, dx, dy, ring)) continue;
                        list.push_back({dx, dy});
                        if (!runs.empty() && runs.back().dy == dy && runs.back().dxLast == dx - 1)
                            runs.back().dxLast = dx;
                        else
                            runs.push_back({dy, dx, dx});
                    }
            }
    }
};

const RingTables& tables() {
    static const RingTables instance;
    return instance;
}

const std::vector<RingOffset> kNoOffsets;
const std::vector<RingSpan> kNoSpans;

bool knownRing(int32_t borderType, int32_t ring) {
    return borderTypeDrawsRings(borderType) && ring >= 1 && ring <= kMaxRing;
}

}  // namespace

int32_t roundRingAt(int32_t dx, int32_t dy) {
    if (dx < -kMaxRing || dx > kMaxRing || dy < -kMaxRing || dy > kMaxRing) return 0;
    const char entry = kRoundMap[std::size_t(dy + kMaxRing)][std::size_t(dx + kMaxRing)];
    return entry == '.' ? 0 : entry - '0';
}

const std::vector<RingOffset>& ringOffsets(int32_t borderType, int32_t ring) {
    return knownRing(borderType, ring) ? tables().offsets[borderType - 1][ring - 1] : kNoOffsets;
}

const std::vector<RingSpan>& ringSpans(int32_t borderType, int32_t ring) {
    return knownRing(borderType, ring) ? tables().spans[borderType - 1][ring - 1] : kNoSpans;
}

int32_t ringOpacity(int32_t width, int32_t ring) {
    if (width < 1 || width > kMaxRing || ring < 1 || ring > width) return 0;
    return kOpacity[width - 1][ring - 1];
}

int32_t ringWeight(int32_t width, int32_t ring) { return ringOpacity(width, ring) * 48 / 64; }

uint32_t ringColour(uint32_t borderStart, uint32_t borderEnd, int32_t width, int32_t ring) {
    if (width < 2) return borderStart;
    uint32_t colour = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int32_t start = int32_t(borderEnd >> shift & 0xFF);
        const int32_t step = (int32_t(borderStart >> shift & 0xFF) - start) / (width - 1);
        const int32_t channel = (start + step * (width - ring)) & 0xFF;  // modulo 256
        colour |= uint32_t(channel) << shift;
    }
    return colour;
}

}  // namespace qucap
