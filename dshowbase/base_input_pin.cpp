#include "dshowbase/base_input_pin.h"

#include "dshowbase/base_filter.h"
#include "dshowbase/memory_allocator.h"

namespace qucap {
namespace {

// The properties of a sample without IMediaSample2, asked one by one.
void readSampleProperties(IMediaSample* sample, AM_SAMPLE2_PROPERTIES& props, CMediaType& typeHolder) {
    props = {};
    props.cbData = sizeof props;
    props.dwStreamId = AM_STREAM_MEDIA;
    const HRESULT time = sample->GetTime(&props.tStart, &props.tStop);
    if (SUCCEEDED(time)) {
        props.dwSampleFlags |= AM_SAMPLE_TIMEVALID;
        if (time == VFW_S_NO_STOP_TIME)
            props.tStop = props.tStart + 1;
        else
            props.dwSampleFlags |= AM_SAMPLE_STOPVALID;
    }
    if (sample->IsSyncPoint() == S_OK) props.dwSampleFlags |= AM_SAMPLE_SPLICEPOINT;
    if (sample->IsPreroll() == S_OK) props.dwSampleFlags |= AM_SAMPLE_PREROLL;
    if (sample->IsDiscontinuity() == S_OK) props.dwSampleFlags |= AM_SAMPLE_DATADISCONTINUITY;
    AM_MEDIA_TYPE* type = nullptr;
    if (sample->GetMediaType(&type) == S_OK && type) {
        typeHolder.Set(*type);
        DeleteMediaType(type);
        props.dwSampleFlags |= AM_SAMPLE_TYPECHANGED;
        props.pMediaType = &typeHolder;
    }
    sample->GetPointer(&props.pbBuffer);
    props.lActual = sample->GetActualDataLength();
    props.cbBuffer = sample->GetSize();
}

}  // namespace

CBaseInputPin::CBaseInputPin(CBaseFilter* filter, CCritSec* lock, const WCHAR* name)
    : CBasePin(filter, lock, name, PINDIR_INPUT) {}

CBaseInputPin::~CBaseInputPin() {
    if (m_pAllocator) m_pAllocator->Release();
}

STDMETHODIMP CBaseInputPin::NonDelegatingQueryInterface(REFIID iid, void** object) {
    if (IsEqualIID(iid, IID_IMemInputPin)) return GetInterface(static_cast<IMemInputPin*>(this), object);
    return CBasePin::NonDelegatingQueryInterface(iid, object);
}

STDMETHODIMP CBaseInputPin::GetAllocator(IMemAllocator** allocator) {
    if (!allocator) return E_POINTER;
    *allocator = nullptr;
    CAutoLock lock(m_pLock);
    if (!m_pAllocator) {
        const HRESULT hr = CMemAllocator::Create(&m_pAllocator);
        if (FAILED(hr)) return hr;
    }
    *allocator = m_pAllocator;
    m_pAllocator->AddRef();
    return S_OK;
}

STDMETHODIMP CBaseInputPin::NotifyAllocator(IMemAllocator* allocator, BOOL readOnly) {
    if (!allocator) return E_POINTER;
    CAutoLock lock(m_pLock);
    allocator->AddRef();
    if (m_pAllocator) m_pAllocator->Release();
    m_pAllocator = allocator;
    m_bReadOnly = readOnly;
    return S_OK;
}

STDMETHODIMP CBaseInputPin::GetAllocatorRequirements(ALLOCATOR_PROPERTIES*) { return E_NOTIMPL; }

STDMETHODIMP CBaseInputPin::Receive(IMediaSample* sample) {
    if (!sample) return E_POINTER;
    HRESULT hr = CheckStreaming();
    if (hr != S_OK) return hr;
    IMediaSample2* sample2 = nullptr;
    if (SUCCEEDED(sample->QueryInterface(IID_IMediaSample2, reinterpret_cast<void**>(&sample2)))) {
        hr = sample2->GetProperties(sizeof m_SampleProps, reinterpret_cast<BYTE*>(&m_SampleProps));
        sample2->Release();
        if (FAILED(hr)) return hr;
    } else {
        readSampleProperties(sample, m_SampleProps, sampleType_);
    }
    if ((m_SampleProps.dwSampleFlags & AM_SAMPLE_TYPECHANGED) && m_SampleProps.pMediaType) {
        CMediaType changed;
        hr = changed.Set(*m_SampleProps.pMediaType);
        if (SUCCEEDED(hr) && CheckMediaType(&changed) == S_OK) {
            hr = SetMediaType(&changed);
            return FAILED(hr) ? hr : S_OK;
        }
        // A format the pin cannot take: the stream ends here, and the graph
        // is told why.
        EndOfStream();
        m_bRunTimeError = TRUE;
        m_pFilter->NotifyEvent(EC_ERRORABORT, VFW_E_TYPE_NOT_ACCEPTED, 0);
        return VFW_E_INVALIDMEDIATYPE;
    }
    return S_OK;
}

STDMETHODIMP CBaseInputPin::ReceiveMultiple(IMediaSample** samples, long count, long* processed) {
    if (!samples || !processed) return E_POINTER;
    HRESULT hr = S_OK;
    *processed = 0;
    while (*processed < count) {
        hr = Receive(samples[*processed]);
        if (hr != S_OK) break;
        ++*processed;
    }
    return hr;
}

STDMETHODIMP CBaseInputPin::ReceiveCanBlock() {
    int outputs = 0;
    for (int n = 0; n < m_pFilter->GetPinCount(); ++n) {
        CBasePin* pin = m_pFilter->GetPin(n);
        PIN_DIRECTION direction;
        if (!pin || FAILED(pin->QueryDirection(&direction)) || direction != PINDIR_OUTPUT) continue;
        ++outputs;
        IPin* peer = pin->GetConnected();
        if (!peer) continue;
        IMemInputPin* downstream = nullptr;
        if (FAILED(peer->QueryInterface(IID_IMemInputPin, reinterpret_cast<void**>(&downstream)))) return S_OK;
        const HRESULT hr = downstream->ReceiveCanBlock();
        downstream->Release();
        if (hr != S_FALSE) return S_OK;
    }
    return outputs == 0 ? S_OK : S_FALSE;
}

STDMETHODIMP CBaseInputPin::BeginFlush() {
    CAutoLock lock(m_pLock);
    m_bFlushing = TRUE;
    return S_OK;
}

STDMETHODIMP CBaseInputPin::EndFlush() {
    CAutoLock lock(m_pLock);
    m_bFlushing = FALSE;
    m_bRunTimeError = FALSE;
    return S_OK;
}

HRESULT CBaseInputPin::BreakConnect() {
    if (m_pAllocator) {
        m_pAllocator->Release();
        m_pAllocator = nullptr;
    }
    return S_OK;
}

HRESULT CBaseInputPin::Inactive() {
    m_bRunTimeError = FALSE;
    if (!m_pAllocator) return VFW_E_NO_ALLOCATOR;
    m_bFlushing = FALSE;
    return m_pAllocator->Decommit();
}

HRESULT CBaseInputPin::CheckStreaming() {
    if (IsStopped()) return VFW_E_WRONG_STATE;
    if (m_bFlushing) return S_FALSE;
    if (m_bRunTimeError) return VFW_E_RUNTIME_ERROR;
    return S_OK;
}

}  // namespace qucap
