#include "dshowbase/transform_output_pin.h"

#include "dshowbase/com_guard.h"
#include "dshowbase/transform_filter.h"
#include "dshowbase/transform_input_pin.h"

namespace qucap {

CTransformOutputPin::CTransformOutputPin(CTransformFilter* filter, const WCHAR* name)
    : CBaseOutputPin(filter, &filter->m_csFilter, name),
      m_pTransformFilter(filter),
      m_seeking(GetOwner(), filter->m_pInput) {}

STDMETHODIMP CTransformOutputPin::NonDelegatingQueryInterface(REFIID iid, void** object) {
    if (IsEqualIID(iid, IID_IMediaSeeking)) return GetInterface(static_cast<IMediaSeeking*>(&m_seeking), object);
    if (IsEqualIID(iid, IID_IQualityControl)) return GetInterface(static_cast<IQualityControl*>(this), object);
    return CBaseOutputPin::NonDelegatingQueryInterface(iid, object);
}

HRESULT CTransformOutputPin::CheckConnect(IPin* pin) {
    CTransformInputPin* input = m_pTransformFilter->m_pInput;
    if (!input || !input->IsConnected()) return E_UNEXPECTED;
    const HRESULT hr = m_pTransformFilter->CheckConnect(PINDIR_OUTPUT, pin);
    if (FAILED(hr)) return hr;
    return CBaseOutputPin::CheckConnect(pin);
}

HRESULT CTransformOutputPin::BreakConnect() {
    m_pTransformFilter->BreakConnect(PINDIR_OUTPUT);
    return CBaseOutputPin::BreakConnect();
}

HRESULT CTransformOutputPin::CompleteConnect(IPin* receivePin) {
    const HRESULT hr = m_pTransformFilter->CompleteConnect(PINDIR_OUTPUT, receivePin);
    if (FAILED(hr)) return hr;
    return CBaseOutputPin::CompleteConnect(receivePin);
}

HRESULT CTransformOutputPin::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) {
    return m_pTransformFilter->DecideBufferSize(allocator, request);
}

HRESULT CTransformOutputPin::CheckMediaType(const CMediaType* type) {
    CTransformInputPin* input = m_pTransformFilter->m_pInput;
    if (!input || !input->IsConnected()) return E_UNEXPECTED;
    return m_pTransformFilter->CheckTransform(&input->CurrentMediaType(), type);
}

HRESULT CTransformOutputPin::SetMediaType(const CMediaType* type) {
    const HRESULT hr = CBaseOutputPin::SetMediaType(type);
    if (FAILED(hr)) return hr;
    return m_pTransformFilter->SetMediaType(PINDIR_OUTPUT, type);
}

HRESULT CTransformOutputPin::GetMediaType(int position, CMediaType* type) {
    CTransformInputPin* input = m_pTransformFilter->m_pInput;
    if (!input || !input->IsConnected()) return VFW_S_NO_MORE_ITEMS;
    return m_pTransformFilter->GetMediaType(position, type);
}

STDMETHODIMP CTransformOutputPin::Notify(IBaseFilter*, Quality quality) {
    return guardCom([&]() -> HRESULT {
        const HRESULT hr = m_pTransformFilter->AlterQuality(quality);
        if (hr != S_FALSE) return hr;
        IBaseFilter* self = m_pTransformFilter;
        if (m_pQSink) return m_pQSink->Notify(self, quality);
        IPin* upstream = nullptr;
        CTransformInputPin* input = m_pTransformFilter->m_pInput;
        if (!input || FAILED(input->ConnectedTo(&upstream)) || !upstream) return VFW_E_NOT_FOUND;
        IQualityControl* control = nullptr;
        HRESULT passed = VFW_E_NOT_FOUND;
        if (SUCCEEDED(upstream->QueryInterface(IID_IQualityControl, reinterpret_cast<void**>(&control)))) {
            passed = control->Notify(self, quality);
            control->Release();
        }
        upstream->Release();
        return passed;
    });
}

STDMETHODIMP CTransformOutputPin::SetSink(IQualityControl* sink) {
    m_pQSink = sink;
    return S_OK;
}

}  // namespace qucap
