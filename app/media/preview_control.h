#pragma once
// The graph side of the preview: running, pausing and stopping the graph as
// the preview polls them, its current position, and the video window placed
// in a host's video area.
#include <windows.h>

#include <cstdint>

#include "app/core/preview/preview_layout.h"
#include "app/media/filter_graph.h"

namespace qucap {

HRESULT runGraph(FilterGraph& graph);
// Pauses; while the change is in progress the state is polled in 10-ms
// rounds until the graph is paused, cannot cue, or fails.
void pauseGraph(FilterGraph& graph);
// Stops; while stop is still in progress one pending window message of this
// thread is dispatched between the tries (a worker may be waiting on this
// thread's windows), then the state is polled until stopped.
void stopGraph(FilterGraph& graph);
// Running, or still changing state (10-ms query).
bool graphRunning(FilterGraph& graph);
// Seeks to `position` (100-ns units, the stop position unchanged). Under
// Wine a graph that is not stopped is stopped around the seek and brought
// back to its state: Wine's GStreamer splitter with a sound renderer behind
// it never finishes a later stop once a paused or running graph was sought.
HRESULT repositionGraph(FilterGraph& graph, int64_t position);
// Whether the program runs under Wine rather than Windows.
bool runningUnderWine();

// The current position in 100-ns units; 0 when the graph cannot tell.
int64_t currentPosition(FilterGraph& graph);

// Puts the video window into `area` (the framed static of the host): owned
// by it, a child that clips its siblings and children, the full height,
// the video's width-to-height ratio, centred across. -1 when the graph has
// no video window or it cannot be placed.
int placeVideoWindow(FilterGraph& graph, HWND area, ClientSize video);
// Hides the video window and takes it from its owner.
void detachVideoWindow(FilterGraph& graph);

}  // namespace qucap
