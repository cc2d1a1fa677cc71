#include "app/media/filter_graph.h"

#include <string>

namespace qucap {

int FilterGraph::createGraph() {
    releaseGraph();
    if (FAILED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder, graph_.putVoid())) ||
        !graph_) {
        releaseGraph();
        return -1;
    }
    if (!queryControls()) {
        releaseGraph();
        return -1;
    }
    return 0;
}

bool FilterGraph::queryControls() {
    seekingResult_ = E_NOINTERFACE;
    return SUCCEEDED(graph_.query(IID_IMediaControl, control_)) &&
           SUCCEEDED(graph_.query(IID_IMediaPosition, position_)) &&
           SUCCEEDED(graph_.query(IID_IMediaEventEx, events_)) &&
           SUCCEEDED(seekingResult_ = graph_.query(IID_IMediaSeeking, seeking_)) &&
           SUCCEEDED(graph_.query(IID_IVideoWindow, videoWindow_)) &&
           SUCCEEDED(graph_.query(IID_IBasicVideo, basicVideo_));
}

MarshalledInterface FilterGraph::marshalForThread() const { return MarshalledInterface(IID_IGraphBuilder, graph_.get()); }

int FilterGraph::takeMarshalled(MarshalledInterface& manager, const FilterGraph& shared) {
    releaseGraph();
    graph_ = manager.takeForWorker(IID_IGraphBuilder, shared.graph());
    if (!graph_ || !queryControls()) {
        releaseGraph();
        return -1;
    }
    return 0;
}

void FilterGraph::releaseFilters() {
    videoRenderer_.reset();
    audioRenderer_.reset();
    videoEncoder_.reset();
    audioEncoder_.reset();
    source_.reset();
    captionFilter_.reset();
    multiplexer_.reset();
}

void FilterGraph::releaseGraph() {
    releaseFilters();
    captureBuilder_.reset();
    basicVideo_.reset();
    videoWindow_.reset();
    seeking_.reset();
    events_.reset();
    position_.reset();
    control_.reset();
    graph_.reset();
    seekingResult_ = E_NOINTERFACE;
}

void FilterGraph::emptyGraph() {
    releaseFilters();
    captureBuilder_.reset();
    if (!graph_) return;
    ComPtr<IEnumFilters> filters;
    if (FAILED(graph_->EnumFilters(filters.put())) || !filters) return;
    ComPtr<IBaseFilter> filter;
    // Removing a filter invalidates the enumeration: start it again each time.
    while (filters->Next(1, filter.put(), nullptr) == S_OK) {
        if (FAILED(graph_->RemoveFilter(filter.get()))) return;
        filters->Reset();
    }
}

int FilterGraph::attachCaptureBuilder() {
    captureBuilder_.reset();
    if (!graph_) return -1;
    if (FAILED(CoCreateInstance(CLSID_CaptureGraphBuilder2, nullptr, CLSCTX_INPROC_SERVER, IID_ICaptureGraphBuilder2,
                                captureBuilder_.putVoid())) ||
        !captureBuilder_ || FAILED(captureBuilder_->SetFiltergraph(graph_.get()))) {
        captureBuilder_.reset();
        return -1;
    }
    return 0;
}

void FilterGraph::removeAndRelease(ComPtr<IBaseFilter>& slot) {
    if (slot && graph_) graph_->RemoveFilter(slot.get());
    slot.reset();
}

std::vector<std::u16string> FilterGraph::filterNames() const {
    std::vector<std::u16string> names;
    ComPtr<IEnumFilters> filters;
    if (!graph_ || FAILED(graph_->EnumFilters(filters.put())) || !filters) return names;
    ComPtr<IBaseFilter> filter;
    while (filters->Next(1, filter.put(), nullptr) == S_OK) {
        FILTER_INFO info{};
        if (FAILED(filter->QueryFilterInfo(&info))) continue;
        if (info.pGraph) info.pGraph->Release();
        names.emplace_back(reinterpret_cast<const char16_t*>(info.achName));
    }
    return names;
}

HRESULT FilterGraph::addNewFilter(const GUID& classId, const wchar_t* name, ComPtr<IBaseFilter>& filter) {
    const HRESULT created = CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter, filter.putVoid());
    if (FAILED(created)) return created;
    const HRESULT added = addFilter(filter.get(), name);
    if (FAILED(added)) filter.reset();
    return added;
}

HRESULT FilterGraph::addFilter(IBaseFilter* filter, const wchar_t* name) {
    if (!graph_) return E_UNEXPECTED;
    if (filter == nullptr) return E_POINTER;
    return graph_->AddFilter(filter, name);
}

HRESULT FilterGraph::addSourceFilter(std::u16string_view moviePath, ComPtr<IBaseFilter>& source) {
    if (!graph_) return E_UNEXPECTED;
    const std::u16string path(moviePath);
    return graph_->AddSourceFilter(reinterpret_cast<const wchar_t*>(path.c_str()), kSourceFilterName, source.put());
}

HRESULT FilterGraph::removeClock() {
    ComPtr<IMediaFilter> filter;
    if (!graph_ || FAILED(graph_.query(IID_IMediaFilter, filter))) return E_UNEXPECTED;
    return filter->SetSyncSource(nullptr);
}

HRESULT FilterGraph::run() { return control_ ? control_->Run() : E_UNEXPECTED; }

HRESULT FilterGraph::stop() { return control_ ? control_->Stop() : E_UNEXPECTED; }

HRESULT FilterGraph::seekTo(int64_t position) {
    if (!seeking_) return E_NOINTERFACE;
    LONGLONG start = position;
    return seeking_->SetPositions(&start, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning);
}

HRESULT FilterGraph::duration(int64_t& duration) const {
    if (!seeking_) return E_NOINTERFACE;
    LONGLONG value = 0;
    const HRESULT result = seeking_->GetDuration(&value);
    if (SUCCEEDED(result)) duration = value;
    return result;
}

}  // namespace qucap
