#include "dshowbase/enum_media_types.h"

#include <new>

#include "dshowbase/base_pin.h"
#include "dshowbase/com_guard.h"
#include "dshowbase/media_type.h"

namespace qucap {

CEnumMediaTypes::CEnumMediaTypes(CBasePin* pin, ULONG position) : CUnknown(nullptr), pin_(pin), position_(position) {
    pin_->AddRef();
}

CEnumMediaTypes::~CEnumMediaTypes() { pin_->Release(); }

STDMETHODIMP CEnumMediaTypes::NonDelegatingQueryInterface(REFIID iid, void** object) {
    if (IsEqualIID(iid, IID_IEnumMediaTypes)) return GetInterface(static_cast<IEnumMediaTypes*>(this), object);
    return CUnknown::NonDelegatingQueryInterface(iid, object);
}

STDMETHODIMP CEnumMediaTypes::Next(ULONG count, AM_MEDIA_TYPE** types, ULONG* fetched) {
    return guardCom([&]() -> HRESULT {
        if (!types || (!fetched && count != 1)) return E_POINTER;
        ULONG given = 0;
        while (given < count) {
            CMediaType type;
            if (pin_->GetMediaType(int(position_), &type) != S_OK) break;
            AM_MEDIA_TYPE* copy = CreateMediaType(&type);
            if (!copy) {
                position_ -= given;
                while (given > 0) DeleteMediaType(types[--given]);
                if (fetched) *fetched = 0;
                return E_OUTOFMEMORY;
            }
            types[given++] = copy;
            ++position_;
        }
        if (fetched) *fetched = given;
        return given == count ? S_OK : S_FALSE;
    });
}

STDMETHODIMP CEnumMediaTypes::Skip(ULONG count) {
    return guardCom([&]() -> HRESULT {
        // Only types the pin really has can be skipped.
        while (count > 0) {
            CMediaType type;
            if (pin_->GetMediaType(int(position_), &type) != S_OK) return S_FALSE;
            ++position_;
            --count;
        }
        return S_OK;
    });
}

STDMETHODIMP CEnumMediaTypes::Reset() {
    position_ = 0;
    return S_OK;
}

STDMETHODIMP CEnumMediaTypes::Clone(IEnumMediaTypes** clone) {
    if (!clone) return E_POINTER;
    *clone = nullptr;
    auto* copy = new (std::nothrow) CEnumMediaTypes(pin_, position_);
    if (!copy) return E_OUTOFMEMORY;
    return copy->NonDelegatingQueryInterface(IID_IEnumMediaTypes, reinterpret_cast<void**>(clone));
}

}  // namespace qucap
