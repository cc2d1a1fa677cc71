#include "dshowbase/allocated_sample.h"

#include "dshowbase/media_type.h"
#include "dshowbase/memory_allocator.h"

namespace qucap {

CAllocatedSample::CAllocatedSample(CMemAllocator& allocator, BYTE* buffer, LONG size)
    : allocator_(allocator), buffer_(buffer), size_(size) {}

CAllocatedSample::~CAllocatedSample() { clearType(); }

void CAllocatedSample::clearType() {
    if (type_) DeleteMediaType(type_);
    type_ = nullptr;
}

void CAllocatedSample::handOut() {
    actual_ = size_;
    timeValid_ = stopValid_ = mediaTimeValid_ = false;
    syncPoint_ = preroll_ = discontinuity_ = false;
    clearType();
    references_ = 1;
}

STDMETHODIMP CAllocatedSample::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IMediaSample) {
        *object = static_cast<IMediaSample*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CAllocatedSample::AddRef() { return ++references_; }

STDMETHODIMP_(ULONG) CAllocatedSample::Release() {
    const ULONG left = --references_;
    if (left == 0) allocator_.returned(this);
    return left;
}

STDMETHODIMP CAllocatedSample::GetPointer(BYTE** buffer) {
    if (!buffer) return E_POINTER;
    *buffer = buffer_;
    return S_OK;
}

STDMETHODIMP_(LONG) CAllocatedSample::GetSize() { return size_; }

STDMETHODIMP CAllocatedSample::GetTime(REFERENCE_TIME* start, REFERENCE_TIME* stop) {
    if (!start || !stop) return E_POINTER;
    if (!timeValid_) return VFW_E_SAMPLE_TIME_NOT_SET;
    *start = start_;
    if (!stopValid_) {
        *stop = start_ + 1;
        return VFW_S_NO_STOP_TIME;
    }
    *stop = stop_;
    return S_OK;
}

STDMETHODIMP CAllocatedSample::SetTime(REFERENCE_TIME* start, REFERENCE_TIME* stop) {
    timeValid_ = start != nullptr;
    stopValid_ = timeValid_ && stop != nullptr;
    if (timeValid_) start_ = *start;
    if (stopValid_) stop_ = *stop;
    return S_OK;
}

STDMETHODIMP CAllocatedSample::IsSyncPoint() { return syncPoint_ ? S_OK : S_FALSE; }

STDMETHODIMP CAllocatedSample::SetSyncPoint(BOOL syncPoint) {
    syncPoint_ = syncPoint != FALSE;
    return S_OK;
}

STDMETHODIMP CAllocatedSample::IsPreroll() { return preroll_ ? S_OK : S_FALSE; }

STDMETHODIMP CAllocatedSample::SetPreroll(BOOL preroll) {
    preroll_ = preroll != FALSE;
    return S_OK;
}

STDMETHODIMP_(LONG) CAllocatedSample::GetActualDataLength() { return actual_; }

STDMETHODIMP CAllocatedSample::SetActualDataLength(LONG length) {
    if (length < 0 || length > size_) return VFW_E_BUFFER_OVERFLOW;
    actual_ = length;
    return S_OK;
}

STDMETHODIMP CAllocatedSample::GetMediaType(AM_MEDIA_TYPE** type) {
    if (!type) return E_POINTER;
    *type = nullptr;
    if (!type_) return S_FALSE;
    *type = CreateMediaType(type_);
    return *type ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP CAllocatedSample::SetMediaType(AM_MEDIA_TYPE* type) {
    clearType();
    if (!type) return S_OK;
    type_ = CreateMediaType(type);
    return type_ ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP CAllocatedSample::IsDiscontinuity() { return discontinuity_ ? S_OK : S_FALSE; }

STDMETHODIMP CAllocatedSample::SetDiscontinuity(BOOL discontinuity) {
    discontinuity_ = discontinuity != FALSE;
    return S_OK;
}

STDMETHODIMP CAllocatedSample::GetMediaTime(LONGLONG* start, LONGLONG* stop) {
    if (!start || !stop) return E_POINTER;
    if (!mediaTimeValid_) return VFW_E_MEDIA_TIME_NOT_SET;
    *start = mediaStart_;
    *stop = mediaStop_;
    return S_OK;
}

STDMETHODIMP CAllocatedSample::SetMediaTime(LONGLONG* start, LONGLONG* stop) {
    mediaTimeValid_ = start != nullptr && stop != nullptr;
    if (mediaTimeValid_) {
        mediaStart_ = *start;
        mediaStop_ = *stop;
    }
    return S_OK;
}

}  // namespace qucap
