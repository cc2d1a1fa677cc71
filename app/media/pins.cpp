#include "app/media/pins.h"

#include "app/media/media_type.h"

namespace qucap {
namespace {

bool isFree(IPin* pin, PIN_DIRECTION direction) {
    PIN_DIRECTION actual;
    if (FAILED(pin->QueryDirection(&actual)) || actual != direction) return false;
    ComPtr<IPin> connected;
    return pin->ConnectedTo(connected.put()) == VFW_E_NOT_CONNECTED;
}

template <class Accept>
ComPtr<IPin> firstPin(IBaseFilter* filter, Accept accept) {
    ComPtr<IEnumPins> pins;
    if (filter == nullptr || FAILED(filter->EnumPins(pins.put())) || !pins) return {};
    ComPtr<IPin> pin;
    while (pins->Next(1, pin.put(), nullptr) == S_OK)
        if (accept(pin.get())) return pin;
    return {};
}

}  // namespace

bool offersType(IPin* pin, const std::function<bool(const AM_MEDIA_TYPE&)>& wanted) {
    ComPtr<IEnumMediaTypes> types;
    if (pin == nullptr || FAILED(pin->EnumMediaTypes(types.put())) || !types) return false;
    AM_MEDIA_TYPE* type = nullptr;
    bool found = false;
    while (!found && types->Next(1, &type, nullptr) == S_OK) {
        found = wanted(*type);
        freeMediaType(*type);
        CoTaskMemFree(type);
    }
    return found;
}

ComPtr<IPin> findFreePin(IBaseFilter* filter, PIN_DIRECTION direction) {
    return firstPin(filter, [&](IPin* pin) { return isFree(pin, direction); });
}

ComPtr<IPin> findFreeOutputPin(IBaseFilter* filter, const GUID& majorType) {
    const auto ofMajorType = [&](const AM_MEDIA_TYPE& type) { return type.majortype == majorType; };
    return firstPin(filter, [&](IPin* pin) { return isFree(pin, PINDIR_OUTPUT) && offersType(pin, ofMajorType); });
}

}  // namespace qucap
