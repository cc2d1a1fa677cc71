#pragma once
// A graph that gives one captioned frame of a movie: the movie's source, the
// caption filter, and a frame grabber where the preview has its renderer.
#include <cstdint>
#include <optional>
#include <string_view>

#include "app/media/caption_filter.h"
#include "app/media/filter_graph.h"
#include "app/media/frame_grabber.h"

namespace qucap {

// Where building the graph stopped.
enum class StillBuild {
    Built,
    NoGraph,           // the graph manager or one of its interfaces is missing
    NoCaptionFilter,   // the caption filter cannot be created
    NoSource,          // the movie cannot be added as a source
    NoConnection,      // no way from the source to the caption filter
    NoGrabber,         // the grabber cannot be added, or takes no RGB picture from the filter
};

// How a grab ended.
enum class StillGrab {
    Kept,         // the frame at the position is kept
    StreamEnded,  // the movie ended before such a frame came
    GraphFailed,  // the graph could not pause or run, or reported an error
    TimedOut,     // no frame within the time allowed
};

class StillGraph {
public:
    StillGraph() = default;
    ~StillGraph();
    StillGraph(const StillGraph&) = delete;
    StillGraph& operator=(const StillGraph&) = delete;

    // As the captioned preview's graph: the graph, the caption filter added
    // first (it creates the shared control block), the movie as source,
    // connected to the filter; then the grabber behind the filter.
    StillBuild build(std::u16string_view moviePath, std::u16string_view programFolder);
    // The same with another filter in the caption filter's place (tests).
    StillBuild build(std::u16string_view moviePath, const FilterMaker& makeCaptionFilter);
    // The result of the last failed step of build.
    HRESULT lastResult() const { return lastResult_; }

    // The movie's duration in 100-ns units, nothing when the graph cannot tell.
    std::optional<int64_t> duration() const;
    // Absolute seek; the stop position stays.
    HRESULT seekTo(int64_t position);
    // Pauses the graph, and runs it without a clock when the pause brings no
    // frame, until the frame at the position sought to is kept or
    // `timeoutMs` has passed; the graph is stopped again afterwards.
    StillGrab grab(DWORD timeoutMs);
    // The picture kept by the last grab.
    std::optional<RgbPicture> picture() const { return grabber_.keptPicture(); }

private:
    StillBuild fail(StillBuild step, HRESULT result);
    // Events of the graph since the last look: the ending they report, if any.
    std::optional<StillGrab> endingReported();

    FilterGraph graph_;
    FrameGrabber grabber_;
    HRESULT lastResult_ = S_OK;
};

}  // namespace qucap
