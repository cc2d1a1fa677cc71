#include "app/media/still_graph.h"

#include "app/media/message_wait.h"
#include "app/media/movie_source.h"

namespace qucap {

StillGraph::~StillGraph() {
    if (graph_.control()) graph_.stop();
}

StillBuild StillGraph::fail(StillBuild step, HRESULT result) {
    lastResult_ = result;
    return step;
}

StillBuild StillGraph::build(std::u16string_view moviePath, std::u16string_view programFolder) {
    return build(moviePath, captionFilterMaker(programFolder));
}

StillBuild StillGraph::build(std::u16string_view moviePath, const FilterMaker& makeCaptionFilter) {
    if (graph_.createGraph() != 0) return fail(StillBuild::NoGraph, E_FAIL);
    ComPtr<IBaseFilter> captionFilter;
    HRESULT result = addCaptionFilter(graph_, makeCaptionFilter, captionFilter);
    if (FAILED(result)) return fail(StillBuild::NoCaptionFilter, result);
    ComPtr<IBaseFilter> source;
    result = graph_.addSourceFilter(moviePath, source);
    if (FAILED(result)) return fail(StillBuild::NoSource, result);
    result = connectMovieTo(graph_, source.get(), captionFilter.get());
    if (FAILED(result)) return fail(StillBuild::NoConnection, result);
    result = grabber_.addTo(graph_);
    if (SUCCEEDED(result)) result = grabber_.connectFrom(graph_, captionFilter.get());
    if (FAILED(result)) return fail(StillBuild::NoGrabber, result);
    // The graph runs without a clock when a pause brings no frame; the clock
    // goes now, while nothing moves.
    result = graph_.removeClock();
    if (FAILED(result)) return fail(StillBuild::NoGraph, result);
    lastResult_ = S_OK;
    return StillBuild::Built;
}

std::optional<int64_t> StillGraph::duration() const {
    int64_t value = 0;
    if (FAILED(graph_.duration(value))) return std::nullopt;
    return value;
}

HRESULT StillGraph::seekTo(int64_t position) { return graph_.seekTo(position); }

std::optional<StillGrab> StillGraph::endingReported() {
    long code = 0;
    LONG_PTR first = 0, second = 0;
    std::optional<StillGrab> ending;
    while (graph_.events()->GetEvent(&code, &first, &second, 0) == S_OK) {
        if (code == EC_COMPLETE) ending = StillGrab::StreamEnded;
        if (code == EC_ERRORABORT || code == EC_USERABORT || code == EC_STREAM_ERROR_STOPPED)
            ending = StillGrab::GraphFailed;
        graph_.events()->FreeEventParams(code, first, second);
    }
    return ending;
}

StillGrab StillGraph::grab(DWORD timeoutMs) {
    if (!graph_.control()) return StillGrab::GraphFailed;
    grabber_.rearm();
    OAEVENT eventHandle = 0;
    if (FAILED(graph_.events()->GetEventHandle(&eventHandle))) return StillGrab::GraphFailed;
    const HANDLE graphEvents = reinterpret_cast<HANDLE>(eventHandle);

    // A paused graph shows the frame at the position; a source that cannot
    // cue only delivers it once the graph runs.
    if (FAILED(graph_.control()->Pause())) return StillGrab::GraphFailed;
    constexpr DWORD kSliceMs = 20;
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    bool running = false;
    std::optional<StillGrab> ending;
    while (!ending) {
        const int woken = waitDispatching({grabber_.pictureKept(), graphEvents}, kSliceMs);
        if (woken == 0) {
            ending = StillGrab::Kept;
        } else if (woken == 1) {
            ending = endingReported();
        } else if (!running) {
            OAFilterState state = State_Stopped;
            const HRESULT result = graph_.control()->GetState(0, &state);
            if (FAILED(result)) {
                ending = StillGrab::GraphFailed;
            } else if ((result == S_OK && state == State_Paused) || result == VFW_S_CANT_CUE) {
                running = true;
                if (FAILED(graph_.run())) ending = StillGrab::GraphFailed;
            }
        }
        if (!ending && GetTickCount64() >= deadline) ending = StillGrab::TimedOut;
    }
    // A frame kept just as the stream ended or failed still counts.
    if (WaitForSingleObject(grabber_.pictureKept(), 0) == WAIT_OBJECT_0) ending = StillGrab::Kept;
    graph_.stop();
    return *ending;
}

}  // namespace qucap
