#pragma once
// Module-wide state of an in-process COM server built on these classes: the
// module handle (for resources and the registered path), the count of live
// objects and the count of server locks (for DllCanUnloadNow).
#include <windows.h>

namespace qucap {

// The module that holds the dialog and string resources and whose path is
// registered. Until DllEntryPoint or setModuleInstance sets it, the program's
// own module (GetModuleHandleW(nullptr)).
HINSTANCE moduleInstance();
void setModuleInstance(HINSTANCE instance);

// The module's DllMain passes its calls here: DLL_PROCESS_ATTACH records the
// module handle. Always TRUE.
BOOL DllEntryPoint(HINSTANCE instance, DWORD reason, void* reserved);

// Every CUnknown and every class factory counts itself while it lives.
void objectCreated();
void objectDestroyed();
long liveObjectCount();

// IClassFactory::LockServer. An unlock without a lock is ignored, so the count
// never goes below zero.
void lockServer(bool lock);
long serverLockCount();

// S_OK when no object lives and no lock is held, else S_FALSE.
HRESULT DllCanUnloadNowForModule();

}  // namespace qucap
