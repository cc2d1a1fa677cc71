#pragma once
// An allocator of media samples that waits and wakes inside the process. The
// system's CLSID_MemoryAllocator waits for a free sample on a semaphore,
// which under Wine is a call to the wine server at every GetBuffer and every
// release: 7 us on an idle machine, 75 us and more when both cores are busy,
// as they are in a synthesis. This one keeps its samples under a slim lock
// and a condition variable. One block of memory holds every buffer.
#include <windows.h>
#include <dshow.h>

#include <memory>
#include <vector>

#include "dshowbase/unknown.h"

namespace qucap {

class CAllocatedSample;

class CMemAllocator final : public CUnknown, public IMemAllocator {
public:
    // A new allocator with one reference, or E_OUTOFMEMORY.
    static HRESULT Create(IMemAllocator** allocator);
    ~CMemAllocator() override;

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID iid, void** object) override;

    // Refused while committed or while samples are out; the buffer size
    // actually set includes the prefix and is a whole number of alignments.
    STDMETHODIMP SetProperties(ALLOCATOR_PROPERTIES* request, ALLOCATOR_PROPERTIES* actual) override;
    STDMETHODIMP GetProperties(ALLOCATOR_PROPERTIES* properties) override;
    STDMETHODIMP Commit() override;
    // Wakes every waiter; the memory goes once the last sample is back.
    STDMETHODIMP Decommit() override;
    STDMETHODIMP GetBuffer(IMediaSample** sample, REFERENCE_TIME* start, REFERENCE_TIME* stop, DWORD flags) override;
    // A sample of this allocator back on the free list (its own last
    // Release does this without the search).
    STDMETHODIMP ReleaseBuffer(IMediaSample* sample) override;

private:
    friend class CAllocatedSample;
    CMemAllocator();
    void returned(CAllocatedSample* sample);
    void freeMemoryLocked();

    SRWLOCK lock_ = SRWLOCK_INIT;
    CONDITION_VARIABLE freed_ = CONDITION_VARIABLE_INIT;
    ALLOCATOR_PROPERTIES properties_{};
    bool committed_ = false;
    BYTE* memory_ = nullptr;
    std::vector<std::unique_ptr<CAllocatedSample>> samples_;
    std::vector<CAllocatedSample*> free_;
};

}  // namespace qucap
