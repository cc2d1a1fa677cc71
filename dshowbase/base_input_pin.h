#pragma once
// CBaseInputPin: an input pin with IMemInputPin. It keeps the allocator the
// upstream pin chose, checks the streaming state of each sample, takes in a
// media type change carried by a sample, and keeps the flushing flag.
#include <windows.h>
#include <dshow.h>

#include "dshowbase/base_pin.h"

namespace qucap {

class CBaseInputPin : public CBasePin, public IMemInputPin {
public:
    CBaseInputPin(CBaseFilter* filter, CCritSec* lock, const WCHAR* name);
    ~CBaseInputPin() override;

    DECLARE_IUNKNOWN
    // IMemInputPin, then CBasePin.
    STDMETHODIMP NonDelegatingQueryInterface(REFIID iid, void** object) override;

    // IMemInputPin
    // The allocator notified by the upstream pin, or a new CMemAllocator
    // kept for the connection.
    STDMETHODIMP GetAllocator(IMemAllocator** allocator) override;
    // Keeps the allocator (null: E_POINTER) and the read-only flag.
    STDMETHODIMP NotifyAllocator(IMemAllocator* allocator, BOOL readOnly) override;
    STDMETHODIMP GetAllocatorRequirements(ALLOCATOR_PROPERTIES* properties) override;  // E_NOTIMPL
    // CheckStreaming, then the sample's properties into SampleProps(); a type
    // change the pin refuses stops the stream (EndOfStream, EC_ERRORABORT) and
    // gives VFW_E_INVALIDMEDIATYPE. S_OK means the derived pin may process it.
    STDMETHODIMP Receive(IMediaSample* sample) override;
    // Receive for each sample until one answers other than S_OK.
    STDMETHODIMP ReceiveMultiple(IMediaSample** samples, long count, long* processed) override;
    // S_OK when a downstream input pin of the filter may block (or the filter
    // has no output pin), else S_FALSE.
    STDMETHODIMP ReceiveCanBlock() override;

    // IPin: the flushing flag.
    STDMETHODIMP BeginFlush() override;
    STDMETHODIMP EndFlush() override;

    // Releases the allocator.
    HRESULT BreakConnect() override;
    // Clears the run-time error and decommits the allocator.
    HRESULT Inactive() override;

    // VFW_E_WRONG_STATE when stopped, S_FALSE while flushing,
    // VFW_E_RUNTIME_ERROR after a run-time error, else S_OK.
    virtual HRESULT CheckStreaming();

    BOOL IsFlushing() const { return m_bFlushing; }
    BOOL IsReadOnly() const { return m_bReadOnly; }
    // The allocator the upstream pin notified (no reference added), or null.
    IMemAllocator* Allocator() const { return m_pAllocator; }
    // The properties of the sample being received.
    AM_SAMPLE2_PROPERTIES* SampleProps() { return &m_SampleProps; }

protected:
    IMemAllocator* m_pAllocator = nullptr;
    BOOL m_bReadOnly = FALSE;
    BOOL m_bFlushing = FALSE;
    BOOL m_bRunTimeError = FALSE;
    AM_SAMPLE2_PROPERTIES m_SampleProps = {};

private:
    // A type change read through IMediaSample::GetMediaType (no IMediaSample2).
    CMediaType sampleType_;
};

}  // namespace qucap
