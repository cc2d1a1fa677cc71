#include "app/timing/frame_clock.h"

namespace qucap {
namespace {

int64_t ceilDiv(int64_t a, int64_t b) { return a >= 0 ? (a + b - 1) / b : -((-a) / b); }
int64_t floorDiv(int64_t a, int64_t b) { return a >= 0 ? a / b : -ceilDiv(-a, b); }

}  // namespace

int64_t FrameClock::firstFrameFrom(int64_t ms) const { return ceilDiv(ms * 10'000, frameDuration); }

int64_t FrameClock::lastFrameTo(int64_t ms) const { return floorDiv((ms + 1) * 10'000 - 1, frameDuration); }

// Frames at most 100 per second are at least a centisecond apart, so the
// centisecond at or before a frame's time still comes after the frame before.
int64_t FrameClock::startAt(int64_t frame) const { return floorDiv(msOf(frame), 10) * 10; }

// The last centisecond before the next frame's time.
int64_t FrameClock::endAt(int64_t frame) const { return floorDiv(msOf(frame + 1) - 1, 10) * 10; }

}  // namespace qucap
