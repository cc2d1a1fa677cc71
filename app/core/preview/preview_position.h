#pragma once
// Offers: where the preview stands in the movie (current frame, time and
// position-bar value, worked out from a position in 100-ns units) and the
// absolute positions the transport commands seek to.
#include <cstdint>

#include "app/core/media/media_facts.h"

namespace qucap {

// The position bar runs from 0 to kLastScrollPosition.
inline constexpr int kLastScrollPosition = 99;

class PreviewPosition {
public:
    // `seekable` is false when the graph offers no seeking; the preview then
    // stands at frame 1 whatever the position says.
    PreviewPosition(const MediaFacts& facts, int64_t position, bool seekable = true);

    const MediaFacts& facts() const { return facts_; }

    // 1-based: position ÷ frame duration + 1, at most the total frame count.
    // A movie without a frame duration or without frames stays at frame 1.
    int64_t currentFrame() const { return frame_; }
    // The start of the current frame in milliseconds.
    int64_t currentTimeMs() const;
    // current frame × 100 ÷ total frames, kept within the bar's range; 0
    // for a movie without frames.
    int scrollPosition() const;

    // Seek targets, absolute positions in 100-ns units.
    int64_t seekToStart() const;                  // the earliest available position
    int64_t seekToPercent(int percent) const;     // 0 (or less) is seekToStart; at most 99
    int64_t stepBack() const;                     // one frame back, not below 0
    int64_t stepForward() const;                  // one frame on, not past the duration
    int64_t pageBack() const;                     // a hundredth of the movie back, not below 0
    int64_t pageForward() const;                  // a hundredth on, not past the duration

private:
    // The start of the frame with the 0-based index, 0 for a negative index.
    int64_t startOfFrame(int64_t frameIndex) const;
    int64_t notPastTheEnd(int64_t position) const;
    int64_t framesPerPage() const { return facts_.totalFrames / 100; }

    MediaFacts facts_;
    int64_t frame_ = 1;
};

// Where a new preview thread seeks first: the rewind seconds before the
// current time, at least 1 ms, in 100-ns units. A resumed preview replays
// the last moments before the pause; one after a rebuild starts at 1 ms.
int64_t pendingSeekTarget(int64_t currentTimeMs, int rewindSeconds);

}  // namespace qucap
