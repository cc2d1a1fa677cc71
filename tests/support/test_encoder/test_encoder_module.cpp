// QucapTestEncoder.ax: the encoder as an in-process COM server, for tests
// that run another process (Qucapcmd.exe) and register it with regsvr32.
#include <windows.h>

#include "dshowbase/module.h"
#include "dshowbase/registration.h"
#include "tests/support/test_encoder/test_encoder_templates.h"

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void* reserved) {
    return qucap::DllEntryPoint(instance, reason, reserved);
}

HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
    return qucap::DllGetClassObjectFromTemplates(qucap::test::testEncoderTemplates(), clsid, iid, object);
}

HRESULT STDAPICALLTYPE DllCanUnloadNow() { return qucap::DllCanUnloadNowForModule(); }

HRESULT STDAPICALLTYPE DllRegisterServer() {
    return qucap::AMovieDllRegisterServer2(qucap::test::testEncoderTemplates(), true);
}

HRESULT STDAPICALLTYPE DllUnregisterServer() {
    return qucap::AMovieDllRegisterServer2(qucap::test::testEncoderTemplates(), false);
}

}  // extern "C"
