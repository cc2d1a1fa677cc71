#include "dshowbase/transform_input_pin.h"

#include "dshowbase/com_guard.h"
#include "dshowbase/transform_filter.h"
#include "dshowbase/transform_output_pin.h"

namespace qucap {

CTransformInputPin::CTransformInputPin(CTransformFilter* filter, const WCHAR* name)
    : CBaseInputPin(filter, &filter->m_csFilter, name), m_pTransformFilter(filter) {}

HRESULT CTransformInputPin::CheckConnect(IPin* pin) {
    const HRESULT hr = m_pTransformFilter->CheckConnect(PINDIR_INPUT, pin);
    if (FAILED(hr)) return hr;
    return CBaseInputPin::CheckConnect(pin);
}

HRESULT CTransformInputPin::BreakConnect() {
    m_pTransformFilter->BreakConnect(PINDIR_INPUT);
    return CBaseInputPin::BreakConnect();
}

HRESULT CTransformInputPin::CompleteConnect(IPin* receivePin) {
    const HRESULT hr = CBaseInputPin::CompleteConnect(receivePin);
    if (FAILED(hr)) return hr;
    return m_pTransformFilter->CompleteConnect(PINDIR_INPUT, receivePin);
}

HRESULT CTransformInputPin::CheckMediaType(const CMediaType* type) {
    const HRESULT hr = m_pTransformFilter->CheckInputType(type);
    if (hr != S_OK) return hr;
    // With the output already connected, the new input must still suit it.
    CTransformOutputPin* output = m_pTransformFilter->m_pOutput;
    if (output && output->IsConnected()) return m_pTransformFilter->CheckTransform(type, &output->CurrentMediaType());
    return S_OK;
}

HRESULT CTransformInputPin::SetMediaType(const CMediaType* type) {
    const HRESULT hr = CBaseInputPin::SetMediaType(type);
    if (FAILED(hr)) return hr;
    return m_pTransformFilter->SetMediaType(PINDIR_INPUT, type);
}

HRESULT CTransformInputPin::CheckStreaming() {
    CTransformOutputPin* output = m_pTransformFilter->m_pOutput;
    if (!output || !output->IsConnected()) return VFW_E_NOT_CONNECTED;
    return CBaseInputPin::CheckStreaming();
}

STDMETHODIMP CTransformInputPin::Receive(IMediaSample* sample) {
    return guardCom([&]() -> HRESULT {
        CAutoLock lock(&m_pTransformFilter->m_csReceive);
        HRESULT hr = CBaseInputPin::Receive(sample);
        if (hr == S_OK) hr = m_pTransformFilter->Receive(sample);
        return hr;
    });
}

STDMETHODIMP CTransformInputPin::EndOfStream() {
    return guardCom([&]() -> HRESULT {
        CAutoLock lock(&m_pTransformFilter->m_csReceive);
        HRESULT hr = CheckStreaming();
        if (hr == S_OK) hr = m_pTransformFilter->EndOfStream();
        return hr;
    });
}

STDMETHODIMP CTransformInputPin::BeginFlush() {
    return guardCom([&]() -> HRESULT {
        CAutoLock lock(&m_pTransformFilter->m_csFilter);
        CTransformOutputPin* output = m_pTransformFilter->m_pOutput;
        if (!IsConnected() || !output || !output->IsConnected()) return VFW_E_NOT_CONNECTED;
        const HRESULT hr = CBaseInputPin::BeginFlush();
        if (FAILED(hr)) return hr;
        return m_pTransformFilter->BeginFlush();
    });
}

STDMETHODIMP CTransformInputPin::EndFlush() {
    return guardCom([&]() -> HRESULT {
        CAutoLock lock(&m_pTransformFilter->m_csFilter);
        CTransformOutputPin* output = m_pTransformFilter->m_pOutput;
        if (!IsConnected() || !output || !output->IsConnected()) return VFW_E_NOT_CONNECTED;
        const HRESULT hr = m_pTransformFilter->EndFlush();
        if (FAILED(hr)) return hr;
        return CBaseInputPin::EndFlush();
    });
}

STDMETHODIMP CTransformInputPin::NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) {
    return guardCom([&]() -> HRESULT {
        CBasePin::NewSegment(start, stop, rate);
        return m_pTransformFilter->NewSegment(start, stop, rate);
    });
}

}  // namespace qucap
