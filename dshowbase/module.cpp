#include "dshowbase/module.h"

#include <atomic>

namespace qucap {
namespace {

std::atomic<HINSTANCE> g_instance{nullptr};
std::atomic<long> g_liveObjects{0};
std::atomic<long> g_serverLocks{0};

}  // namespace

HINSTANCE moduleInstance() {
    HINSTANCE instance = g_instance.load();
    return instance ? instance : GetModuleHandleW(nullptr);
}

void setModuleInstance(HINSTANCE instance) { g_instance = instance; }

BOOL DllEntryPoint(HINSTANCE instance, DWORD reason, void*) {
    if (reason == DLL_PROCESS_ATTACH) {
        setModuleInstance(instance);
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

void objectCreated() { ++g_liveObjects; }
void objectDestroyed() { --g_liveObjects; }
long liveObjectCount() { return g_liveObjects.load(); }

void lockServer(bool lock) {
    if (lock) {
        ++g_serverLocks;
        return;
    }
    long count = g_serverLocks.load();
    while (count > 0 && !g_serverLocks.compare_exchange_weak(count, count - 1)) {
    }
}

long serverLockCount() { return g_serverLocks.load(); }

HRESULT DllCanUnloadNowForModule() { return liveObjectCount() == 0 && serverLockCount() == 0 ? S_OK : S_FALSE; }

}  // namespace qucap
