#pragma once
// The graph record: the filter graph manager and the control interfaces the
// program takes from it, the capture graph builder and the filters the
// layouts hold (source, caption filter, renderers, encoders, multiplexer),
// with the few graph calls every layout needs.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/media/directshow_ids.h"
#include "app/media/marshalled_interface.h"
#include "win32/com_ptr.h"

namespace qucap {

class FilterGraph {
public:
    FilterGraph() = default;
    ~FilterGraph() { releaseGraph(); }
    FilterGraph(const FilterGraph&) = delete;
    FilterGraph& operator=(const FilterGraph&) = delete;

    // createGraph: the in-process graph manager and, in this order,
    // IMediaControl, IMediaPosition, IMediaEventEx, IMediaSeeking (its result
    // is the seeking-available flag), IVideoWindow, IBasicVideo. -1 when
    // any of them is missing; the record is then empty.
    int createGraph();
    // releaseGraph: releases every member (the filters held, the capture
    // graph builder, the control interfaces, the manager); the record is
    // empty afterwards.
    void releaseGraph();
    // emptyGraph: removes every filter from the graph, starting the
    // enumeration again after each removal. The manager and its interfaces
    // stay; the filter slots and the capture graph builder are let go too,
    // since what they held is no longer part of the graph.
    void emptyGraph();
    // Creates a capture graph builder for this graph and attaches it; -1
    // when there is no graph or the builder cannot be made or attached.
    int attachCaptureBuilder();

    // The graph handed to a worker thread the way COM asks: marshalled here,
    // on the thread that created it (empty when there is no graph or it
    // cannot be marshalled), and taken on the worker by a record of its own,
    // in the worker's apartment (see MarshalledInterface::takeForWorker;
    // `shared` is this record). -1 when it cannot be taken; the marshalled
    // data is used up either way. The filter slots stay empty there.
    MarshalledInterface marshalForThread() const;
    int takeMarshalled(MarshalledInterface& manager, const FilterGraph& shared);

    IGraphBuilder* graph() const { return graph_.get(); }
    IMediaControl* control() const { return control_.get(); }
    IMediaPosition* position() const { return position_.get(); }
    IMediaEventEx* events() const { return events_.get(); }
    IMediaSeeking* seeking() const { return seeking_.get(); }
    IVideoWindow* videoWindow() const { return videoWindow_.get(); }
    IBasicVideo* basicVideo() const { return basicVideo_.get(); }
    // Whether the graph answered for IMediaSeeking.
    bool seekingAvailable() const { return SUCCEEDED(seekingResult_); }

    // The slots of the record; null when absent. Layouts fill them, and
    // releaseGraph and emptyGraph empty them.
    ComPtr<ICaptureGraphBuilder2>& captureBuilder() { return captureBuilder_; }
    ComPtr<IBaseFilter>& source() { return source_; }
    ComPtr<IBaseFilter>& captionFilter() { return captionFilter_; }
    ComPtr<IBaseFilter>& videoRenderer() { return videoRenderer_; }
    ComPtr<IBaseFilter>& audioRenderer() { return audioRenderer_; }
    ComPtr<IBaseFilter>& videoEncoder() { return videoEncoder_; }
    ComPtr<IBaseFilter>& audioEncoder() { return audioEncoder_; }
    ComPtr<IBaseFilter>& multiplexer() { return multiplexer_; }

    // Removes a filter from the graph, if it is in one, and releases the slot.
    void removeAndRelease(ComPtr<IBaseFilter>& slot);
    // The graph names of the filters in the graph, in enumeration order.
    std::vector<std::u16string> filterNames() const;

    // Creates a filter by class identifier (in-process) and adds it under `name`.
    HRESULT addNewFilter(const GUID& classId, const wchar_t* name, ComPtr<IBaseFilter>& filter);
    HRESULT addFilter(IBaseFilter* filter, const wchar_t* name);
    // Adds the movie file as "Source Filter".
    HRESULT addSourceFilter(std::u16string_view moviePath, ComPtr<IBaseFilter>& source);

    // Takes the graph's clock away, so it passes samples on as fast as they
    // come. Only while the graph is stopped: a renderer handed a frame while
    // its clock is taken away reads a clock that is gone.
    HRESULT removeClock();
    HRESULT run();
    HRESULT stop();
    // Absolute seek of the start position; the stop position stays.
    HRESULT seekTo(int64_t position);
    // Media duration in 100-ns units.
    HRESULT duration(int64_t& duration) const;

private:
    void releaseFilters();
    // The control interfaces of the manager held; false when one is missing.
    bool queryControls();

    ComPtr<IGraphBuilder> graph_;
    ComPtr<IMediaControl> control_;
    ComPtr<IMediaPosition> position_;
    ComPtr<IMediaEventEx> events_;
    ComPtr<IMediaSeeking> seeking_;
    ComPtr<IVideoWindow> videoWindow_;
    ComPtr<IBasicVideo> basicVideo_;
    HRESULT seekingResult_ = E_NOINTERFACE;
    ComPtr<ICaptureGraphBuilder2> captureBuilder_;
    ComPtr<IBaseFilter> source_;
    ComPtr<IBaseFilter> captionFilter_;
    ComPtr<IBaseFilter> videoRenderer_;
    ComPtr<IBaseFilter> audioRenderer_;
    ComPtr<IBaseFilter> videoEncoder_;
    ComPtr<IBaseFilter> audioEncoder_;
    ComPtr<IBaseFilter> multiplexer_;
};

}  // namespace qucap
