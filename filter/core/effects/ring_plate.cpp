#include "filter/core/effects/ring_plate.h"

#include <algorithm>
#include <limits>

#include "filter/core/effects/pixel_ops.h"
#include "filter/core/effects/ring_order.h"

namespace qucap {

namespace {

// The ink of one placed bitmap as inclusive runs per bitmap row.
struct InkRun {
    int32_t row = 0;
    int32_t first = 0;
    int32_t last = 0;
};

std::vector<InkRun> inkRunsOf(const CoverageBitmap& bitmap) {
    std::vector<InkRun> runs;
    const CoverageView ink = coverageOf(bitmap);
    if (ink.empty()) return runs;
    for (int32_t r = 0; r < ink.height; ++r)
        forEachInkRun(ink.row(r), ink.width, [&](int32_t first, int32_t last) { runs.push_back({r, first, last}); });
    return runs;
}

// Frame pixels, 1-based and inclusive, in wide integers.
struct Area {
    int64_t left = std::numeric_limits<int64_t>::max();
    int64_t top = std::numeric_limits<int64_t>::max();
    int64_t right = std::numeric_limits<int64_t>::min();
    int64_t bottom = std::numeric_limits<int64_t>::min();

    bool empty() const { return left > right || top > bottom; }
    void include(int64_t l, int64_t t, int64_t r, int64_t b) {
        left = std::min(left, l), top = std::min(top, t), right = std::max(right, r), bottom = std::max(bottom, b);
    }
    void clip(int32_t width, int32_t height) {
        left = std::max<int64_t>(left, 1), top = std::max<int64_t>(top, 1);
        right = std::min<int64_t>(right, width), bottom = std::min<int64_t>(bottom, height);
    }
};

// One bitmap of a cell: its place, its ink runs and the frame pixels its ink covers.
struct InkedBitmap {
    int64_t x = 0;
    int64_t y = 0;
    std::vector<InkRun> runs;
    Area ink;  // the frame pixels of its ink

