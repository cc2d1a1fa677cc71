#include "app/core/media/media_facts.h"

#include <cmath>
#include <limits>

namespace qucap {

int64_t frameDurationOf(double averageTimePerFrameSeconds) {
    const double units = averageTimePerFrameSeconds * 10'000'000.0;
    // Converting a value beyond int64 is undefined; such a time is no frame rate.
    if (!std::isfinite(units) || units <= 0.0 || units >= 9.2e18) return 0;
    return int64_t(units);
}

int64_t totalFrameCount(int64_t duration, int64_t frameDuration) {
    if (frameDuration <= 0 || duration <= 0) return 0;
    const int64_t whole = duration / frameDuration;
    return whole * frameDuration < duration ? whole + 1 : whole;
}

void setFrameFacts(MediaFacts& facts, double averageTimePerFrameSeconds) {
    facts.frameDuration = frameDurationOf(averageTimePerFrameSeconds);
    facts.totalFrames = totalFrameCount(facts.duration, facts.frameDuration);
}

}  // namespace qucap
