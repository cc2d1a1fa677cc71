#include "dshowbase/base_pin.h"

#include <cstring>
#include <cwchar>
#include <new>

#include "dshowbase/base_filter.h"
#include "dshowbase/com_guard.h"
#include "dshowbase/enum_media_types.h"

namespace qucap {
namespace {

// A type handed out by an enumerator, taken over without a copy.
void adopt(CMediaType& target, AM_MEDIA_TYPE* given) {
    FreeMediaType(target);
    *static_cast<AM_MEDIA_TYPE*>(&target) = *given;
    CoTaskMemFree(given);
}

}  // namespace

CBasePin::CBasePin(CBaseFilter* filter, CCritSec* lock, const WCHAR* name, PIN_DIRECTION direction)
    : CUnknown(nullptr), m_pFilter(filter), m_pLock(lock), m_dir(direction) {
    if (name) {
        std::wcsncpy(m_pName, name, MAX_PIN_NAME - 1);
        m_pName[MAX_PIN_NAME - 1] = L'\0';
    }
}

CBasePin::~CBasePin() {
    if (m_Connected) m_Connected->Release();
}

STDMETHODIMP CBasePin::NonDelegatingQueryInterface(REFIID iid, void** object) {
    if (IsEqualIID(iid, IID_IPin)) return GetInterface(static_cast<IPin*>(this), object);
    return CUnknown::NonDelegatingQueryInterface(iid, object);
}

STDMETHODIMP_(ULONG) CBasePin::NonDelegatingAddRef() { return m_pFilter->AddRef(); }

STDMETHODIMP_(ULONG) CBasePin::NonDelegatingRelease() { return m_pFilter->Release(); }

STDMETHODIMP CBasePin::Connect(IPin* receivePin, const AM_MEDIA_TYPE* type) {
    return guardCom([&]() -> HRESULT {
        if (!receivePin) return E_POINTER;
        CAutoLock lock(m_pLock);
        if (m_Connected) return VFW_E_ALREADY_CONNECTED;
        if (!IsStopped()) return VFW_E_NOT_STOPPED;
        CMediaType partial;
        if (type && FAILED(partial.Set(*type))) return E_OUTOFMEMORY;
        HRESULT hr = CheckConnect(receivePin);
        if (SUCCEEDED(hr)) hr = AgreeMediaType(receivePin, type ? &partial : nullptr);
        if (FAILED(hr)) BreakConnect();
        return hr;
    });
}

HRESULT CBasePin::AgreeMediaType(IPin* receivePin, const CMediaType* partial) {
    if (partial && !partial->IsPartiallySpecified()) return AttemptConnection(receivePin, partial);
    IPin* proposers[] = {receivePin, static_cast<IPin*>(this)};
    for (IPin* proposer : proposers) {
        IEnumMediaTypes* types = nullptr;
        if (FAILED(proposer->EnumMediaTypes(&types)) || !types) continue;
        const HRESULT hr = TryMediaTypes(receivePin, partial, types);
        types->Release();
        if (SUCCEEDED(hr)) return hr;
    }
    return VFW_E_NO_ACCEPTABLE_TYPES;
}

HRESULT CBasePin::TryMediaTypes(IPin* receivePin, const CMediaType* partial, IEnumMediaTypes* types) {
    types->Reset();
    AM_MEDIA_TYPE* given = nullptr;
    ULONG fetched = 0;
    while (types->Next(1, &given, &fetched) == S_OK && fetched == 1 && given) {
        CMediaType candidate;
        adopt(candidate, given);
        if (partial && !candidate.MatchesPartial(partial)) continue;
        if (SUCCEEDED(AttemptConnection(receivePin, &candidate))) return S_OK;
    }
    return VFW_E_NO_ACCEPTABLE_TYPES;
}

HRESULT CBasePin::AttemptConnection(IPin* receivePin, const CMediaType* type) {
    HRESULT hr = CheckMediaType(type);
    if (hr != S_OK) return FAILED(hr) ? hr : VFW_E_TYPE_NOT_ACCEPTED;
    m_Connected = receivePin;
    m_Connected->AddRef();
    hr = SetMediaType(type);
    if (SUCCEEDED(hr)) {
        hr = receivePin->ReceiveConnection(static_cast<IPin*>(this), type);
        if (SUCCEEDED(hr)) {
            hr = CompleteConnect(receivePin);
            if (SUCCEEDED(hr)) return S_OK;
            receivePin->Disconnect();
        }
    }
    m_Connected->Release();
    m_Connected = nullptr;
    m_mt = CMediaType();
    return FAILED(hr) ? hr : VFW_E_TYPE_NOT_ACCEPTED;
}

STDMETHODIMP CBasePin::ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* type) {
    return guardCom([&]() -> HRESULT {
        if (!connector || !type) return E_POINTER;
        CAutoLock lock(m_pLock);
        if (m_Connected) return VFW_E_ALREADY_CONNECTED;
        if (!IsStopped()) return VFW_E_NOT_STOPPED;
        HRESULT hr = CheckConnect(connector);
        if (FAILED(hr)) {
            BreakConnect();
            return hr;
        }
        CMediaType offered;
        hr = offered.Set(*type);
        if (SUCCEEDED(hr) && CheckMediaType(&offered) != S_OK) hr = VFW_E_TYPE_NOT_ACCEPTED;
        if (SUCCEEDED(hr)) {
            m_Connected = connector;
            m_Connected->AddRef();
            hr = SetMediaType(&offered);
            if (SUCCEEDED(hr)) hr = CompleteConnect(connector);
            if (SUCCEEDED(hr)) return S_OK;
            m_Connected->Release();
            m_Connected = nullptr;
            m_mt = CMediaType();
        }
        BreakConnect();
        return hr;
    });
}

