#include "app/timing/timing_strip.h"

#include <algorithm>

#include "app/timing/frame_clock.h"

namespace qucap {

int StripView::xOf(int64_t ms) const {
    const int64_t offset = ms - firstMs();
    // Rounded down also before the strip, so a time just left of it is column -1.
    const int64_t x = offset >= 0 ? offset * width / spanMs : -((-offset * width + spanMs - 1) / spanMs);
    return int(std::clamp<int64_t>(x, -1, width));
}

int64_t zoomedSpan(int64_t spanMs, int steps) {
    for (; steps > 0; --steps) spanMs = spanMs * 2 / 3;
    for (; steps < 0; ++steps) spanMs = spanMs * 3 / 2;
    return std::clamp(spanMs, kStripSpanLeastMs, kStripSpanMostMs);
}

StripPicture stripPicture(const StripView& view, const PeakTable* peaks, const std::vector<int64_t>& cuts,
                          int64_t frameDuration, const CaptionTable& captions) {
    StripPicture picture;
    const int64_t lastMs = view.msAt(view.width);
    if (peaks && !peaks->empty()) {
        const std::vector<uint16_t>& coarsest = peaks->level(PeakTable::kLevels - 1);
        picture.loudest = *std::max_element(coarsest.begin(), coarsest.end());
        picture.loudness.resize(std::size_t(view.width));
        const int64_t resolution = std::max<int64_t>(1, view.spanMs / view.width);
        for (int x = 0; x < view.width; ++x)
            picture.loudness[std::size_t(x)] = peaks->peakOver(view.msAt(x), view.msAt(x + 1), resolution);
    }
    if (frameDuration > 0) {
        const FrameClock clock{frameDuration};
        const auto first = std::lower_bound(cuts.begin(), cuts.end(), clock.firstFrameFrom(view.firstMs()));
        for (auto cut = first; cut != cuts.end() && clock.msOf(*cut) < lastMs; ++cut)
            picture.cuts.push_back(view.xOf(clock.msOf(*cut)));
    }
    for (const CaptionRow& row : captions) {
        const bool timed = row.start > 0 || row.duration > 0;
        if (!row.isCaption() || !timed || row.end() < view.firstMs() || row.start >= lastMs) continue;
        picture.rows.push_back(
            {row.number, std::max(0, view.xOf(row.start)), std::min(view.width, view.xOf(row.end()) + 1)});
    }
    picture.playhead = view.xOf(view.centreMs);
    return picture;
}

}  // namespace qucap
