#include "dshowbase/transform_filter.h"

#include <cwchar>
#include <new>

#include "dshowbase/com_guard.h"
#include "dshowbase/sample_props.h"
#include "dshowbase/transform_input_pin.h"
#include "dshowbase/transform_output_pin.h"

namespace qucap {
namespace {

// The length a fresh output sample carries: the fixed sample size of the type
// it is delivered with, when the buffer holds it.
void setOutputLength(IMediaSample* out, const CMediaType& connectionType) {
    ULONG size = connectionType.GetSampleSize();
    AM_MEDIA_TYPE* changed = nullptr;
    if (out->GetMediaType(&changed) == S_OK && changed) {
        size = changed->bFixedSizeSamples ? changed->lSampleSize : 0;
        DeleteMediaType(changed);
    }
    if (size > 0 && long(size) <= out->GetSize()) out->SetActualDataLength(long(size));
}

}  // namespace

CTransformFilter::CTransformFilter(IUnknown* outer, REFCLSID clsid) : CBaseFilter(outer, &m_csFilter, clsid) {}

CTransformFilter::~CTransformFilter() {
    delete m_pOutput;
    delete m_pInput;
}

int CTransformFilter::GetPinCount() { return 2; }

CBasePin* CTransformFilter::GetPin(int n) {
    {
        CAutoLock lock(&m_csFilter);
        if (!m_pInput) {
            // The input first: the output pin's seeking passes through it.
            m_pInput = new (std::nothrow) CTransformInputPin(this);
            if (m_pInput) m_pOutput = new (std::nothrow) CTransformOutputPin(this);
            if (!m_pOutput) {
                delete m_pInput;
                m_pInput = nullptr;
            }
        }
    }
    if (n == 0) return m_pInput;
    if (n == 1) return m_pOutput;
    return nullptr;
}

STDMETHODIMP CTransformFilter::FindPin(LPCWSTR id, IPin** pin) {
    if (!pin) return E_POINTER;
    *pin = nullptr;
    if (!id) return E_POINTER;
    // The short names of the documented filter, besides the pins' own names
    // (which QueryId gives and FindPin must take back).
    if (std::wcscmp(id, L"In") == 0) id = GetPin(0) ? GetPin(0)->Name() : id;
    if (std::wcscmp(id, L"Out") == 0) id = GetPin(1) ? GetPin(1)->Name() : id;
    return CBaseFilter::FindPin(id, pin);
}

STDMETHODIMP CTransformFilter::Stop() {
    return guardCom([&]() -> HRESULT {
        CAutoLock lock(&m_csFilter);
        if (m_State == State_Stopped) return S_OK;
        if (!m_pInput || !m_pInput->IsConnected() || !m_pOutput->IsConnected()) {
            m_State = State_Stopped;
            m_bEOSDelivered = FALSE;
            return S_OK;
        }
        // The input first: decommitting its allocator releases an upstream thread
        // waiting for a buffer, so the streaming lock below can be had.
        m_pInput->Inactive();
        CAutoLock streaming(&m_csReceive);
        HRESULT hr = m_pOutput->Inactive();
        if (SUCCEEDED(hr)) hr = StopStreaming();
        if (SUCCEEDED(hr)) {
            m_State = State_Stopped;
            m_bEOSDelivered = FALSE;
        }
        return hr;
    });
}

STDMETHODIMP CTransformFilter::Pause() {
    return guardCom([&]() -> HRESULT {
        CAutoLock lock(&m_csFilter);
        HRESULT hr = S_OK;
        if (m_State == State_Paused) {
            // nothing to do
        } else if (!m_pInput || !m_pInput->IsConnected()) {
            // No input will ever come: tell downstream now, once.
            if (m_pOutput && m_pOutput->IsConnected() && !m_bEOSDelivered) {
                m_pOutput->DeliverEndOfStream();
                m_bEOSDelivered = TRUE;
            }
            m_State = State_Paused;
        } else if (!m_pOutput->IsConnected()) {
            m_State = State_Paused;
        } else {
            if (m_State == State_Stopped) {
                CAutoLock streaming(&m_csReceive);
                hr = StartStreaming();
            }
            if (SUCCEEDED(hr)) hr = CBaseFilter::Pause();
        }
        m_bSampleSkipped = FALSE;
        m_bQualityChanged = FALSE;
        return hr;
    });
}

HRESULT CTransformFilter::Transform(IMediaSample*, IMediaSample*) { return E_UNEXPECTED; }

HRESULT CTransformFilter::StartStreaming() { return S_OK; }

HRESULT CTransformFilter::StopStreaming() { return S_OK; }

HRESULT CTransformFilter::AlterQuality(Quality) { return S_FALSE; }

HRESULT CTransformFilter::SetMediaType(PIN_DIRECTION, const CMediaType*) { return S_OK; }

HRESULT CTransformFilter::CheckConnect(PIN_DIRECTION, IPin*) { return S_OK; }

HRESULT CTransformFilter::BreakConnect(PIN_DIRECTION) { return S_OK; }

HRESULT CTransformFilter::CompleteConnect(PIN_DIRECTION, IPin*) { return S_OK; }

HRESULT CTransformFilter::Receive(IMediaSample* sample) {
    const AM_SAMPLE2_PROPERTIES* props = m_pInput->SampleProps();
    if (props->dwStreamId != AM_STREAM_MEDIA) return m_pOutput->Deliver(sample);

    IMediaSample* out = nullptr;
    HRESULT hr = InitializeOutputSample(sample, &out);
    if (FAILED(hr)) return hr;
    hr = Transform(sample, out);
    if (hr == S_FALSE) {
        // Dropped on purpose (a quality decision): the graph hears of it once.
        m_bSampleSkipped = TRUE;
        if (!m_bQualityChanged) {
            m_bQualityChanged = TRUE;
            NotifyEvent(EC_QUALITY_CHANGE, 0, 0);
        }
        hr = S_OK;
    } else if (SUCCEEDED(hr)) {
        hr = m_pOutput->Deliver(out);
        m_bSampleSkipped = FALSE;
    }
    out->Release();
    return hr;
}

HRESULT CTransformFilter::InitializeOutputSample(IMediaSample* sample, IMediaSample** outSample) {
    *outSample = nullptr;
    AM_SAMPLE2_PROPERTIES* props = m_pInput->SampleProps();
    DWORD flags = m_bSampleSkipped ? AM_GBF_PREVFRAMESKIPPED : 0;
    if (!(props->dwSampleFlags & AM_SAMPLE_SPLICEPOINT)) flags |= AM_GBF_NOTASYNCPOINT;
    const bool hasStart = props->dwSampleFlags & AM_SAMPLE_TIMEVALID;
    const bool hasStop = props->dwSampleFlags & AM_SAMPLE_STOPVALID;

    IMediaSample* out = nullptr;
    HRESULT hr = m_pOutput->GetDeliveryBuffer(&out, hasStart ? &props->tStart : nullptr,
                                              hasStop ? &props->tStop : nullptr, flags);
    if (FAILED(hr)) return hr;

    // A flag the input cannot answer is left clear on the output.
    copySampleProperties(sample, out);
    // A start time without a stop time, which GetTime answers with a success code of its own.
    if (hasStart && !hasStop) out->SetTime(&props->tStart, nullptr);
    setOutputLength(out, m_pOutput->CurrentMediaType());

    *outSample = out;
    return S_OK;
}

HRESULT CTransformFilter::EndOfStream() { return m_pOutput ? m_pOutput->DeliverEndOfStream() : S_OK; }

HRESULT CTransformFilter::BeginFlush() { return m_pOutput ? m_pOutput->DeliverBeginFlush() : S_OK; }

HRESULT CTransformFilter::EndFlush() { return m_pOutput ? m_pOutput->DeliverEndFlush() : S_OK; }

HRESULT CTransformFilter::NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) {
    return m_pOutput ? m_pOutput->DeliverNewSegment(start, stop, rate) : S_OK;
}

}  // namespace qucap
