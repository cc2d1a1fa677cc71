#pragma once
// The tests' own transform filter on the base classes: 24-bit RGB in, 32-bit
// RGB out of the same size, every colour byte inverted (alpha 0). It records
// what the base classes call, so the tests can check the order and counts.
#include <atomic>
#include <mutex>
#include <vector>

#include "dshowbase/transform_filter.h"

namespace qucap::dshowbase_test {

// {5E0C9A41-7B2D-4C8E-9F13-2A6B4D8E0C17}
inline constexpr GUID kClsidInvertFilter = {0x5E0C9A41, 0x7B2D, 0x4C8E, {0x9F, 0x13, 0x2A, 0x6B, 0x4D, 0x8E, 0x0C, 0x17}};

class InvertFilter : public CTransformFilter {
public:
    static CUnknown* CreateInstance(IUnknown* outer, HRESULT* result);
    explicit InvertFilter(IUnknown* outer);

    HRESULT CheckInputType(const CMediaType* in) override;
    HRESULT CheckTransform(const CMediaType* in, const CMediaType* out) override;
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;
    HRESULT GetMediaType(int position, CMediaType* type) override;
    HRESULT Transform(IMediaSample* in, IMediaSample* out) override;
    HRESULT CompleteConnect(PIN_DIRECTION direction, IPin* receivePin) override;
    HRESULT BeginFlush() override;
    HRESULT EndOfStream() override;
    HRESULT NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) override;

    // What the tests read back.
    std::atomic<int> inputConnections{0};
    std::atomic<int> outputConnections{0};
    std::atomic<int> flushes{0};
    std::atomic<int> endsOfStream{0};
    std::atomic<REFERENCE_TIME> segmentStart{-1};
    // Every n-th sample (from 1) gives S_FALSE when dropEvery is n.
    int dropEvery = 0;
    // The frames transformed since the last flush (by their first byte) and
    // the input time stamps.
    std::vector<int> frames();
    std::vector<REFERENCE_TIME> startTimes();

private:
    std::mutex mutex_;
    std::vector<int> frames_;
    std::vector<REFERENCE_TIME> startTimes_;
    int received_ = 0;
};

}  // namespace qucap::dshowbase_test
