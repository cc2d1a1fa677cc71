#include "app/core/preview/preview_position.h"

#include <algorithm>
#include <limits>

namespace qucap {
namespace {

constexpr int64_t kUnitsPerMillisecond = 10'000;

// a × b for a, b ≥ 0, held at the largest position instead of overflowing
// on movie facts that do not fit together.
int64_t productOrLargest(int64_t a, int64_t b) {
    int64_t product = 0;
    if (__builtin_mul_overflow(a, b, &product)) return std::numeric_limits<int64_t>::max();
    return product;
}

int64_t frameAt(const MediaFacts& facts, int64_t position, bool seekable) {
    if (!seekable || facts.frameDuration <= 0 || facts.totalFrames <= 0) return 1;
    const int64_t framesBefore = std::max<int64_t>(position, 0) / facts.frameDuration;
    return std::min(framesBefore, facts.totalFrames - 1) + 1;
}

}  // namespace

PreviewPosition::PreviewPosition(const MediaFacts& facts, int64_t position, bool seekable)
    : facts_(facts), frame_(frameAt(facts, position, seekable)) {}

int64_t PreviewPosition::currentTimeMs() const { return startOfFrame(frame_ - 1) / kUnitsPerMillisecond; }

int PreviewPosition::scrollPosition() const {
    if (facts_.totalFrames <= 0) return 0;
    const int64_t value = productOrLargest(frame_, 100) / facts_.totalFrames;
    return int(std::clamp<int64_t>(value, 0, kLastScrollPosition));
}

int64_t PreviewPosition::startOfFrame(int64_t frameIndex) const {
    if (frameIndex <= 0 || facts_.frameDuration <= 0) return 0;
    return productOrLargest(frameIndex, facts_.frameDuration);
}

int64_t PreviewPosition::notPastTheEnd(int64_t position) const {
    return std::min(position, std::max<int64_t>(facts_.duration, 0));
}

int64_t PreviewPosition::seekToStart() const { return facts_.earliestPosition; }

int64_t PreviewPosition::seekToPercent(int percent) const {
    if (percent <= 0) return seekToStart();
    const int64_t frames = std::max<int64_t>(facts_.totalFrames, 0);
    return startOfFrame(productOrLargest(std::min(percent, kLastScrollPosition), frames) / 100);
}

int64_t PreviewPosition::stepBack() const { return startOfFrame(frame_ - 2); }

int64_t PreviewPosition::stepForward() const { return notPastTheEnd(startOfFrame(frame_)); }

int64_t PreviewPosition::pageBack() const { return startOfFrame(frame_ - framesPerPage() - 1); }

int64_t PreviewPosition::pageForward() const {
    return notPastTheEnd(startOfFrame(frame_ + framesPerPage() - 1));
}

int64_t pendingSeekTarget(int64_t currentTimeMs, int rewindSeconds) {
    const int64_t start = currentTimeMs - int64_t(rewindSeconds) * 1'000;
    return start <= 0 ? kUnitsPerMillisecond : productOrLargest(start, kUnitsPerMillisecond);
}

}  // namespace qucap
