// CMemAllocator and its samples: the properties it settles, the life of its
// memory across Commit and Decommit with samples out and after the
// allocator's last reference, a sample cleared for its next use, and a
// waiter woken by a returned sample or a decommit.
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

    // A buffer handed out again carries nothing of its last use.
    REFERENCE_TIME start = 10, stop = 20;
    first->SetTime(&start, &stop);
    first->SetMediaTime(&start, &stop);
    first->SetSyncPoint(TRUE);
    first->SetActualDataLength(40);
    AM_MEDIA_TYPE type{};
    type.majortype = MEDIATYPE_Video;
    first->SetMediaType(&type);
    first->Release();
    IMediaSample* again = allocator.take(AM_GBF_NOWAIT);
    ASSERT_EQ(again, first);
    EXPECT_EQ(again->GetTime(&start, &stop), VFW_E_SAMPLE_TIME_NOT_SET);
    EXPECT_EQ(again->GetMediaTime(&start, &stop), VFW_E_MEDIA_TIME_NOT_SET);
    EXPECT_EQ(again->IsSyncPoint(), S_FALSE);
    EXPECT_EQ(again->GetActualDataLength(), 1008);
    AM_MEDIA_TYPE* read = nullptr;
    EXPECT_EQ(again->GetMediaType(&read), S_FALSE);

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

    // A sample out keeps its allocator, and its memory, after the last
    // reference to the allocator went.
    allocator.get->Decommit();
    allocator.get->Release();
    allocator.get = nullptr;
    small->GetPointer(&a);
    a[9] = 1;
    EXPECT_EQ(small->Release(), 0u);
}

TEST(MemAllocator, AWaiterIsWokenByAReturnedSampleAndByADecommit) {
    Allocator allocator;
    ASSERT_EQ(allocator.set(1, 64), S_OK);
    ASSERT_EQ(allocator.get->Commit(), S_OK);
    IMediaSample* held = allocator.take();
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

}  // namespace
}  // namespace qucap
