#include "dshowbase/base_filter.h"

#include <cwchar>

#include "dshowbase/base_pin.h"
#include "dshowbase/com_guard.h"
#include "dshowbase/enum_pins.h"

namespace qucap {

CBaseFilter::CBaseFilter(IUnknown* outer, CCritSec* lock, REFCLSID clsid)
    : CUnknown(outer), m_clsid(clsid), m_pLock(lock) {}

CBaseFilter::~CBaseFilter() {
    if (m_pClock) m_pClock->Release();
}

STDMETHODIMP CBaseFilter::NonDelegatingQueryInterface(REFIID iid, void** object) {
    if (IsEqualIID(iid, IID_IBaseFilter) || IsEqualIID(iid, IID_IMediaFilter) || IsEqualIID(iid, IID_IPersist))
        return GetInterface(static_cast<IBaseFilter*>(this), object);
    return CUnknown::NonDelegatingQueryInterface(iid, object);
}

STDMETHODIMP CBaseFilter::GetClassID(CLSID* clsid) {
    if (!clsid) return E_POINTER;
    *clsid = m_clsid;
    return S_OK;
}

STDMETHODIMP CBaseFilter::Stop() {
    return guardCom([&]() -> HRESULT {
        CAutoLock lock(m_pLock);
        HRESULT result = S_OK;
        if (m_State != State_Stopped) {
            for (int n = 0; n < GetPinCount(); ++n) {
                CBasePin* pin = GetPin(n);
                if (!pin || !pin->IsConnected()) continue;
                const HRESULT hr = pin->Inactive();
                if (FAILED(hr) && SUCCEEDED(result)) result = hr;
            }
        }
        m_State = State_Stopped;
        return result;
    });
}

STDMETHODIMP CBaseFilter::Pause() {
    return guardCom([&]() -> HRESULT {
        CAutoLock lock(m_pLock);
        if (m_State == State_Stopped) {
            for (int n = 0; n < GetPinCount(); ++n) {
                CBasePin* pin = GetPin(n);
                if (!pin || !pin->IsConnected()) continue;
                const HRESULT hr = pin->Active();
                if (FAILED(hr)) return hr;
            }
        }
        m_State = State_Paused;
        return S_OK;
    });
}

STDMETHODIMP CBaseFilter::Run(REFERENCE_TIME start) {
    return guardCom([&]() -> HRESULT {
        CAutoLock lock(m_pLock);
        m_tStart = start;
        if (m_State == State_Stopped) {
            const HRESULT hr = Pause();
            if (FAILED(hr)) return hr;
        }
        if (m_State != State_Running) {
            for (int n = 0; n < GetPinCount(); ++n) {
                CBasePin* pin = GetPin(n);
                if (!pin || !pin->IsConnected()) continue;
                const HRESULT hr = pin->Run(start);
                if (FAILED(hr)) return hr;
            }
        }
        m_State = State_Running;
        return S_OK;
    });
}

STDMETHODIMP CBaseFilter::GetState(DWORD, FILTER_STATE* state) {
    if (!state) return E_POINTER;
    *state = m_State;
    return S_OK;
}

STDMETHODIMP CBaseFilter::SetSyncSource(IReferenceClock* clock) {
    CAutoLock lock(m_pLock);
    if (clock) clock->AddRef();
    if (m_pClock) m_pClock->Release();
    m_pClock = clock;
    return S_OK;
}

STDMETHODIMP CBaseFilter::GetSyncSource(IReferenceClock** clock) {
    if (!clock) return E_POINTER;
    CAutoLock lock(m_pLock);
    *clock = m_pClock;
    if (m_pClock) m_pClock->AddRef();
    return S_OK;
}

STDMETHODIMP CBaseFilter::EnumPins(IEnumPins** pins) {
    if (!pins) return E_POINTER;
    *pins = nullptr;
    auto* enumerator = new (std::nothrow) CEnumPins(this);
    if (!enumerator) return E_OUTOFMEMORY;
    return enumerator->NonDelegatingQueryInterface(IID_IEnumPins, reinterpret_cast<void**>(pins));
}

STDMETHODIMP CBaseFilter::FindPin(LPCWSTR id, IPin** pin) {
    if (!pin) return E_POINTER;
    *pin = nullptr;
    if (!id) return E_POINTER;
    CAutoLock lock(m_pLock);
    for (int n = 0; n < GetPinCount(); ++n) {
        CBasePin* candidate = GetPin(n);
        if (candidate && std::wcscmp(candidate->Name(), id) == 0)
            return GetInterface(static_cast<IPin*>(candidate), reinterpret_cast<void**>(pin));
    }
    return VFW_E_NOT_FOUND;
}

STDMETHODIMP CBaseFilter::QueryFilterInfo(FILTER_INFO* info) {
    if (!info) return E_POINTER;
    std::wcscpy(info->achName, m_name);
    info->pGraph = m_pGraph;
    if (m_pGraph) m_pGraph->AddRef();
    return S_OK;
}

STDMETHODIMP CBaseFilter::JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) {
    CAutoLock lock(m_pLock);
    m_pGraph = graph;
    m_pSink = nullptr;
    if (graph && SUCCEEDED(graph->QueryInterface(IID_IMediaEventSink, reinterpret_cast<void**>(&m_pSink)))) {
        // Kept without a reference: the graph holds the filter.
        m_pSink->Release();
    }
    m_name[0] = L'\0';
    if (name) {
        std::wcsncpy(m_name, name, MAX_FILTER_NAME - 1);
        m_name[MAX_FILTER_NAME - 1] = L'\0';
    }
    return S_OK;
}

STDMETHODIMP CBaseFilter::QueryVendorInfo(LPWSTR*) { return E_NOTIMPL; }

HRESULT CBaseFilter::NotifyEvent(long code, LONG_PTR param1, LONG_PTR param2) {
    IMediaEventSink* sink = m_pSink;
    if (!sink) return E_NOTIMPL;
    if (code == EC_COMPLETE && param2 == 0) param2 = reinterpret_cast<LONG_PTR>(static_cast<IBaseFilter*>(this));
    return sink->Notify(code, param1, param2);
}

BOOL CBaseFilter::IsActive() {
    CAutoLock lock(m_pLock);
    return m_State != State_Stopped;
}

BOOL CBaseFilter::IsStopped() { return m_State == State_Stopped; }

}  // namespace qucap
