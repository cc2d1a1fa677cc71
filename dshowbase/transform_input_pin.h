#pragma once
// CTransformInputPin "XForm In": the input pin of a CTransformFilter. It
// proposes no type, accepts what CheckInputType (and, with the output
// connected, CheckTransform) accepts, and hands samples, end of stream,
// flushing and segments to the filter.
#include "dshowbase/base_input_pin.h"

namespace qucap {

class CTransformFilter;

class CTransformInputPin : public CBaseInputPin {
public:
    explicit CTransformInputPin(CTransformFilter* filter, const WCHAR* name = L"XForm In");

    HRESULT CheckConnect(IPin* pin) override;
    HRESULT BreakConnect() override;
    HRESULT CompleteConnect(IPin* receivePin) override;
    HRESULT CheckMediaType(const CMediaType* type) override;
    HRESULT SetMediaType(const CMediaType* type) override;
    // Also VFW_E_NOT_CONNECTED while the output pin is unconnected.
    HRESULT CheckStreaming() override;

    // Under the streaming lock: CBaseInputPin::Receive, then the filter's.
    STDMETHODIMP Receive(IMediaSample* sample) override;
    // Under the streaming lock: CheckStreaming, then the filter's.
    STDMETHODIMP EndOfStream() override;
    // Under the filter lock; VFW_E_NOT_CONNECTED unless both pins are connected.
    STDMETHODIMP BeginFlush() override;
    STDMETHODIMP EndFlush() override;
    STDMETHODIMP NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) override;

protected:
    CTransformFilter* m_pTransformFilter;
};

}  // namespace qucap
