#include "app/timing/shot_snapping.h"

#include <algorithm>

namespace qucap {
namespace {

// The last cut at or before `frame` and the first cut after it.
struct NearCuts {
    std::optional<int64_t> before, after;
};

NearCuts nearCuts(int64_t frame, const std::vector<int64_t>& cuts) {
    const auto next = std::upper_bound(cuts.begin(), cuts.end(), frame);
    NearCuts near;
    if (next != cuts.end()) near.after = *next;
    if (next != cuts.begin()) near.before = *(next - 1);
    return near;
}

}  // namespace

int64_t snapStartFrame(int64_t first, const std::vector<int64_t>& cuts, const SnapRules& rules) {
    const NearCuts near = nearCuts(first, cuts);
    const std::optional<int64_t> after = near.before && first - *near.before <= rules.startAfter
                                             ? std::optional(first - *near.before)
                                             : std::nullopt;
    if (near.after) {
        const int64_t ahead = *near.after - first;
        // Onto the cut ahead, unless the cut behind is nearer.
        if (ahead <= rules.startOnto && (!after || ahead < *after)) return *near.after;
        if (!after && ahead < rules.startAhead) return *near.after - rules.startAhead;
    }
    return after ? *near.before : first;
}

int64_t snapEndFrame(int64_t last, int64_t first, const std::vector<int64_t>& cuts, const SnapRules& rules) {
    // The cut at or after the first frame without the row.
    const auto next = std::lower_bound(cuts.begin(), cuts.end(), last + 1);
    if (next == cuts.end() || *next - (last + 1) > rules.endBefore) return last;
    return std::max(first, *next - rules.endGap - 1);
}

int64_t snapStartTime(int64_t start, const std::vector<int64_t>& cuts, const FrameClock& clock,
                      const SnapRules& rules) {
    const int64_t first = clock.firstFrameFrom(start);
    const int64_t snapped = snapStartFrame(first, cuts, rules);
    return snapped == first || snapped < 0 ? start : clock.startAt(snapped);
}

int64_t snapEndTime(int64_t end, int64_t start, const std::vector<int64_t>& cuts, const FrameClock& clock,
                    const SnapRules& rules) {
    const int64_t last = clock.lastFrameTo(end);
    const int64_t snapped = snapEndFrame(last, clock.firstFrameFrom(start), cuts, rules);
    return snapped == last ? end : std::max(start, clock.endAt(snapped));
}

}  // namespace qucap
