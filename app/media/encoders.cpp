#include "app/media/encoders.h"

#include <algorithm>

#include "app/media/devices.h"
#include "app/media/property_frame.h"

namespace qucap {
namespace {

void keepFirst(std::vector<std::u16string>& names, std::size_t count) {
    if (names.size() > count) names.resize(count);
}

int addEncoder(FilterGraph& graph, ComPtr<IBaseFilter>& slot, EncoderCategory category, std::u16string_view name) {
    graph.removeAndRelease(slot);
    std::optional<FoundDevice> device = findDeviceWhere(
        categoryId(category), [&](std::u16string_view friendlyName) { return encoderNameMatches(friendlyName, name); });
    if (!device) return -1;
    const std::u16string& graphName = device->friendlyName;
    if (FAILED(graph.addFilter(device->filter.get(), reinterpret_cast<const wchar_t*>(graphName.c_str())))) return -1;
    slot = std::move(device->filter);
    return 0;
}

}  // namespace

EncoderCategoryNames readEncoderCategoryNames() {
    return {deviceFriendlyNames(CLSID_VideoCompressorCategory), deviceFriendlyNames(CLSID_AudioCompressorCategory),
            deviceFriendlyNames(CLSID_LegacyAmFilterCategory)};
}

EncoderTables buildEncoderTables() {
    const EncoderTables counted = buildEncoderTables(readEncoderCategoryNames());
    EncoderTables copied = buildEncoderTables(readEncoderCategoryNames());
    keepFirst(copied.videoCompressors, counted.videoCompressors.size());
    keepFirst(copied.videoEncoderFilters, counted.videoEncoderFilters.size());
    keepFirst(copied.audioCompressors, counted.audioCompressors.size());
    keepFirst(copied.audioEncoderFilters, counted.audioEncoderFilters.size());
    return copied;
}

const GUID& categoryId(EncoderCategory category) {
    switch (category) {
        case EncoderCategory::VideoCompressors: return CLSID_VideoCompressorCategory;
        case EncoderCategory::AudioCompressors: return CLSID_AudioCompressorCategory;
        case EncoderCategory::DirectShowFilters: break;
    }
    return CLSID_LegacyAmFilterCategory;
}

int addVideoEncoder(FilterGraph& graph, const EncoderTables& tables, std::u16string_view name) {
    return addEncoder(graph, graph.videoEncoder(), videoEncoderCategory(tables, name), name);
}

int addAudioEncoder(FilterGraph& graph, const EncoderTables& tables, std::u16string_view name) {
    return addEncoder(graph, graph.audioEncoder(), audioEncoderCategory(tables, name), name);
}

int showEncoderProperties(FilterGraph& graph, std::u16string_view name) {
    // The frames are shown after the enumeration: a property page may change the graph.
    std::vector<ComPtr<IBaseFilter>> named;
    ComPtr<IEnumFilters> filters;
    if (!graph.graph() || FAILED(graph.graph()->EnumFilters(filters.put())) || !filters) return 0;
    ComPtr<IBaseFilter> filter;
    while (filters->Next(1, filter.put(), nullptr) == S_OK) {
        FILTER_INFO info{};
        if (FAILED(filter->QueryFilterInfo(&info))) continue;
        if (info.pGraph) info.pGraph->Release();
        if (std::u16string_view(reinterpret_cast<const char16_t*>(info.achName)) == name) named.push_back(filter);
    }
    int shown = 0;
    for (const ComPtr<IBaseFilter>& each : named)
        if (showPropertyFrame(each.get()) == S_OK) ++shown;
    return shown;
}

}  // namespace qucap
