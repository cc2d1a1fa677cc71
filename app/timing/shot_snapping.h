#pragma once
// Times snapped to the picture's cuts by the delivery rules of streaming
// services. A cut is the first frame of a new shot; the counts are frames.
#include <cstdint>
#include <optional>
#include <vector>

#include "app/core/timeline/timeline_tab.h"
#include "app/timing/frame_clock.h"

namespace qucap {

struct SnapRules {
    int64_t startAfter = 12;  // a start up to this many frames after a cut goes onto it
    int64_t startOnto = 7;    // a start 1 to this many frames before a cut goes onto it
    int64_t startAhead = 12;  // one further away, but nearer than this, goes this far before it
    int64_t endBefore = 12;   // an end within this many frames before a cut
    int64_t endGap = 2;       // ends this many frames before it
};

// The first frame of the row after snapping (`cuts` ascending).
int64_t snapStartFrame(int64_t first, const std::vector<int64_t>& cuts, const SnapRules& rules);
// The last frame of the row after snapping; never before `first`, the row's first frame.
int64_t snapEndFrame(int64_t last, int64_t first, const std::vector<int64_t>& cuts, const SnapRules& rules);

// The same on caption times (milliseconds, whole centiseconds); the time
// itself when no rule moves it.
int64_t snapStartTime(int64_t start, const std::vector<int64_t>& cuts, const FrameClock& clock,
                      const SnapRules& rules);
int64_t snapEndTime(int64_t end, int64_t start, const std::vector<int64_t>& cuts, const FrameClock& clock,
                    const SnapRules& rules);

// The timeline tab's snapper over a movie's cuts.
class CutSnapper final : public TimeSnapper {
public:
    CutSnapper(std::vector<int64_t> cuts, const FrameClock& clock, const SnapRules& rules = {})
        : cuts_(std::move(cuts)), clock_(clock), rules_(rules) {}
    int32_t start(int32_t start) const override { return int32_t(snapStartTime(start, cuts_, clock_, rules_)); }
    int32_t end(int32_t end, int32_t start) const override {
        return int32_t(snapEndTime(end, start, cuts_, clock_, rules_));
    }

private:
    std::vector<int64_t> cuts_;
    FrameClock clock_;
    SnapRules rules_;
};

}  // namespace qucap
