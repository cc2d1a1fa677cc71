// The encoder registered for this process: a class object in COM's table
// (CoRegisterClassObject) and the filter's entry written by the mapper.
#include <new>

#include "dshowbase/registration.h"
#include "tests/support/test_encoder/test_encoder.h"
#include "tests/support/test_encoder/test_encoder_templates.h"

namespace qucap::test {
namespace {

// The class object while registered, with the reference this module keeps.
CClassFactory* g_factory = nullptr;
DWORD g_cookie = 0;

void revokeClassObject() {
    if (g_cookie) CoRevokeClassObject(g_cookie);
    g_cookie = 0;
    if (g_factory) g_factory->Release();
    g_factory = nullptr;
}

}  // namespace

HRESULT registerTestEncoder() {
    if (!g_factory) {
        g_factory = new (std::nothrow) CClassFactory(&testEncoderTemplates()[0]);
        if (!g_factory) return E_OUTOFMEMORY;
        g_factory->AddRef();
        const HRESULT hr = CoRegisterClassObject(kClsidTestEncoder, g_factory, CLSCTX_INPROC_SERVER,
                                                 REGCLS_MULTIPLEUSE, &g_cookie);
        if (FAILED(hr)) {
            revokeClassObject();
            return hr;
        }
    }
    const HRESULT hr = registerFilters(testEncoderTemplates(), true);
    if (FAILED(hr)) {
        registerFilters(testEncoderTemplates(), false);
        revokeClassObject();
    }
    return hr;
}

HRESULT unregisterTestEncoder() {
    const HRESULT hr = registerFilters(testEncoderTemplates(), false);
    revokeClassObject();
    return hr;
}

}  // namespace qucap::test
