#include "dshowbase/class_factory.h"

#include <new>

#include "dshowbase/module.h"

namespace qucap {
namespace {

// The creator must not let an exception out through COM.
CUnknown* callCreator(const CFactoryTemplate& factoryTemplate, IUnknown* outer, HRESULT* result) {
    try {
        return factoryTemplate.m_lpfnNew(outer, result);
    } catch (const std::bad_alloc&) {
        return nullptr;
    } catch (...) {
        *result = E_FAIL;
        return nullptr;
    }
}

}  // namespace

CClassFactory::CClassFactory(const CFactoryTemplate* factoryTemplate) : template_(factoryTemplate) {
    objectCreated();
}

CClassFactory::~CClassFactory() { objectDestroyed(); }

STDMETHODIMP CClassFactory::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
        *object = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CClassFactory::AddRef() { return ULONG(++references_); }

STDMETHODIMP_(ULONG) CClassFactory::Release() {
    const long count = --references_;
    if (count == 0) delete this;
    return ULONG(count);
}

STDMETHODIMP CClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    // An aggregated object hands its outer object the inner unknown only.
    if (outer && !IsEqualIID(iid, IID_IUnknown)) return E_NOINTERFACE;
    HRESULT hr = S_OK;
    CUnknown* created = callCreator(*template_, outer, &hr);
    if (!created) return FAILED(hr) ? hr : E_OUTOFMEMORY;
    if (FAILED(hr)) {
        delete created;
        return hr;
    }
    // The pair of references deletes the object when the query fails.
    created->NonDelegatingAddRef();
    hr = created->NonDelegatingQueryInterface(iid, object);
    created->NonDelegatingRelease();
    return hr;
}

STDMETHODIMP CClassFactory::LockServer(BOOL lock) {
    lockServer(lock != FALSE);
    return S_OK;
}

HRESULT DllGetClassObjectFromTemplates(std::span<const CFactoryTemplate> templates, REFCLSID clsid, REFIID iid,
                                       void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IClassFactory)) return E_NOINTERFACE;
    for (const CFactoryTemplate& candidate : templates) {
        if (!candidate.IsClassID(clsid)) continue;
        auto* factory = new (std::nothrow) CClassFactory(&candidate);
        if (!factory) return E_OUTOFMEMORY;
        factory->AddRef();
        *object = static_cast<IClassFactory*>(factory);
        return S_OK;
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

}  // namespace qucap
