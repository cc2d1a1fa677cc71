#include "app/media/movie_source.h"

#include "app/media/pins.h"

namespace qucap {
namespace {

struct Splitter {
    const GUID* classId;
    const wchar_t* name;
};

const Splitter kAviSplitter{&CLSID_AviSplitter, kAviSplitterName};
const Splitter kGstreamerSplitter{&kClsidGstreamerSplitter, kGstreamerSplitterName};

HRESULT connectThroughSplitter(FilterGraph& graph, const Splitter& splitter, IPin* sourceOutput, IPin* targetInput,
                               const GUID& majorType) {
    ComPtr<IBaseFilter> filter;
    HRESULT result = graph.addNewFilter(*splitter.classId, splitter.name, filter);
    if (FAILED(result)) return result;
    const ComPtr<IPin> splitterInput = findFreePin(filter.get(), PINDIR_INPUT);
    result = splitterInput ? graph.graph()->ConnectDirect(sourceOutput, splitterInput.get(), nullptr) : VFW_E_NOT_FOUND;
    if (SUCCEEDED(result)) {
        // The splitter makes its output pins once it knows the file.
        const ComPtr<IPin> stream = findFreeOutputPin(filter.get(), majorType);
        result = stream ? graph.graph()->Connect(stream.get(), targetInput) : VFW_E_NOT_FOUND;
    }
    // A splitter that could not deliver leaves the graph again, with its connections.
    if (FAILED(result)) graph.graph()->RemoveFilter(filter.get());
    return result;
}

}  // namespace

HRESULT connectMovieToAnyType(FilterGraph& graph, IBaseFilter* source, IBaseFilter* target, const GUID& majorType,
                              const std::function<bool(int)>& acceptType) {
    if (!graph.graph()) return E_UNEXPECTED;
    const ComPtr<IPin> sourceOutput = findFreePin(source, PINDIR_OUTPUT);
    const ComPtr<IPin> targetInput = findFreePin(target, PINDIR_INPUT);
    if (!sourceOutput || !targetInput) return VFW_E_NOT_FOUND;
    const std::function<HRESULT()> ways[] = {
        [&] { return connectThroughSplitter(graph, kAviSplitter, sourceOutput.get(), targetInput.get(), majorType); },
        [&] { return graph.graph()->Connect(sourceOutput.get(), targetInput.get()); },
        [&] {
            return connectThroughSplitter(graph, kGstreamerSplitter, sourceOutput.get(), targetInput.get(), majorType);
        },
    };
    HRESULT result = VFW_E_NOT_FOUND;
    for (const std::function<HRESULT()>& way : ways)
        for (int type = 0; acceptType(type); ++type)
            if (SUCCEEDED(result = way())) return result;
    return result;
}

HRESULT connectMovieTo(FilterGraph& graph, IBaseFilter* source, IBaseFilter* target, const GUID& majorType) {
    return connectMovieToAnyType(graph, source, target, majorType, [](int type) { return type == 0; });
}

}  // namespace qucap
