#pragma once
// DirectShow devices by category and friendly name, through the system
// device enumerator and each device's "FriendlyName" property bag.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/media/directshow_ids.h"
#include "win32/com_ptr.h"

namespace qucap {

inline constexpr wchar_t kVideoRendererName[] = L"Video Renderer";
inline constexpr wchar_t kAudioRendererName[] = L"Default DirectSound Device";

// The friendly names of the category's devices in enumeration order (a
// device without a readable name is left out); empty for a category
// without devices.
std::vector<std::u16string> deviceFriendlyNames(const GUID& category);

// findDevice: the first device of the category whose friendly name equals
// `friendlyName` exactly (case-sensitive, whole string), bound to a filter
// object into `slot`. True when found; no match leaves the slot empty.
bool findDevice(const GUID& category, std::u16string_view friendlyName, ComPtr<IBaseFilter>& slot);

// A device found by a test on its friendly name: its filter object and its
// full friendly name.
struct FoundDevice {
    ComPtr<IBaseFilter> filter;
    std::u16string friendlyName;
};

// The first device of the category whose friendly name passes `matches`,
// bound to a filter object; nothing when none passes or binding fails.
std::optional<FoundDevice> findDeviceWhere(const GUID& category,
                                           const std::function<bool(std::u16string_view)>& matches);

}  // namespace qucap
