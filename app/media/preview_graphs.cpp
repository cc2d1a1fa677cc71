#include "app/media/preview_graphs.h"

#include <optional>

#include "app/media/devices.h"
#include "app/media/movie_source.h"
#include "app/media/pins.h"

namespace qucap {
namespace {

// A free output pin of the major type on `from`, else on any filter of the graph.
ComPtr<IPin> freeOutputOfType(FilterGraph& graph, IBaseFilter* from, const GUID& majorType) {
    ComPtr<IPin> pin = findFreeOutputPin(from, majorType);
    if (pin) return pin;
    ComPtr<IEnumFilters> filters;
    if (FAILED(graph.graph()->EnumFilters(filters.put())) || !filters) return pin;
    ComPtr<IBaseFilter> filter;
    while (filters->Next(1, filter.put(), nullptr) == S_OK)
        if ((pin = findFreeOutputPin(filter.get(), majorType))) return pin;
    return pin;
}

// The graph's start: a fresh manager with its interfaces and a capture graph builder.
std::optional<PreviewBuild> startGraph(FilterGraph& graph) {
    graph.releaseGraph();
    if (graph.createGraph() != 0) return PreviewBuild::NoGraph;
    if (graph.attachCaptureBuilder() != 0) return PreviewBuild::NoCaptureBuilder;
    return std::nullopt;
}

// Finds the renderer device of `category` named `name`, adds it under that
// name and renders into it; a device that is missing is skipped.
void addRenderer(FilterGraph& graph, ComPtr<IBaseFilter>& slot, const GUID& category, const wchar_t* name,
                 IBaseFilter* from, const GUID& majorType) {
    if (!findDevice(category, reinterpret_cast<const char16_t*>(name), slot)) return;
    if (FAILED(graph.addFilter(slot.get(), name))) {
        slot.reset();
        return;
    }
    renderInto(graph, from, slot.get(), majorType);
}

void addVideoRenderer(FilterGraph& graph, IBaseFilter* from) {
    addRenderer(graph, graph.videoRenderer(), CLSID_LegacyAmFilterCategory, kVideoRendererName, from,
                MEDIATYPE_Video);
}

void addAudioRenderer(FilterGraph& graph) {
    addRenderer(graph, graph.audioRenderer(), CLSID_AudioRendererCategory, kAudioRendererName, graph.source().get(),
                MEDIATYPE_Audio);
}

bool seeksInMediaTime(FilterGraph& graph) {
    return graph.seekingAvailable() && SUCCEEDED(graph.seeking()->SetTimeFormat(&TIME_FORMAT_MEDIA_TIME));
}

std::optional<MediaFacts> readMediaFacts(FilterGraph& graph) {
    MediaFacts facts;
    const bool mediaTime = seeksInMediaTime(graph);
    if (mediaTime) graph.duration(facts.duration);
    REFTIME averageTimePerFrame = 0;
    if (FAILED(graph.basicVideo()->get_AvgTimePerFrame(&averageTimePerFrame))) return std::nullopt;
    setFrameFacts(facts, averageTimePerFrame);
    if (mediaTime) {
        LONGLONG earliest = 0;
        LONGLONG latest = 0;
        if (SUCCEEDED(graph.seeking()->GetAvailable(&earliest, &latest))) facts.earliestPosition = earliest;
    }
    long width = 0;
    long height = 0;
    graph.basicVideo()->get_VideoWidth(&width);
    graph.basicVideo()->get_VideoHeight(&height);
    facts.width = int32_t(width);
    facts.height = int32_t(height);
    return facts;
}

}  // namespace

HRESULT renderInto(FilterGraph& graph, IBaseFilter* from, IBaseFilter* target, const GUID& majorType) {
    if (!graph.graph() || from == nullptr || target == nullptr) return E_POINTER;
    if (graph.captureBuilder()) {
        const HRESULT rendered = graph.captureBuilder()->RenderStream(nullptr, nullptr, from, nullptr, target);
        if (SUCCEEDED(rendered)) return rendered;
    }
    const ComPtr<IPin> input = findFreePin(target, PINDIR_INPUT);
    if (!input) return VFW_E_NO_ACCEPTABLE_TYPES;
    if (const ComPtr<IPin> output = freeOutputOfType(graph, from, majorType))
        return graph.graph()->Connect(output.get(), input.get());
    return connectMovieTo(graph, from, target);
}

PreviewBuild buildPlainPreview(FilterGraph& graph, std::u16string_view moviePath, MediaFacts& facts) {
    if (const std::optional<PreviewBuild> failed = startGraph(graph)) return *failed;
    if (FAILED(graph.addSourceFilter(moviePath, graph.source()))) return PreviewBuild::NoSource;
    addVideoRenderer(graph, graph.source().get());
    addAudioRenderer(graph);
    const std::optional<MediaFacts> read = readMediaFacts(graph);
    if (!read) return PreviewBuild::NoFrameDuration;
    facts = *read;
    return PreviewBuild::Built;
}

PreviewBuild buildCaptionPreview(FilterGraph& graph, std::u16string_view moviePath,
                                 const FilterMaker& makeCaptionFilter) {
    if (const std::optional<PreviewBuild> failed = startGraph(graph)) return *failed;
    if (FAILED(addCaptionFilter(graph, makeCaptionFilter, graph.captionFilter()))) return PreviewBuild::NoCaptionFilter;
    if (FAILED(graph.addSourceFilter(moviePath, graph.source()))) return PreviewBuild::NoSource;
    connectMovieTo(graph, graph.source().get(), graph.captionFilter().get());
    addVideoRenderer(graph, graph.captionFilter().get());
    addAudioRenderer(graph);
    return PreviewBuild::Built;
}

}  // namespace qucap
