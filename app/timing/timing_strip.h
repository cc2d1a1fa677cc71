#pragma once
// What the timeline tab's strip shows around the playhead: the sound's
// loudness a pixel column, the cuts, the rows as spans with their numbers,
// and where a click lands in time. The window paints this picture.
#include <cstdint>
#include <vector>

#include "app/timing/sound_peaks.h"
#include "captiondata/caption/caption_row.h"

namespace qucap {

inline constexpr int64_t kStripSpanMs = 20'000;      // at start
inline constexpr int64_t kStripSpanLeastMs = 2'000;  // zoomed in as far as it goes
inline constexpr int64_t kStripSpanMostMs = 600'000;

// The strip's time span: `centreMs` in its middle, `spanMs` across `width` pixels.
struct StripView {
    int64_t centreMs = 0;
    int64_t spanMs = kStripSpanMs;
    int width = 1;

    int64_t firstMs() const { return centreMs - spanMs / 2; }
    // The time at the left edge of pixel column x, and the column of a time.
    int64_t msAt(int x) const { return firstMs() + int64_t(x) * spanMs / width; }
    int xOf(int64_t ms) const;
};

// The span after `steps` notches of the wheel (positive: in, by 3/2 each).
int64_t zoomedSpan(int64_t spanMs, int steps);

struct StripRow {
    int number = 0;  // 1-based, as the list shows it
    int left = 0, right = 0;  // columns, within the strip
};

struct StripPicture {
    std::vector<uint16_t> loudness;  // a value (0-32768) per column; empty without peaks
    uint16_t loudest = 0;            // of the whole sound: the wave is drawn to its scale
    std::vector<int> cuts;           // columns
    std::vector<StripRow> rows;
    int playhead = 0;
};

// `frameDuration` places the cuts (their frames' times); `captions` is the
// list's caption table, whose times are parsed already.
StripPicture stripPicture(const StripView& view, const PeakTable* peaks, const std::vector<int64_t>& cuts,
                          int64_t frameDuration, const CaptionTable& captions);

}  // namespace qucap
