#include "dshowbase/enum_pins.h"

#include <new>

#include "dshowbase/base_filter.h"
#include "dshowbase/base_pin.h"

namespace qucap {

CEnumPins::CEnumPins(CBaseFilter* filter, ULONG position) : CUnknown(nullptr), filter_(filter), position_(position) {
    filter_->AddRef();
}

CEnumPins::~CEnumPins() { filter_->Release(); }

STDMETHODIMP CEnumPins::NonDelegatingQueryInterface(REFIID iid, void** object) {
    if (IsEqualIID(iid, IID_IEnumPins)) return GetInterface(static_cast<IEnumPins*>(this), object);
    return CUnknown::NonDelegatingQueryInterface(iid, object);
}

STDMETHODIMP CEnumPins::Next(ULONG count, IPin** pins, ULONG* fetched) {
    if (!pins || (!fetched && count != 1)) return E_POINTER;
    ULONG given = 0;
    while (given < count && int(position_) < filter_->GetPinCount()) {
        CBasePin* pin = filter_->GetPin(int(position_));
        ++position_;
        if (!pin) continue;
        pins[given] = pin;
        pin->AddRef();
        ++given;
    }
    if (fetched) *fetched = given;
    return given == count ? S_OK : S_FALSE;
}

STDMETHODIMP CEnumPins::Skip(ULONG count) {
    const ULONG total = ULONG(filter_->GetPinCount());
    if (position_ + count > total) {
        position_ = total;
        return S_FALSE;
    }
    position_ += count;
    return S_OK;
}

STDMETHODIMP CEnumPins::Reset() {
    position_ = 0;
    return S_OK;
}

STDMETHODIMP CEnumPins::Clone(IEnumPins** clone) {
    if (!clone) return E_POINTER;
    *clone = nullptr;
    auto* copy = new (std::nothrow) CEnumPins(filter_, position_);
    if (!copy) return E_OUTOFMEMORY;
    return copy->NonDelegatingQueryInterface(IID_IEnumPins, reinterpret_cast<void**>(clone));
}

}  // namespace qucap
