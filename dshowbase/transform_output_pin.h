#pragma once
// CTransformOutputPin "XForm Out": the output pin of a CTransformFilter. It
// connects only once the input pin is connected, proposes the filter's
// GetMediaType types, checks each with CheckTransform, passes quality
// messages upstream and answers IMediaSeeking by passing every call to the
// upstream filter, so a graph's seeking works through the filter.
#include "dshowbase/base_output_pin.h"
#include "dshowbase/seeking_passthru.h"

namespace qucap {

class CTransformFilter;

class CTransformOutputPin : public CBaseOutputPin, public IQualityControl {
public:
    explicit CTransformOutputPin(CTransformFilter* filter, const WCHAR* name = L"XForm Out");

    DECLARE_IUNKNOWN
    // IMediaSeeking (the pass-through), IQualityControl, then CBaseOutputPin.
    STDMETHODIMP NonDelegatingQueryInterface(REFIID iid, void** object) override;

    // E_UNEXPECTED while the input is unconnected.
    HRESULT CheckConnect(IPin* pin) override;
    HRESULT BreakConnect() override;
    // The filter's CompleteConnect, then the allocator.
    HRESULT CompleteConnect(IPin* receivePin) override;
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;
    // E_UNEXPECTED while the input is unconnected, else CheckTransform.
    HRESULT CheckMediaType(const CMediaType* type) override;
    HRESULT SetMediaType(const CMediaType* type) override;
    // VFW_S_NO_MORE_ITEMS while the input is unconnected, else the filter's.
    HRESULT GetMediaType(int position, CMediaType* type) override;

    // IQualityControl: the filter's AlterQuality; when that answers S_FALSE
    // the message goes to the sink set by SetSink, or else upstream.
    STDMETHODIMP Notify(IBaseFilter* self, Quality quality) override;
    STDMETHODIMP SetSink(IQualityControl* sink) override;

protected:
    CTransformFilter* m_pTransformFilter;
    IQualityControl* m_pQSink = nullptr;  // no reference held, as documented
    CSeekingPassThru m_seeking;
};

}  // namespace qucap
