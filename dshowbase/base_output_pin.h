#pragma once
// CBaseOutputPin: an output pin that delivers through the downstream pin's
// IMemInputPin. It settles the allocator at connection (DecideAllocator),
// commits it when the filter becomes active and decommits it when it stops,
// and passes samples and stream events downstream.
#include <windows.h>
#include <dshow.h>

#include "dshowbase/base_pin.h"

namespace qucap {

class CBaseOutputPin : public CBasePin {
public:
    CBaseOutputPin(CBaseFilter* filter, CCritSec* lock, const WCHAR* name);
    ~CBaseOutputPin() override;

    // Sets the allocator's properties (IMemAllocator::SetProperties) from the
    // downstream pin's requirements in *request (at least 1-byte alignment).
    virtual HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) = 0;
    // Into a filter that ends the stream (no output pin: a renderer), the
    // downstream pin's allocator if DecideBufferSize and NotifyAllocator
    // succeed with it, otherwise one of InitAllocator; into any other filter
    // the other way round. *allocator holds a reference on success and is
    // null on failure.
    virtual HRESULT DecideAllocator(IMemInputPin* pin, IMemAllocator** allocator);
    // A new CMemAllocator.
    virtual HRESULT InitAllocator(IMemAllocator** allocator);

    // A buffer from the allocator (VFW_E_NO_ALLOCATOR without one).
    HRESULT GetDeliveryBuffer(IMediaSample** sample, REFERENCE_TIME* start, REFERENCE_TIME* stop, DWORD flags);
    // To the downstream pin; VFW_E_NOT_CONNECTED when there is none.
    HRESULT Deliver(IMediaSample* sample);
    HRESULT DeliverEndOfStream();
    HRESULT DeliverBeginFlush();
    HRESULT DeliverEndFlush();
    HRESULT DeliverNewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate);

    // The peer must offer IMemInputPin (E_NOINTERFACE) and be an input pin.
    HRESULT CheckConnect(IPin* pin) override;
    // Releases the allocator and the peer's IMemInputPin.
    HRESULT BreakConnect() override;
    // DecideAllocator with the peer.
    HRESULT CompleteConnect(IPin* receivePin) override;
    // Commit / decommit the allocator (VFW_E_NO_ALLOCATOR without one).
    HRESULT Active() override;
    HRESULT Inactive() override;

    // IPin methods an output pin never receives: E_UNEXPECTED.
    STDMETHODIMP EndOfStream() override;
    STDMETHODIMP BeginFlush() override;
    STDMETHODIMP EndFlush() override;

    // The allocator in use (no reference added), or null.
    IMemAllocator* Allocator() const { return m_pAllocator; }
    // Whether that allocator is one of InitAllocator's, not the downstream pin's.
    bool UsesOwnAllocator() const { return m_pAllocator != nullptr && ownAllocator_; }
    // Whether the downstream filter of the last DecideAllocator has no output pin (a renderer).
    bool DeliversToTheStreamsEnd() const { return endsTheStream_; }

protected:
    IMemAllocator* m_pAllocator = nullptr;
    IMemInputPin* m_pInputPin = nullptr;

private:
    bool ownAllocator_ = false;   // what the last DecideAllocator settled on
    bool endsTheStream_ = false;  // and what it found downstream
};

}  // namespace qucap