STDMETHODIMP CBasePin::Disconnect() {
    CAutoLock lock(m_pLock);
    if (!IsStopped()) return VFW_E_NOT_STOPPED;
    return DisconnectInternal();
}

HRESULT CBasePin::DisconnectInternal() {
    if (!m_Connected) return S_FALSE;
    const HRESULT hr = BreakConnect();
    if (FAILED(hr)) return hr;
    m_Connected->Release();
    m_Connected = nullptr;
    m_mt = CMediaType();
    return S_OK;
}

STDMETHODIMP CBasePin::ConnectedTo(IPin** pin) {
    if (!pin) return E_POINTER;
    IPin* peer = m_Connected;
    *pin = peer;
    if (!peer) return VFW_E_NOT_CONNECTED;
    peer->AddRef();
    return S_OK;
}

STDMETHODIMP CBasePin::ConnectionMediaType(AM_MEDIA_TYPE* type) {
    if (!type) return E_POINTER;
    CAutoLock lock(m_pLock);
    if (!m_Connected) {
        std::memset(type, 0, sizeof *type);
        return VFW_E_NOT_CONNECTED;
    }
    return CopyMediaType(type, &m_mt);
}

STDMETHODIMP CBasePin::QueryPinInfo(PIN_INFO* info) {
    if (!info) return E_POINTER;
    info->pFilter = m_pFilter;
    m_pFilter->AddRef();
    std::wcscpy(info->achName, m_pName);
    info->dir = m_dir;
    return S_OK;
}

STDMETHODIMP CBasePin::QueryDirection(PIN_DIRECTION* direction) {
    if (!direction) return E_POINTER;
    *direction = m_dir;
    return S_OK;
}

STDMETHODIMP CBasePin::QueryId(LPWSTR* id) {
    if (!id) return E_POINTER;
    const size_t bytes = (std::wcslen(m_pName) + 1) * sizeof(WCHAR);
    *id = static_cast<LPWSTR>(CoTaskMemAlloc(bytes));
    if (!*id) return E_OUTOFMEMORY;
    std::memcpy(*id, m_pName, bytes);
    return S_OK;
}

STDMETHODIMP CBasePin::QueryAccept(const AM_MEDIA_TYPE* type) {
    return guardCom([&]() -> HRESULT {
        if (!type) return E_POINTER;
        CMediaType offered;
        if (FAILED(offered.Set(*type))) return E_OUTOFMEMORY;
        const HRESULT hr = CheckMediaType(&offered);
        return FAILED(hr) ? S_FALSE : hr;
    });
}

STDMETHODIMP CBasePin::EnumMediaTypes(IEnumMediaTypes** types) {
    if (!types) return E_POINTER;
    *types = nullptr;
    auto* enumerator = new (std::nothrow) CEnumMediaTypes(this);
    if (!enumerator) return E_OUTOFMEMORY;
    return enumerator->NonDelegatingQueryInterface(IID_IEnumMediaTypes, reinterpret_cast<void**>(types));
}

STDMETHODIMP CBasePin::QueryInternalConnections(IPin**, ULONG*) { return E_NOTIMPL; }

STDMETHODIMP CBasePin::EndOfStream() { return S_OK; }

STDMETHODIMP CBasePin::NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) {
    m_tStart = start;
    m_tStop = stop;
    m_dRate = rate;
    return S_OK;
}

HRESULT CBasePin::GetMediaType(int, CMediaType*) { return E_UNEXPECTED; }

HRESULT CBasePin::SetMediaType(const CMediaType* type) { return m_mt.Set(*type); }

HRESULT CBasePin::CheckConnect(IPin* pin) {
    PIN_DIRECTION direction;
    const HRESULT hr = pin->QueryDirection(&direction);
    if (FAILED(hr)) return hr;
    return direction == m_dir ? VFW_E_INVALID_DIRECTION : S_OK;
}

HRESULT CBasePin::BreakConnect() { return S_OK; }

HRESULT CBasePin::CompleteConnect(IPin*) { return S_OK; }

HRESULT CBasePin::Active() { return S_OK; }

HRESULT CBasePin::Inactive() { return S_OK; }

HRESULT CBasePin::Run(REFERENCE_TIME) { return S_OK; }

BOOL CBasePin::IsStopped() const { return m_pFilter->IsStopped(); }

}  // namespace qucap
