#pragma once
// CBasePin: IPin for the pins of a CBaseFilter. It keeps the connection (the
// peer pin and the media type), negotiates the type on Connect, accepts one on
// ReceiveConnection, and leaves the type checks to the derived pin. A pin's
// reference count is its filter's.
#include <windows.h>
#include <dshow.h>

#include "dshowbase/crit_sec.h"
#include "dshowbase/media_type.h"
#include "dshowbase/unknown.h"

namespace qucap {

class CBaseFilter;

class CBasePin : public CUnknown, public IPin {
public:
    // lock: the filter lock. name: the pin's name and identifier (copied,
    // truncated to MAX_PIN_NAME - 1 characters).
    CBasePin(CBaseFilter* filter, CCritSec* lock, const WCHAR* name, PIN_DIRECTION direction);
    ~CBasePin() override;

    DECLARE_IUNKNOWN
    // IPin, then CUnknown.
    STDMETHODIMP NonDelegatingQueryInterface(REFIID iid, void** object) override;
    // The filter's count.
    STDMETHODIMP_(ULONG) NonDelegatingAddRef() override;
    STDMETHODIMP_(ULONG) NonDelegatingRelease() override;

    // IPin
    // Connects to an input pin. A fully specified type is tried alone; else
    // the receiving pin's types, then ours (GetMediaType), each matching the
    // partial type given. Errors: E_POINTER, VFW_E_ALREADY_CONNECTED,
    // VFW_E_NOT_STOPPED, VFW_E_INVALID_DIRECTION, CheckConnect's failure,
    // VFW_E_NO_ACCEPTABLE_TYPES (or the one type's failure).
    STDMETHODIMP Connect(IPin* receivePin, const AM_MEDIA_TYPE* type) override;
    // Accepts a connection from an output pin when CheckMediaType says S_OK
    // (else VFW_E_TYPE_NOT_ACCEPTED), then SetMediaType and CompleteConnect.
    STDMETHODIMP ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* type) override;
    // VFW_E_NOT_STOPPED while active; S_FALSE when not connected.
    STDMETHODIMP Disconnect() override;
    STDMETHODIMP ConnectedTo(IPin** pin) override;
    // A copy of the connection's type; not connected: a zeroed record and
    // VFW_E_NOT_CONNECTED.
    STDMETHODIMP ConnectionMediaType(AM_MEDIA_TYPE* type) override;
    STDMETHODIMP QueryPinInfo(PIN_INFO* info) override;
    STDMETHODIMP QueryDirection(PIN_DIRECTION* direction) override;
    // The name, in CoTaskMemAlloc'ed memory.
    STDMETHODIMP QueryId(LPWSTR* id) override;
    // S_OK when CheckMediaType accepts the type, else S_FALSE.
    STDMETHODIMP QueryAccept(const AM_MEDIA_TYPE* type) override;
    // An enumerator over GetMediaType(0, 1, ...).
    STDMETHODIMP EnumMediaTypes(IEnumMediaTypes** types) override;
    STDMETHODIMP QueryInternalConnections(IPin** pins, ULONG* count) override;  // E_NOTIMPL
    STDMETHODIMP EndOfStream() override;                                         // S_OK
    // Remembers the segment (see CurrentStartTime and friends).
    STDMETHODIMP NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) override;

    // What the derived pin decides.
    // S_OK accepts the type; anything else refuses it.
    virtual HRESULT CheckMediaType(const CMediaType* type) = 0;
    // The type proposed at the position: S_OK, VFW_S_NO_MORE_ITEMS past the
    // end, or a failure. E_UNEXPECTED here: the pin proposes nothing.
    virtual HRESULT GetMediaType(int position, CMediaType* type);
    // Records the connection's type.
    virtual HRESULT SetMediaType(const CMediaType* type);
    // A last look at the peer before a connection is tried: the directions
    // must differ (VFW_E_INVALID_DIRECTION).
    virtual HRESULT CheckConnect(IPin* pin);
    // Undoes CheckConnect and the work of a failed or ended connection.
    virtual HRESULT BreakConnect();
    // The connection is made (peer and type recorded); a failure undoes it.
    virtual HRESULT CompleteConnect(IPin* receivePin);
    // The filter goes from Stopped to Paused / back to Stopped / runs.
    virtual HRESULT Active();
    virtual HRESULT Inactive();
    virtual HRESULT Run(REFERENCE_TIME start);

    BOOL IsConnected() const { return m_Connected != nullptr; }
    // The peer (no reference added), or null.
    IPin* GetConnected() const { return m_Connected; }
    const CMediaType& CurrentMediaType() const { return m_mt; }
    const WCHAR* Name() const { return m_pName; }
    BOOL IsStopped() const;
    REFERENCE_TIME CurrentStartTime() const { return m_tStart; }
    REFERENCE_TIME CurrentStopTime() const { return m_tStop; }
    double CurrentRate() const { return m_dRate; }

protected:
    // Tries one fully specified type with the receiving pin.
    HRESULT AttemptConnection(IPin* receivePin, const CMediaType* type);
    // Tries every type of an enumerator that matches the partial type.
    HRESULT TryMediaTypes(IPin* receivePin, const CMediaType* partial, IEnumMediaTypes* types);
    HRESULT AgreeMediaType(IPin* receivePin, const CMediaType* partial);
    // Forgets the peer and the type after BreakConnect.
    HRESULT DisconnectInternal();

    CBaseFilter* m_pFilter;
    CCritSec* m_pLock;
    WCHAR m_pName[MAX_PIN_NAME] = {};
    PIN_DIRECTION m_dir;
    IPin* m_Connected = nullptr;
    CMediaType m_mt;
    REFERENCE_TIME m_tStart = 0;
    REFERENCE_TIME m_tStop = MAXLONGLONG;
    double m_dRate = 1.0;
};

}  // namespace qucap
