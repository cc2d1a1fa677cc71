#pragma once
// What a new project needs to know of its input movie before any preview:
// the frame duration and the picture size (and the movie's duration, for
// the size of a synthesis).
#include <cstdint>
#include <optional>
#include <string_view>

namespace qucap {

struct MovieFacts {
    int64_t frameDuration = 0;  // 100-ns units
    int32_t width = 0;
    int32_t height = 0;  // pixels, positive
    int64_t duration = 0;  // 100-ns units; 0 when the graph cannot tell
};

// Reads them from the video type the movie's splitter offers, in a graph of
// its own that is never run. COM must be ready on the calling thread.
// Nothing when the movie cannot be opened, has no video, or its type gives
// no frame duration or size.
std::optional<MovieFacts> readMovieFacts(std::u16string_view moviePath);

}  // namespace qucap
