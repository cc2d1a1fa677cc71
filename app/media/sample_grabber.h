#pragma once
// The system's Sample Grabber in a graph.
#include "app/media/filter_graph.h"

namespace qucap {

// Creates a Sample Grabber, adds it as "Sample Grabber" and has it accept
// any video type (callers check the type once connected).
HRESULT addVideoSampleGrabber(FilterGraph& graph, ComPtr<IBaseFilter>& filter, ComPtr<ISampleGrabber>& grabber);

}  // namespace qucap
