#pragma once
// Frames and caption times. A frame's time is its start in whole
// milliseconds, as the caption filter reads it; a row is shown on every frame
// whose time lies from its start to its end, both included. Caption times
// are whole centiseconds.
#include <cstdint>

namespace qucap {

struct FrameClock {
    int64_t frameDuration = 0;  // 100-nanosecond units, above 0

    // The time of the frame, in milliseconds.
    int64_t msOf(int64_t frame) const { return frame * frameDuration / 10'000; }
    // The first frame whose time is at or after `ms`.
    int64_t firstFrameFrom(int64_t ms) const;
    // The last frame whose time is at or before `ms` (-1 before frame 0).
    int64_t lastFrameTo(int64_t ms) const;
    // The start (whole centiseconds) whose first frame is `frame`.
    int64_t startAt(int64_t frame) const;
    // The end (whole centiseconds) whose last frame is `frame`.
    int64_t endAt(int64_t frame) const;
};

}  // namespace qucap
