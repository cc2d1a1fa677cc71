#include "app/media/devices.h"

namespace qucap {
namespace {

// The category's device monikers, or none when it has no devices (the
// enumerator then answers S_FALSE and no enumeration).
ComPtr<IEnumMoniker> enumerateCategory(const GUID& category) {
    ComPtr<ICreateDevEnum> devices;
    ComPtr<IEnumMoniker> monikers;
    if (FAILED(CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER, IID_ICreateDevEnum,
                                devices.putVoid())) ||
        !devices)
        return monikers;
    if (devices->CreateClassEnumerator(category, monikers.put(), 0) != S_OK) monikers.reset();
    return monikers;
}

// Calls visit(moniker, name) for each device with a readable friendly name
// until it returns true.
template <class Visit>
void forEachDevice(const GUID& category, Visit visit) {
    ComPtr<IEnumMoniker> monikers = enumerateCategory(category);
    if (!monikers) return;
    ComPtr<IMoniker> moniker;
    while (monikers->Next(1, moniker.put(), nullptr) == S_OK) {
        ComPtr<IPropertyBag> bag;
        if (FAILED(moniker->BindToStorage(nullptr, nullptr, IID_IPropertyBag, bag.putVoid())) || !bag) continue;
        VARIANT value;
        VariantInit(&value);
        value.vt = VT_BSTR;
        if (FAILED(bag->Read(L"FriendlyName", &value, nullptr)) || value.vt != VT_BSTR) {
            VariantClear(&value);
            continue;
        }
        const std::u16string name(reinterpret_cast<const char16_t*>(value.bstrVal), SysStringLen(value.bstrVal));
        VariantClear(&value);
        if (visit(moniker.get(), name)) return;
    }
}

}  // namespace

std::vector<std::u16string> deviceFriendlyNames(const GUID& category) {
    std::vector<std::u16string> names;
    forEachDevice(category, [&](IMoniker*, const std::u16string& name) {
        names.push_back(name);
        return false;
    });
    return names;
}

std::optional<FoundDevice> findDeviceWhere(const GUID& category,
                                           const std::function<bool(std::u16string_view)>& matches) {
    std::optional<FoundDevice> found;
    forEachDevice(category, [&](IMoniker* moniker, const std::u16string& name) {
        if (!matches(name)) return false;
        FoundDevice device{{}, name};
        if (SUCCEEDED(moniker->BindToObject(nullptr, nullptr, IID_IBaseFilter, device.filter.putVoid())) &&
            device.filter)
            found = std::move(device);
        return true;
    });
    return found;
}

bool findDevice(const GUID& category, std::u16string_view friendlyName, ComPtr<IBaseFilter>& slot) {
    slot.reset();
    std::optional<FoundDevice> device =
        findDeviceWhere(category, [&](std::u16string_view name) { return name == friendlyName; });
    if (device) slot = std::move(device->filter);
    return static_cast<bool>(slot);
}

}  // namespace qucap
