#pragma once
// CEnumPins: IEnumPins over the pins of a CBaseFilter (GetPinCount/GetPin at
// each call). It holds a reference on the filter.
#include <windows.h>
#include <dshow.h>

#include "dshowbase/unknown.h"

namespace qucap {

class CBaseFilter;

class CEnumPins : public CUnknown, public IEnumPins {
public:
    explicit CEnumPins(CBaseFilter* filter, ULONG position = 0);
    ~CEnumPins() override;

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID iid, void** object) override;

    // S_OK when count pins were given, S_FALSE when fewer; a null fetched
    // count is allowed only for one pin (E_POINTER).
    STDMETHODIMP Next(ULONG count, IPin** pins, ULONG* fetched) override;
    STDMETHODIMP Skip(ULONG count) override;
    STDMETHODIMP Reset() override;
    STDMETHODIMP Clone(IEnumPins** clone) override;

private:
    CBaseFilter* filter_;
    ULONG position_;
};

}  // namespace qucap
