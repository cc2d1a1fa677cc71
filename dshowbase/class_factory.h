#pragma once
// The class templates of a COM server and the class factory made from one:
// DllGetClassObject looks the class up in the module's table of templates.
#include <windows.h>
#include <unknwn.h>

#include <atomic>
#include <span>

#include "dshowbase/setup_data.h"
#include "dshowbase/unknown.h"

namespace qucap {

// Creates an object (reference count 0) with the outer unknown, or gives null
// when memory runs out; a failure found while constructing goes to *result
// (set to S_OK beforehand), and the factory then deletes the object.
using CreateInstanceFunction = CUnknown* (*)(IUnknown* outer, HRESULT* result);

struct CFactoryTemplate {
    const WCHAR* m_Name;
    const CLSID* m_ClsID;
    CreateInstanceFunction m_lpfnNew;
    // Filter registration data, or null for a class that is no filter.
    const AMOVIESETUP_FILTER* m_pAMovieSetup_Filter;

    BOOL IsClassID(REFCLSID clsid) const { return IsEqualCLSID(*m_ClsID, clsid); }
};

// The class factory of one template. It counts as a live object of the module.
class CClassFactory : public IClassFactory {
public:
    explicit CClassFactory(const CFactoryTemplate* factoryTemplate);
    virtual ~CClassFactory();
    CClassFactory(const CClassFactory&) = delete;
    CClassFactory& operator=(const CClassFactory&) = delete;

    // IUnknown, IClassFactory.
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // A new object of the template queried for iid. With an outer unknown only
    // IUnknown may be asked (E_NOINTERFACE). Null result pointer: E_POINTER;
    // the creator giving null: E_OUTOFMEMORY; its reported failure, or the
    // object not offering iid (E_NOINTERFACE), deletes the object again.
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
    // Keeps the module loaded (DllCanUnloadNowForModule) while locked.
    STDMETHODIMP LockServer(BOOL lock) override;

private:
    std::atomic<long> references_{0};
    const CFactoryTemplate* template_;
};

// DllGetClassObject over a template table: *object cleared first (null:
// E_POINTER); an interface other than IUnknown or IClassFactory:
// E_NOINTERFACE; a class not in the table: CLASS_E_CLASSNOTAVAILABLE; a
// factory that cannot be allocated: E_OUTOFMEMORY.
HRESULT DllGetClassObjectFromTemplates(std::span<const CFactoryTemplate> templates, REFCLSID clsid, REFIID iid,
                                       void** object);

}  // namespace qucap
