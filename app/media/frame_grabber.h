#pragma once
// The grabbing end of a graph: the system's Sample Grabber, accepting the
// RGB24 or RGB32 pictures of the filter before it, and a Null Renderer behind
// it. It keeps one picture: the first frame shown at or after stream time 0,
// that is the frame at the position the graph was last sought to.
#include <optional>

#include "app/media/filter_graph.h"
#include "app/media/rgb_picture.h"

namespace qucap {

class FrameCatcher;  // the grabber's callback, shared with the streaming thread

class FrameGrabber {
public:
    FrameGrabber();
    ~FrameGrabber();
    FrameGrabber(const FrameGrabber&) = delete;
    FrameGrabber& operator=(const FrameGrabber&) = delete;

    // Adds the Sample Grabber and the Null Renderer to the graph.
    HRESULT addTo(FilterGraph& graph);
    // Connects the first free output pin of `upstream` to the grabber (no
    // filter in between) and the grabber to the Null Renderer. Refuses with
    // VFW_E_TYPE_NOT_ACCEPTED, disconnected again, a picture that is not
    // uncompressed RGB24 or RGB32.
    HRESULT connectFrom(FilterGraph& graph, IBaseFilter* upstream);

    // The format of the connection (no pixels); nothing before connectFrom succeeded.
    const std::optional<RgbPicture>& format() const { return format_; }

    // Forgets a kept picture; the next frame shown at or after stream time 0 is kept.
    void rearm();
    // Signalled once a picture is kept (a manual-reset event owned by the grabber).
    HANDLE pictureKept() const;
    // The kept picture with the connection's format; nothing before one was kept.
    std::optional<RgbPicture> keptPicture() const;

private:
    ComPtr<IBaseFilter> grabberFilter_;
    ComPtr<ISampleGrabber> grabber_;
    ComPtr<IBaseFilter> renderer_;
    ComPtr<FrameCatcher> catcher_;
    std::optional<RgbPicture> format_;
};

}  // namespace qucap
