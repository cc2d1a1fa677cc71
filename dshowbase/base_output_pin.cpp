#include "dshowbase/base_output_pin.h"

#include "dshowbase/memory_allocator.h"

namespace qucap {

CBaseOutputPin::CBaseOutputPin(CBaseFilter* filter, CCritSec* lock, const WCHAR* name)
    : CBasePin(filter, lock, name, PINDIR_OUTPUT) {}

CBaseOutputPin::~CBaseOutputPin() { BreakConnect(); }

namespace {

// Whether the filter of a downstream pin ends the stream there (a renderer
// or a file writer: no output pin of its own).
bool endsTheStream(IMemInputPin* pin) {
    IPin* asPin = nullptr;
    if (FAILED(pin->QueryInterface(IID_IPin, reinterpret_cast<void**>(&asPin)))) return false;
    PIN_INFO info{};
    const HRESULT hr = asPin->QueryPinInfo(&info);
    asPin->Release();
    if (FAILED(hr) || !info.pFilter) return false;
    bool outputFound = false;
    IEnumPins* pins = nullptr;
    if (SUCCEEDED(info.pFilter->EnumPins(&pins)) && pins) {
        IPin* each = nullptr;
        while (!outputFound && pins->Next(1, &each, nullptr) == S_OK) {
            PIN_DIRECTION direction{};
            outputFound = SUCCEEDED(each->QueryDirection(&direction)) && direction == PINDIR_OUTPUT;
            each->Release();
        }
        pins->Release();
    }
    info.pFilter->Release();
    return !outputFound;
}

}  // namespace

HRESULT CBaseOutputPin::DecideAllocator(IMemInputPin* pin, IMemAllocator** allocator) {
    *allocator = nullptr;
    ALLOCATOR_PROPERTIES requirements = {};
    pin->GetAllocatorRequirements(&requirements);
    if (requirements.cbAlign == 0) requirements.cbAlign = 1;

    // Takes our own allocator or the one the downstream pin offers, sizes it
    // and hands it to the downstream pin; a failure releases it again.
    const auto settle = [&](bool own) {
        HRESULT result = own ? InitAllocator(allocator) : pin->GetAllocator(allocator);
        if (SUCCEEDED(result) && *allocator == nullptr) result = E_FAIL;
        ALLOCATOR_PROPERTIES request = requirements;
        if (SUCCEEDED(result)) result = DecideBufferSize(*allocator, &request);
        if (SUCCEEDED(result)) result = pin->NotifyAllocator(*allocator, FALSE);
        ownAllocator_ = SUCCEEDED(result) && own;
        if (FAILED(result) && *allocator) {
            (*allocator)->Release();
            *allocator = nullptr;
        }
        return result;
    };
    // A renderer's allocator may give memory it shows directly: it is asked
    // first. Any other filter (a multiplexer, an encoder) reads what it gets,
    // so ours goes first there: it waits without the system's semaphores.
    endsTheStream_ = endsTheStream(pin);
    const bool ownFirst = !endsTheStream_;
    if (SUCCEEDED(settle(ownFirst))) return S_OK;
    return settle(!ownFirst);
}

HRESULT CBaseOutputPin::InitAllocator(IMemAllocator** allocator) { return CMemAllocator::Create(allocator); }

HRESULT CBaseOutputPin::GetDeliveryBuffer(IMediaSample** sample, REFERENCE_TIME* start, REFERENCE_TIME* stop,
                                          DWORD flags) {
    if (!sample) return E_POINTER;
    *sample = nullptr;
    if (!m_pAllocator) return VFW_E_NO_ALLOCATOR;
    return m_pAllocator->GetBuffer(sample, start, stop, flags);
}

HRESULT CBaseOutputPin::Deliver(IMediaSample* sample) {
    if (!m_pInputPin) return VFW_E_NOT_CONNECTED;
    return m_pInputPin->Receive(sample);
}

HRESULT CBaseOutputPin::DeliverEndOfStream() {
    IPin* peer = m_Connected;
    return peer ? peer->EndOfStream() : VFW_E_NOT_CONNECTED;
}

HRESULT CBaseOutputPin::DeliverBeginFlush() {
    IPin* peer = m_Connected;
    return peer ? peer->BeginFlush() : VFW_E_NOT_CONNECTED;
}

HRESULT CBaseOutputPin::DeliverEndFlush() {
    IPin* peer = m_Connected;
    return peer ? peer->EndFlush() : VFW_E_NOT_CONNECTED;
}

HRESULT CBaseOutputPin::DeliverNewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) {
    IPin* peer = m_Connected;
    return peer ? peer->NewSegment(start, stop, rate) : VFW_E_NOT_CONNECTED;
}

HRESULT CBaseOutputPin::CheckConnect(IPin* pin) {
    HRESULT hr = CBasePin::CheckConnect(pin);
    if (FAILED(hr)) return hr;
    if (m_pInputPin) {
        m_pInputPin->Release();
        m_pInputPin = nullptr;
    }
    hr = pin->QueryInterface(IID_IMemInputPin, reinterpret_cast<void**>(&m_pInputPin));
    return FAILED(hr) ? E_NOINTERFACE : S_OK;
}

HRESULT CBaseOutputPin::BreakConnect() {
    if (m_pAllocator) {
        // Buffers handed out stay valid until released; the allocator frees
        // its memory at its last release.
        m_pAllocator->Decommit();
        m_pAllocator->Release();
        m_pAllocator = nullptr;
    }
    if (m_pInputPin) {
        m_pInputPin->Release();
        m_pInputPin = nullptr;
    }
    return S_OK;
}

HRESULT CBaseOutputPin::CompleteConnect(IPin*) {
    if (!m_pInputPin) return E_UNEXPECTED;
    if (m_pAllocator) {
        m_pAllocator->Release();
        m_pAllocator = nullptr;
    }
    return DecideAllocator(m_pInputPin, &m_pAllocator);
}

HRESULT CBaseOutputPin::Active() { return m_pAllocator ? m_pAllocator->Commit() : VFW_E_NO_ALLOCATOR; }

HRESULT CBaseOutputPin::Inactive() { return m_pAllocator ? m_pAllocator->Decommit() : VFW_E_NO_ALLOCATOR; }

STDMETHODIMP CBaseOutputPin::EndOfStream() { return E_UNEXPECTED; }

STDMETHODIMP CBaseOutputPin::BeginFlush() { return E_UNEXPECTED; }

STDMETHODIMP CBaseOutputPin::EndFlush() { return E_UNEXPECTED; }

}  // namespace qucap
