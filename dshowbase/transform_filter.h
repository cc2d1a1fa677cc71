#pragma once
// CTransformFilter: a filter with one input pin "XForm In" and one output pin
// "XForm Out" that turns every input sample into one output sample taken from
// the output pin's allocator. The derived filter checks the types, proposes
// the output type, sizes the buffers and does the transform.
//
// Locks: m_csFilter (the filter lock) guards state changes and connections;
// m_csReceive (the streaming lock) is held by the streaming thread while a
// sample or end of stream passes through, and by Stop before it stops the
// output, so a sample is never half-way through a stopped filter.
#include <windows.h>
#include <dshow.h>

#include "dshowbase/base_filter.h"
#include "dshowbase/crit_sec.h"
#include "dshowbase/media_type.h"

namespace qucap {

class CBasePin;
class CTransformInputPin;
class CTransformOutputPin;

class CTransformFilter : public CBaseFilter {
public:
    CTransformFilter(IUnknown* outer, REFCLSID clsid);
    ~CTransformFilter() override;

    // Two pins. GetPin makes both pins at its first call (null when memory runs out):
    // 0 is the input, 1 the output.
    int GetPinCount() override;
    CBasePin* GetPin(int n) override;
    // "In" or "XForm In" gives the input, "Out" or "XForm Out" the output.
    STDMETHODIMP FindPin(LPCWSTR id, IPin** pin) override;

    // Stop: input Inactive, then under the streaming lock output Inactive and
    // StopStreaming. Pause from Stopped: StartStreaming under the streaming
    // lock, then CBaseFilter::Pause. With the input unconnected, Pause sends
    // end of stream downstream once, so the graph can still complete.
    STDMETHODIMP Stop() override;
    STDMETHODIMP Pause() override;

    // What the derived filter does.
    // Fills the output sample from the input sample. S_OK delivers it;
    // S_FALSE drops it (EC_QUALITY_CHANGE once); a failure is returned to the
    // upstream pin. The base gives E_UNEXPECTED.
    virtual HRESULT Transform(IMediaSample* in, IMediaSample* out);
    // S_OK accepts the input type.
    virtual HRESULT CheckInputType(const CMediaType* in) = 0;
    // S_OK accepts the output type for the input type.
    virtual HRESULT CheckTransform(const CMediaType* in, const CMediaType* out) = 0;
    // Sets the output allocator's properties.
    virtual HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) = 0;
    // The output type at the position (only asked once the input is
    // connected): S_OK, VFW_S_NO_MORE_ITEMS past the end, or a failure.
    virtual HRESULT GetMediaType(int position, CMediaType* type) = 0;

    // Hooks with the documented defaults (S_OK, or S_FALSE for AlterQuality:
    // "pass the quality message upstream").
    virtual HRESULT StartStreaming();
    virtual HRESULT StopStreaming();
    virtual HRESULT AlterQuality(Quality quality);
    virtual HRESULT SetMediaType(PIN_DIRECTION direction, const CMediaType* type);
    virtual HRESULT CheckConnect(PIN_DIRECTION direction, IPin* pin);
    virtual HRESULT BreakConnect(PIN_DIRECTION direction);
    // Called by each pin when its connection is made; a failure undoes it.
    virtual HRESULT CompleteConnect(PIN_DIRECTION direction, IPin* receivePin);

    // The streaming side, called by the input pin (Receive and EndOfStream
    // under the streaming lock).
    // Non-media samples pass through untouched; media samples go through
    // InitializeOutputSample, Transform and the output pin's peer.
    virtual HRESULT Receive(IMediaSample* sample);
    virtual HRESULT EndOfStream();
    virtual HRESULT BeginFlush();
    virtual HRESULT EndFlush();
    virtual HRESULT NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate);

    // A buffer from the output allocator with the input's times, flags and
    // media times copied. Its actual data length is the output type's fixed
    // sample size (the allocator's length for variable-sized types); Transform
    // sets another length when it writes less.
    HRESULT InitializeOutputSample(IMediaSample* sample, IMediaSample** outSample);

    // The pins (made here if GetPin has not made them yet), or null when
    // memory ran out.
    CTransformInputPin* InputPin() {
        GetPin(0);
        return m_pInput;
    }
    CTransformOutputPin* OutputPin() {
        GetPin(1);
        return m_pOutput;
    }

protected:
    BOOL m_bEOSDelivered = FALSE;
    BOOL m_bSampleSkipped = FALSE;
    BOOL m_bQualityChanged = FALSE;
    CCritSec m_csFilter;
    CCritSec m_csReceive;
    CTransformInputPin* m_pInput = nullptr;
    CTransformOutputPin* m_pOutput = nullptr;

    friend class CTransformInputPin;
    friend class CTransformOutputPin;
};

}  // namespace qucap
