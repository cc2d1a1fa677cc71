#include "app/media/sample_grabber.h"

namespace qucap {

HRESULT addSampleGrabber(FilterGraph& graph, const AM_MEDIA_TYPE& accepted, ComPtr<IBaseFilter>& filter,
                         ComPtr<ISampleGrabber>& grabber) {
    HRESULT result = graph.addNewFilter(kClsidSampleGrabber, kSampleGrabberName, filter);
    if (SUCCEEDED(result)) result = filter.query(__uuidof(ISampleGrabber), grabber);
    if (FAILED(result)) return result;
    AM_MEDIA_TYPE type = accepted;
    return grabber->SetMediaType(&type);
}

HRESULT addVideoSampleGrabber(FilterGraph& graph, ComPtr<IBaseFilter>& filter, ComPtr<ISampleGrabber>& grabber,
                              const GUID& subtype) {
    AM_MEDIA_TYPE accepted{};
    accepted.majortype = MEDIATYPE_Video;
    accepted.subtype = subtype;
    return addSampleGrabber(graph, accepted, filter, grabber);
}

HRESULT STDMETHODCALLTYPE GrabberCallback::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == __uuidof(ISampleGrabberCB)) {
        *object = static_cast<ISampleGrabberCB*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE GrabberCallback::Release() {
    const long left = --references_;
    if (left == 0) delete this;
    return ULONG(left);
}

}  // namespace qucap
