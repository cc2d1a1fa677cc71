#pragma once
// A media sample of CMemAllocator: a buffer of the allocator's block and the
// sample's times, flags, length and media type. The last Release hands the
// sample back to the allocator, which a sample out keeps alive.
#include <windows.h>
#include <dshow.h>

#include <atomic>

namespace qucap {

class CMemAllocator;

class CAllocatedSample final : public IMediaSample {
public:
    CAllocatedSample(CMemAllocator& allocator, BYTE* buffer, LONG size);
    ~CAllocatedSample();
    CAllocatedSample(const CAllocatedSample&) = delete;
    CAllocatedSample& operator=(const CAllocatedSample&) = delete;

    // Handed out by the allocator: one reference, the properties cleared.
    void handOut();

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP GetPointer(BYTE** buffer) override;
    STDMETHODIMP_(LONG) GetSize() override;
    STDMETHODIMP GetTime(REFERENCE_TIME* start, REFERENCE_TIME* stop) override;
    STDMETHODIMP SetTime(REFERENCE_TIME* start, REFERENCE_TIME* stop) override;
    STDMETHODIMP IsSyncPoint() override;
    STDMETHODIMP SetSyncPoint(BOOL syncPoint) override;
    STDMETHODIMP IsPreroll() override;
    STDMETHODIMP SetPreroll(BOOL preroll) override;
    STDMETHODIMP_(LONG) GetActualDataLength() override;
    STDMETHODIMP SetActualDataLength(LONG length) override;
    STDMETHODIMP GetMediaType(AM_MEDIA_TYPE** type) override;
    STDMETHODIMP SetMediaType(AM_MEDIA_TYPE* type) override;
    STDMETHODIMP IsDiscontinuity() override;
    STDMETHODIMP SetDiscontinuity(BOOL discontinuity) override;
    STDMETHODIMP GetMediaTime(LONGLONG* start, LONGLONG* stop) override;
    STDMETHODIMP SetMediaTime(LONGLONG* start, LONGLONG* stop) override;

private:
    void clearType();

    CMemAllocator& allocator_;
    BYTE* const buffer_;
    const LONG size_;
    std::atomic<ULONG> references_{0};
    LONG actual_ = 0;
    bool timeValid_ = false, stopValid_ = false, mediaTimeValid_ = false;
    bool syncPoint_ = false, preroll_ = false, discontinuity_ = false;
    REFERENCE_TIME start_ = 0, stop_ = 0;
    LONGLONG mediaStart_ = 0, mediaStop_ = 0;
    AM_MEDIA_TYPE* type_ = nullptr;
};

}  // namespace qucap
