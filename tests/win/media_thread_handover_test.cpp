// Interfaces handed from the user interface thread's apartment to a worker
// thread: the worker takes them once, in its own apartment, and works the
// graph through them; marshalled data never taken gives its reference back.
#include <objbase.h>

#include <gtest/gtest.h>

#include <thread>

#include "app/media/filter_graph.h"
#include "app/media/marshalled_interface.h"
#include "app/media/message_wait.h"
#include "tests/win/dshowbase_test_support.h"
#include "win32/handles.h"

namespace qucap::test {
namespace {

// Runs `work` on a new thread in the multithreaded apartment and waits for
// it as the program's user interface thread does, dispatching messages (a
// call marshalled to this apartment is served from them).
template <class Work>
void onWorker(Work work) {
    const OwnedHandle done(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    std::thread worker([&] {
        const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        work();
        if (SUCCEEDED(com)) CoUninitialize();
        SetEvent(done.get());
    });
    EXPECT_EQ(waitDispatching({done.get()}, 10'000), 0);
    worker.join();
}

TEST(ThreadHandOver, AWorkerTakesTheGraphOnceAndControlsIt) {
    dshowbase_test::ComApartment apartment;
    FilterGraph graph;
    ASSERT_EQ(graph.createGraph(), 0);
    MarshalledInterface handed = graph.marshalForThread();
    ASSERT_TRUE(handed);
    int taken = -1, again = 0;
    HRESULT stateQuery = E_FAIL;
    OAFilterState state = State_Running;
    onWorker([&] {
        FilterGraph own;
        taken = own.takeMarshalled(handed, graph);
        if (taken == 0) stateQuery = own.control()->GetState(0, &state);
        again = own.takeMarshalled(handed, graph);  // used up
    });
    EXPECT_EQ(taken, 0);
    EXPECT_EQ(stateQuery, S_OK);
    EXPECT_EQ(state, State_Stopped);
    EXPECT_EQ(again, -1);
    EXPECT_FALSE(handed);
    EXPECT_FALSE(FilterGraph().marshalForThread()) << "no graph, nothing to hand over";
}

TEST(ThreadHandOver, MarshalledDataNeverTakenGivesItsReferenceBack) {
    dshowbase_test::ComApartment apartment;
    dshowbase_test::CountedUnknown object;
    {
        MarshalledInterface handed(IID_IUnknown, &object);
        ASSERT_TRUE(handed);
        EXPECT_GT(object.references, 1) << "the marshalled data holds the object";
        MarshalledInterface moved = std::move(handed);
        EXPECT_FALSE(handed);
        EXPECT_TRUE(moved);
    }
    EXPECT_EQ(object.references, 1);
}

}  // namespace
}  // namespace qucap::test
