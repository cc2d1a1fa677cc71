#pragma once
// The graph record: the filter graph manager and the control interfaces the
// program takes from it, with the few graph calls every layout needs.
#include <cstdint>
#include <string_view>

#include "app/media/com_ptr.h"
#include "app/media/directshow_ids.h"

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
    // releaseGraph: releases every member; the record is empty afterwards.
    void releaseGraph();

    IGraphBuilder* graph() const { return graph_.get(); }
    IMediaControl* control() const { return control_.get(); }
    IMediaPosition* position() const { return position_.get(); }
    IMediaEventEx* events() const { return events_.get(); }
    IMediaSeeking* seeking() const { return seeking_.get(); }
    IVideoWindow* videoWindow() const { return videoWindow_.get(); }
    IBasicVideo* basicVideo() const { return basicVideo_.get(); }
    // Whether the graph answered for IMediaSeeking.
    bool seekingAvailable() const { return SUCCEEDED(seekingResult_); }

    // Creates a filter by class identifier (in-process) and adds it under `name`.
    HRESULT addNewFilter(const GUID& classId, const wchar_t* name, ComPtr<IBaseFilter>& filter);
    HRESULT addFilter(IBaseFilter* filter, const wchar_t* name);
    // Adds the movie file as "Source Filter".
    HRESULT addSourceFilter(std::u16string_view moviePath, ComPtr<IBaseFilter>& source);

    // Without a clock the graph passes samples on as fast as they come.
    HRESULT runWithoutClock();
    HRESULT stop();
    // Absolute seek of the start position; the stop position stays.
    HRESULT seekTo(int64_t position);
    // Media duration in 100-ns units.
    HRESULT duration(int64_t& duration) const;

private:
    ComPtr<IGraphBuilder> graph_;
    ComPtr<IMediaControl> control_;
    ComPtr<IMediaPosition> position_;
    ComPtr<IMediaEventEx> events_;
    ComPtr<IMediaSeeking> seeking_;
    ComPtr<IVideoWindow> videoWindow_;
    ComPtr<IBasicVideo> basicVideo_;
    HRESULT seekingResult_ = E_NOINTERFACE;
};

}  // namespace qucap
