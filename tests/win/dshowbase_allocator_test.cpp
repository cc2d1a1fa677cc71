// CMemAllocator and its samples: the properties it settles, the life of its
// memory across Commit and Decommit with samples out, a waiter woken by a
// returned sample or a decommit, and a sample cleared for its next use.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <thread>

#include "dshowbase/memory_allocator.h"

namespace qucap {
namespace {

struct Allocator {
    Allocator() { EXPECT_EQ(CMemAllocator::Create(&get), S_OK); }
    ~Allocator() {
        if (get) get->Release();
    }
    HRESULT set(LONG buffers, LONG size, LONG align = 1, LONG prefix = 0) {
        ALLOCATOR_PROPERTIES request{buffers, size, align, prefix}, actual{};
        return get->SetProperties(&request, &actual);
    }
    // Sized and committed, with one sample taken out of it.
    IMediaSample* committedWithOneOut(LONG buffers, LONG size) {
        EXPECT_EQ(set(buffers, size), S_OK);
        EXPECT_EQ(get->Commit(), S_OK);
        return take();
    }
    IMediaSample* take(DWORD flags = 0) {
        IMediaSample* sample = nullptr;
        last = get->GetBuffer(&sample, nullptr, nullptr, flags);
        return sample;
    }
    IMemAllocator* get = nullptr;
    HRESULT last = S_OK;
};

TEST(MemAllocator, SettlesBuffersAsWholeAlignmentsWithTheirPrefix) {
    struct Case {
        ALLOCATOR_PROPERTIES request;
        HRESULT result;
        LONG settledSize;
    };
    const Case cases[] = {
        {{2, 1000, 1, 0}, S_OK, 1000},
        {{2, 1000, 16, 0}, S_OK, 1008},
        {{3, 1000, 16, 8}, S_OK, 1000},
        {{1, 0, 4, 0}, S_OK, 0},
        {{1, 100, 0, 0}, VFW_E_BADALIGN, 0},
        {{1, 100, 12, 0}, VFW_E_BADALIGN, 0},
        {{-1, 100, 1, 0}, E_INVALIDARG, 0},
    };
    for (const Case& c : cases) {
        Allocator allocator;
        ALLOCATOR_PROPERTIES request = c.request, actual{};
        EXPECT_EQ(allocator.get->SetProperties(&request, &actual), c.result) << c.request.cbBuffer;
        if (c.result != S_OK) continue;
        EXPECT_EQ(actual.cbBuffer, c.settledSize);
        EXPECT_EQ(actual.cBuffers, c.request.cBuffers);
        ALLOCATOR_PROPERTIES read{};
        EXPECT_EQ(allocator.get->GetProperties(&read), S_OK);
        EXPECT_EQ(read.cbBuffer, c.settledSize);
    }
}

TEST(MemAllocator, HandsOutAlignedBuffersOnlyWhileCommitted) {
    Allocator allocator;
    EXPECT_EQ(allocator.get->Commit(), VFW_E_SIZENOTSET);
    ASSERT_EQ(allocator.set(2, 1000, 64, 16), S_OK);
    EXPECT_EQ(allocator.take(), nullptr);
    EXPECT_EQ(allocator.last, VFW_E_NOT_COMMITTED);
    ASSERT_EQ(allocator.get->Commit(), S_OK);
    EXPECT_EQ(allocator.set(2, 1000), VFW_E_ALREADY_COMMITTED);

    IMediaSample* first = allocator.take();
    IMediaSample* second = allocator.take();
    ASSERT_TRUE(first && second);
    BYTE *a = nullptr, *b = nullptr;
    first->GetPointer(&a);
    second->GetPointer(&b);
    EXPECT_EQ((uintptr_t(a) - 16) % 64, 0u);
    EXPECT_GE(b > a ? b - a : a - b, 1024);
    EXPECT_EQ(first->GetSize(), 1008);
    EXPECT_EQ(allocator.take(AM_GBF_NOWAIT), nullptr);
    EXPECT_EQ(allocator.last, VFW_E_TIMEOUT);
    first->Release();
    IMediaSample* again = allocator.take(AM_GBF_NOWAIT);
    EXPECT_EQ(again, first);

    // Decommitted with samples out: no more buffers, the memory of the ones
    // out stays usable, new properties wait for their return.
    EXPECT_EQ(allocator.get->Decommit(), S_OK);
    EXPECT_EQ(allocator.take(), nullptr);
    EXPECT_EQ(allocator.last, VFW_E_NOT_COMMITTED);
    a[0] = 7;
    EXPECT_EQ(allocator.set(1, 10), VFW_E_BUFFERS_OUTSTANDING);
    again->Release();
    second->Release();
    EXPECT_EQ(allocator.set(1, 10), S_OK);
    EXPECT_EQ(allocator.get->Commit(), S_OK);
    IMediaSample* small = allocator.take();
    ASSERT_NE(small, nullptr);
    EXPECT_EQ(small->GetSize(), 10);
    small->Release();
}

TEST(MemAllocator, ASampleOutKeepsItsAllocatorAlive) {
    Allocator allocator;
    IMediaSample* sample = allocator.committedWithOneOut(1, 64);
    ASSERT_NE(sample, nullptr);
    allocator.get->Decommit();
    allocator.get->Release();
    allocator.get = nullptr;
    BYTE* buffer = nullptr;
    EXPECT_EQ(sample->GetPointer(&buffer), S_OK);
    buffer[63] = 1;
    EXPECT_EQ(sample->Release(), 0u);
}

TEST(MemAllocator, AWaiterIsWokenByAReturnedSampleAndByADecommit) {
    Allocator allocator;
    IMediaSample* held = allocator.committedWithOneOut(1, 64);
    ASSERT_NE(held, nullptr);

    std::atomic<IMediaSample*> got{nullptr};
    std::thread waiter([&] { got = allocator.take(); });
    Sleep(50);
    EXPECT_EQ(got.load(), nullptr);
    held->Release();
    waiter.join();
    ASSERT_EQ(got.load(), held);

    HRESULT woken = S_OK;
    std::thread second([&] {
        IMediaSample* none = nullptr;
        woken = allocator.get->GetBuffer(&none, nullptr, nullptr, 0);
    });
    Sleep(50);
    allocator.get->Decommit();
    second.join();
    EXPECT_EQ(woken, VFW_E_NOT_COMMITTED);
    got.load()->Release();
}

TEST(MemAllocator, ASampleHandedOutAgainCarriesNothingOfItsLastUse) {
    Allocator allocator;
    IMediaSample* sample = allocator.committedWithOneOut(1, 100);
    ASSERT_NE(sample, nullptr);
    EXPECT_EQ(sample->SetActualDataLength(101), VFW_E_BUFFER_OVERFLOW);
    EXPECT_EQ(sample->SetActualDataLength(40), S_OK);
    REFERENCE_TIME start = 10, stop = 0;
    sample->SetTime(&start, nullptr);
    EXPECT_EQ(sample->GetTime(&start, &stop), VFW_S_NO_STOP_TIME);
    EXPECT_EQ(stop, 11);
    LONGLONG mediaStart = 3, mediaStop = 4;
    sample->SetMediaTime(&mediaStart, &mediaStop);
    sample->SetSyncPoint(TRUE);
    sample->SetDiscontinuity(TRUE);
    AM_MEDIA_TYPE type{};
    type.majortype = MEDIATYPE_Video;
    EXPECT_EQ(sample->SetMediaType(&type), S_OK);
    sample->Release();

    sample = allocator.take();
    ASSERT_NE(sample, nullptr);
    EXPECT_EQ(sample->GetTime(&start, &stop), VFW_E_SAMPLE_TIME_NOT_SET);
    EXPECT_EQ(sample->GetMediaTime(&mediaStart, &mediaStop), VFW_E_MEDIA_TIME_NOT_SET);
    EXPECT_EQ(sample->IsSyncPoint(), S_FALSE);
    EXPECT_EQ(sample->IsDiscontinuity(), S_FALSE);
    EXPECT_EQ(sample->GetActualDataLength(), 100);
    AM_MEDIA_TYPE* read = nullptr;
    EXPECT_EQ(sample->GetMediaType(&read), S_FALSE);
    EXPECT_EQ(read, nullptr);
    sample->Release();
}

}  // namespace
}  // namespace qucap
