#pragma once
// CEnumMediaTypes: IEnumMediaTypes over a pin's GetMediaType(0, 1, ...). The
// types are handed out as CoTaskMemAlloc'ed copies (free them with
// DeleteMediaType). It holds a reference on the pin (its filter).
#include <windows.h>
#include <dshow.h>

#include "dshowbase/unknown.h"

namespace qucap {

class CBasePin;

class CEnumMediaTypes : public CUnknown, public IEnumMediaTypes {
public:
    explicit CEnumMediaTypes(CBasePin* pin, ULONG position = 0);
    ~CEnumMediaTypes() override;

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID iid, void** object) override;

    // S_OK when count types were given, S_FALSE when fewer; a null fetched
    // count is allowed only for one type (E_POINTER). E_OUTOFMEMORY when a
    // copy cannot be made (nothing is handed out then).
    STDMETHODIMP Next(ULONG count, AM_MEDIA_TYPE** types, ULONG* fetched) override;
    STDMETHODIMP Skip(ULONG count) override;
    STDMETHODIMP Reset() override;
    STDMETHODIMP Clone(IEnumMediaTypes** clone) override;

private:
    CBasePin* pin_;
    ULONG position_;
};

}  // namespace qucap
