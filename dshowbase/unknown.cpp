#include "dshowbase/unknown.h"

#include "dshowbase/module.h"

namespace qucap {

HRESULT GetInterface(IUnknown* itf, void** object) {
    if (!object) return E_POINTER;
    *object = itf;
    itf->AddRef();
    return S_OK;
}

CUnknown::CUnknown(IUnknown* outer) : inner_(this), owner_(outer ? outer : &inner_) { objectCreated(); }

CUnknown::~CUnknown() { objectDestroyed(); }

HRESULT STDMETHODCALLTYPE CUnknown::NonDelegatingQueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown)) return GetInterface(&inner_, object);
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE CUnknown::NonDelegatingAddRef() { return ULONG(++m_cRef); }

ULONG STDMETHODCALLTYPE CUnknown::NonDelegatingRelease() {
    const long count = --m_cRef;
    if (count == 0) {
        // A reference held during destruction, so a destructor that hands out
        // and takes back a pointer to the object cannot delete it twice.
        m_cRef = 1;
        delete this;
    }
    return ULONG(count);
}

}  // namespace qucap
