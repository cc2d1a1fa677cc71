#pragma once
// The system's Sample Grabber in a graph, and the base of the callbacks it
// calls on the streaming thread.
#include <atomic>

#include "app/media/filter_graph.h"

namespace qucap {

// Creates a Sample Grabber, adds it as "Sample Grabber" and has it accept
// the media type (GUID_NULL parts accept any).
HRESULT addSampleGrabber(FilterGraph& graph, const AM_MEDIA_TYPE& accepted, ComPtr<IBaseFilter>& filter,
                         ComPtr<ISampleGrabber>& grabber);

// ... video of `subtype`, or any video (callers check the type once connected).
HRESULT addVideoSampleGrabber(FilterGraph& graph, ComPtr<IBaseFilter>& filter, ComPtr<ISampleGrabber>& grabber,
                              const GUID& subtype = GUID_NULL);

// A grabber callback's COM part; the sample callback is the subclass's.
class GrabberCallback : public ISampleGrabberCB {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(++references_); }
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE BufferCB(double, BYTE*, long) override { return E_NOTIMPL; }

protected:
    virtual ~GrabberCallback() = default;

private:
    std::atomic<long> references_{1};
};

}  // namespace qucap
