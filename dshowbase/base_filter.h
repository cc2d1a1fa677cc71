#pragma once
// CBaseFilter: IBaseFilter (with IMediaFilter and IPersist) for a filter whose
// pins are CBasePin objects: the state machine Stop/Pause/Run, the reference
// clock, the graph it joined, pin enumeration and events to the graph.
#include <windows.h>
#include <dshow.h>

#include "dshowbase/crit_sec.h"
#include "dshowbase/unknown.h"

namespace qucap {

class CBasePin;

class CBaseFilter : public CUnknown, public IBaseFilter {
public:
    // lock: the filter lock (owned by the derived filter), held by every state
    // change and connection. clsid: what GetClassID answers.
    CBaseFilter(IUnknown* outer, CCritSec* lock, REFCLSID clsid);
    ~CBaseFilter() override;

    DECLARE_IUNKNOWN
    // IBaseFilter, IMediaFilter, IPersist, then CUnknown.
    STDMETHODIMP NonDelegatingQueryInterface(REFIID iid, void** object) override;

    // IPersist
    STDMETHODIMP GetClassID(CLSID* clsid) override;

    // IMediaFilter. Stop calls Inactive on every connected pin (when not
    // stopped); Pause from Stopped calls Active on every connected pin; Run
    // pauses first when stopped, then calls Run(start) on every connected pin.
    // A pin's failure is returned and leaves the state unchanged.
    STDMETHODIMP Stop() override;
    STDMETHODIMP Pause() override;
    STDMETHODIMP Run(REFERENCE_TIME start) override;
    // The current state at once (no intermediate states); null: E_POINTER.
    STDMETHODIMP GetState(DWORD milliseconds, FILTER_STATE* state) override;
    STDMETHODIMP SetSyncSource(IReferenceClock* clock) override;
    // The clock with a reference added, or null.
    STDMETHODIMP GetSyncSource(IReferenceClock** clock) override;

    // IBaseFilter
    STDMETHODIMP EnumPins(IEnumPins** pins) override;
    // The pin whose name is id; none: VFW_E_NOT_FOUND with *pin null.
    STDMETHODIMP FindPin(LPCWSTR id, IPin** pin) override;
    // The name given at JoinFilterGraph and the graph (with a reference added).
    STDMETHODIMP QueryFilterInfo(FILTER_INFO* info) override;
    // Remembers the graph and its IMediaEventSink without holding references
    // (the graph holds the filter), and the name (truncated to MAX_FILTER_NAME
    // - 1 characters). A null graph leaves the graph.
    STDMETHODIMP JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) override;
    // E_NOTIMPL: no vendor information.
    STDMETHODIMP QueryVendorInfo(LPWSTR* vendorInfo) override;

    // The pins, numbered from 0. GetPin gives null for a number out of range.
    virtual int GetPinCount() = 0;
    virtual CBasePin* GetPin(int n) = 0;

    // Sends an event to the graph's event sink; E_NOTIMPL when the filter is
    // in no graph. For EC_COMPLETE a null second parameter becomes this filter.
    HRESULT NotifyEvent(long code, LONG_PTR param1, LONG_PTR param2);

    BOOL IsActive();
    BOOL IsStopped();
    // The graph joined (no reference added), or null.
    IFilterGraph* GetFilterGraph() const { return m_pGraph; }
    CCritSec* pStateLock() const { return m_pLock; }
    // The stream time base given to Run.
    REFERENCE_TIME StreamStartTime() const { return m_tStart; }

protected:
    FILTER_STATE m_State = State_Stopped;
    IReferenceClock* m_pClock = nullptr;
    REFERENCE_TIME m_tStart = 0;
    CLSID m_clsid;
    CCritSec* m_pLock;
    IFilterGraph* m_pGraph = nullptr;
    IMediaEventSink* m_pSink = nullptr;
    WCHAR m_name[MAX_FILTER_NAME] = {};
};

}  // namespace qucap
