#include "app/media/sample_grabber.h"

namespace qucap {

HRESULT addVideoSampleGrabber(FilterGraph& graph, ComPtr<IBaseFilter>& filter, ComPtr<ISampleGrabber>& grabber) {
    HRESULT result = graph.addNewFilter(kClsidSampleGrabber, kSampleGrabberName, filter);
    if (SUCCEEDED(result)) result = filter.query(__uuidof(ISampleGrabber), grabber);
    if (FAILED(result)) return result;
    AM_MEDIA_TYPE accepted{};
    accepted.majortype = MEDIATYPE_Video;
    return grabber->SetMediaType(&accepted);
}

}  // namespace qucap