    explicit InkedBitmap(const PlacedBitmap& placed) : x(placed.x), y(placed.y), runs(inkRunsOf(placed.bitmap)) {
        for (const InkRun& run : runs) ink.include(x + run.first, y + run.row, x + run.last, y + run.row);
    }
};

// How far a ring reaches from an ink pixel in each direction.
Area reachOf(int32_t borderType, int32_t ring) {
    Area reach;
    for (const RingSpan& span : ringSpans(borderType, ring)) reach.include(span.dxFirst, span.dy, span.dxLast, span.dy);
    return reach;
}

using CellInk = std::vector<InkedBitmap>;

// fn(y, first, last) for each frame row segment that one ring span paints
// around a bitmap's ink: every ink run grown by the span, with runs of a row
// that then meet merged into one segment.
template <typename Fn>
void forEachGrownRun(const InkedBitmap& bitmap, const RingSpan& span, Fn&& fn) {
    const auto& runs = bitmap.runs;
    std::size_t i = 0;
    while (i < runs.size()) {
        const int32_t row = runs[i].row;
        int64_t first = bitmap.x + runs[i].first + span.dxFirst;
        int64_t last = bitmap.x + runs[i].last + span.dxLast;
        for (++i; i < runs.size() && runs[i].row == row && bitmap.x + runs[i].first + span.dxFirst <= last + 1; ++i)
            last = std::max(last, bitmap.x + runs[i].last + span.dxLast);
        fn(bitmap.y + row + span.dy, first, last);
    }
}

}  // namespace

void RingPlate::clear() {
    paints_.clear();
    runs_.clear();
    bounds_ = {};
    frameWidth_ = frameHeight_ = 0;
}

uint16_t RingPlate::paintIdOf(const RingPaint& ring) {
    // Opaque paints ignore the weight, so they are told apart by colour alone.
    const auto same = [&](const Paint& p) {
        return p.colour == ring.colour && p.opaque == ring.opaque && (ring.opaque || p.weight == ring.weight);
    };
    if (!paints_.empty() && same(paints_.back())) return uint16_t(paints_.size() - 1);
    for (std::size_t i = 0; i < paints_.size(); ++i)
        if (same(paints_[i])) return uint16_t(i);
    Paint& paint = paints_.emplace_back();
    paint.colour = ring.colour;
    paint.weight = ring.weight;
    paint.opaque = ring.opaque;
    const std::array<uint8_t, 3> channels = {ring.colour.blue, ring.colour.green, ring.colour.red};
    for (std::size_t ch = 0; ch < 3; ++ch)
        for (int32_t background = 0; background < 256; ++background)
            paint.blend[ch][std::size_t(background)] = blendChannel(channels[ch], ring.weight, background);
    return uint16_t(paints_.size() - 1);
}

void RingPlate::build(const RowLayout& layout, const BorderSettings& border, int32_t frameWidth,
                      int32_t frameHeight) {
    clear();
    frameWidth_ = frameWidth;
    frameHeight_ = frameHeight;
    if (!drawsRings(border) || frameWidth <= 0 || frameHeight <= 0) return;

    // The ink runs of every bitmap once, however many rings draw it.
    std::array<std::vector<CellInk>, 4> inks;
    for (int k = 0; k < 4; ++k)
        for (const GlyphCell& cell : layout.cells[std::size_t(k)]) {
            CellInk& bitmaps = inks[std::size_t(k)].emplace_back();
            forEachCellBitmap(cell, [&](const PlacedBitmap& placed) {
                bitmaps.emplace_back(placed);
            });
        }

    // The working area: the ink of every bitmap grown by the reach of its rings, within the frame.
    Area area;
    forEachCellRing(layout, border, [&](int32_t ring, int k, std::size_t i, const GlyphCell&, const RingPaint&) {
        const Area reach = reachOf(border.type, ring);
        for (const InkedBitmap& bitmap : inks[std::size_t(k)][i])
            if (!bitmap.ink.empty())
                area.include(bitmap.ink.left + reach.left, bitmap.ink.top + reach.top, bitmap.ink.right + reach.right,
                             bitmap.ink.bottom + reach.bottom);
    });
    area.clip(frameWidth, frameHeight);
    if (area.empty()) return;
    const int64_t areaWidth = area.right - area.left + 1;
    const int64_t areaHeight = area.bottom - area.top + 1;
    stamps_.assign(std::size_t(areaWidth * areaHeight), 0);

    // Stamp each ring write in drawing order; a later write replaces an earlier one.
    forEachCellRing(layout, border, [&](int32_t ring, int k, std::size_t i, const GlyphCell&, const RingPaint& paint) {
        const uint16_t id = uint16_t(paintIdOf(paint) + 1);
        for (const RingSpan& span : ringSpans(border.type, ring))
            for (const InkedBitmap& bitmap : inks[std::size_t(k)][i])
                forEachGrownRun(bitmap, span, [&](int64_t y, int64_t first, int64_t last) {
                    if (y < area.top || y > area.bottom) return;
                    first = std::max(first, area.left);
                    last = std::min(last, area.right);
                    if (first > last) return;
                    uint16_t* row = stamps_.data() + (y - area.top) * areaWidth;
                    std::fill(row + (first - area.left), row + (last - area.left) + 1, id);
                });
    });

    // Runs of equal stamps, row by row, and the bounds of what they cover.
    Area touched;
    for (int64_t r = 0; r < areaHeight; ++r) {
        const uint16_t* row = stamps_.data() + r * areaWidth;
        int64_t c = 0;
        while (c < areaWidth) {
            const uint16_t id = row[c];
            const int64_t first = c;
            while (c < areaWidth && row[c] == id) ++c;
            if (id == 0) continue;
            const int64_t x = area.left + first, y = area.top + r;
            runs_.push_back({int32_t(y), int32_t(x), int32_t(c - first), uint16_t(id - 1)});
            touched.include(x, y, area.left + c - 1, y);
        }
    }
    if (!touched.empty())
        bounds_ = {int32_t(touched.left - 1), int32_t(touched.top - 1), int32_t(touched.right),
                   int32_t(touched.bottom)};
    stamps_.clear();
}

void RingPlate::apply(FrameBuffer& frame, const FrameBuffer& snapshot) const {
    if (runs_.empty() || !drawableFrame(frame)) return;
    const bool canBlend = snapshotFits(frame, snapshot);
    const int32_t bpp = frame.bytesPerPixel;
    for (const Run& run : runs_) {
        if (run.y > frame.height || run.x > frame.width) continue;
        const Paint& paint = paints_[run.paint];
        if (!paint.opaque && !canBlend) continue;
        const int32_t length = std::min(run.length, frame.width - run.x + 1);
        uint8_t* p = frame.pixel(run.x, run.y);
        if (paint.opaque) {
            for (int32_t i = 0; i < length; ++i, p += bpp) writePixel(p, paint.colour);
            continue;
        }
        const uint8_t* s = snapshot.pixel(run.x, run.y);
        const int32_t sbpp = snapshot.bytesPerPixel;
        for (int32_t i = 0; i < length; ++i, p += bpp, s += sbpp) {
            p[0] = paint.blend[0][s[0]];
            p[1] = paint.blend[1][s[1]];
            p[2] = paint.blend[2][s[2]];
        }
    }
}

}  // namespace qucap
