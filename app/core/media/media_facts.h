#pragma once
// Offers: the frame arithmetic of a movie (frame duration from the average
// time per frame, total frame count) and the record of media facts that the
// plain preview graph reads and the preview and synthesis use.
#include <cstdint>

namespace qucap {

// What the plain preview graph learns of the input movie.
struct MediaFacts {
    int64_t duration = 0;        // 100-ns units
    int64_t frameDuration = 0;   // 100-ns units
    int64_t totalFrames = 0;
    int64_t earliestPosition = 0;  // where a rewind to the start seeks to
    int32_t width = 0;           // pixels
    int32_t height = 0;          // pixels
};

// Average time per frame in seconds × 10,000,000, truncated toward zero.
// A negative, zero, not-a-number or out-of-range time gives 0.
int64_t frameDurationOf(double averageTimePerFrameSeconds);

// Duration ÷ frame duration, rounded up. A frame duration of 0 or less
// (a movie whose frame rate could not be read) gives 0 frames rather than a
// division by zero; a negative duration gives 0 too.
int64_t totalFrameCount(int64_t duration, int64_t frameDuration);

// Fills frameDuration and totalFrames of `facts` from its duration and the
// given average time per frame.
void setFrameFacts(MediaFacts& facts, double averageTimePerFrameSeconds);

}  // namespace qucap
