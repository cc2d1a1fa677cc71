#pragma once
// The caption filter in a real graph: File Source (Async.) -> AVI Splitter
// -> a tap of the tests' own -> the filter -> Sample Grabber (RGB32) -> Null
// Renderer. The tap keeps a copy of every frame it hands the filter and
// describes YUY2 with a VIDEOINFOHEADER2, which the filter requires for
// YUY2 but the AVI Splitter never offers. The grabber keeps every frame the
// filter delivers, so both can be compared with a direct composition.
#include <windows.h>
#include <dshow.h>
#include <qedit.h>

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "dshowbase/transform_filter.h"
#include "filter/core/compose/compositor.h"
#include "filter/core/filter_settings.h"
#include "filter/core/filter_tables.h"
#include "win32/com_ptr.h"

namespace qucap::test {

struct Frame {
    std::optional<SampleTimes> times;
    std::vector<uint8_t> bytes;    // the sample's actual data
    const void* buffer = nullptr;  // where the sample held it
};

// Keeps the frames of samples under a lock (they arrive on the streaming thread).
class FrameLog {
public:
    void add(IMediaSample* sample);
    std::vector<Frame> frames() const;
    void clear();

private:
    mutable std::mutex lock_;
    std::vector<Frame> frames_;
};

class FrameTap : public CTransformFilter {
public:
    FrameTap();
    HRESULT CheckInputType(const CMediaType* in) override;
    HRESULT CheckTransform(const CMediaType* in, const CMediaType* out) override;
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;
    HRESULT GetMediaType(int position, CMediaType* type) override;
    HRESULT Transform(IMediaSample* in, IMediaSample* out) override;

    FrameLog log;
    bool takesYuy2 = true;  // else a YUY2 movie comes in as RGB32
};

class GrabbedFrames : public ISampleGrabberCB {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP SampleCB(double, IMediaSample* sample) override;
    STDMETHODIMP BufferCB(double, BYTE*, long) override { return E_NOTIMPL; }

    FrameLog log;
};

class CaptionGraph {
public:
    CaptionGraph();
    ~CaptionGraph();
    CaptionGraph(const CaptionGraph&) = delete;
    CaptionGraph& operator=(const CaptionGraph&) = delete;

    // Builds the graph around the caption filter; S_OK or the failing step's
    // result. Without YUY2 the filter gets the RGB32 of the GStreamer splitter.
    HRESULT build(const std::u16string& movie, IBaseFilter* captionFilter, bool takeYuy2 = true);
    // Runs from the current position to the end of the movie without a
    // clock; true when EC_COMPLETE arrived within the time-out.
    bool runToEnd(DWORD milliseconds = 60'000);
    // Stops and goes back to the start of the movie.
    HRESULT rewind();

    std::vector<Frame> inputs() const { return tap_->log.frames(); }
    std::vector<Frame> outputs() const { return grabbed_.log.frames(); }
    void clearFrames();
    // The media types of the caption filter's connections.
    const AM_MEDIA_TYPE& inputType() const { return inputType_; }
    const AM_MEDIA_TYPE& outputType() const { return outputType_; }

private:
    ComPtr<IGraphBuilder> graph_;
    FrameTap* tap_;
    GrabbedFrames grabbed_;
    AM_MEDIA_TYPE inputType_{};
    AM_MEDIA_TYPE outputType_{};
};

// What the filter's frames must be: each input frame composed by a
// FrameCompositor of its own with the GDI seams, in order.
std::vector<std::vector<uint8_t>> composeDirectly(const std::vector<Frame>& inputs, const AM_MEDIA_TYPE& inputType,
                                                  const AM_MEDIA_TYPE& outputType, const FilterSettings& settings,
                                                  const FilterTables& tables, int32_t seekOffset = 0);

}  // namespace qucap::test
