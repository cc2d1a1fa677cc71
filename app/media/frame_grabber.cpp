#include "app/media/frame_grabber.h"

#include <atomic>
#include <cstring>
#include <mutex>
#include <vector>

#include "app/media/media_type.h"
#include "app/media/pins.h"
#include "app/media/sample_grabber.h"

namespace qucap {

// Called by the Sample Grabber on the streaming thread for every sample; keeps
// the bytes of the first one that is shown at or after stream time 0.
class FrameCatcher final : public GrabberCallback {
public:
    FrameCatcher() : kept_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
    ~FrameCatcher() override {
        if (kept_ != nullptr) CloseHandle(kept_);
    }

    HRESULT STDMETHODCALLTYPE SampleCB(double, IMediaSample* sample) override {
        if (sample == nullptr || !showsFromStreamStart(sample)) return S_OK;
        BYTE* data = nullptr;
        const long length = sample->GetActualDataLength();
        if (FAILED(sample->GetPointer(&data)) || data == nullptr || length <= 0) return S_OK;
        std::lock_guard lock(mutex_);
        if (hasPicture_) return S_OK;
        bytes_.assign(data, data + length);
        hasPicture_ = true;
        SetEvent(kept_);
        return S_OK;
    }

    void rearm() {
        std::lock_guard lock(mutex_);
        hasPicture_ = false;
        bytes_.clear();
        ResetEvent(kept_);
    }
    HANDLE keptEvent() const { return kept_; }
    bool takeBytes(std::vector<uint8_t>& bytes) const {
        std::lock_guard lock(mutex_);
        if (!hasPicture_) return false;
        bytes = bytes_;
        return true;
    }

private:
    // A sample shown before the position sought to (preroll, or a stop time
    // not after stream time 0) is not the frame at that position. A sample
    // without times is taken as it comes.
    static bool showsFromStreamStart(IMediaSample* sample) {
        if (sample->IsPreroll() == S_OK) return false;
        REFERENCE_TIME start = 0, stop = 0;
        const HRESULT times = sample->GetTime(&start, &stop);
        if (times == S_OK) return stop > 0;
        if (times == VFW_S_NO_STOP_TIME) return start >= 0;
        return true;
    }

    HANDLE kept_;
    mutable std::mutex mutex_;
    bool hasPicture_ = false;
    std::vector<uint8_t> bytes_;
};

FrameGrabber::FrameGrabber() : catcher_(ComPtr<FrameCatcher>::adopt(new FrameCatcher)) {}

FrameGrabber::~FrameGrabber() {
    // The grabber may outlive this object inside the graph; it must not call back.
    if (grabber_) grabber_->SetCallback(nullptr, 0);
}

HRESULT FrameGrabber::addTo(FilterGraph& graph) {
    if (catcher_->keptEvent() == nullptr) return HRESULT_FROM_WIN32(GetLastError());
    // Any video: whether the connection is RGB24 or RGB32 is checked once it stands.
    HRESULT result = addVideoSampleGrabber(graph, grabberFilter_, grabber_);
    if (FAILED(result) || FAILED(result = grabber_->SetBufferSamples(FALSE)) ||
        FAILED(result = grabber_->SetOneShot(FALSE)) || FAILED(result = grabber_->SetCallback(catcher_.get(), 0)))
        return result;
    return graph.addNewFilter(kClsidNullRenderer, kNullRendererName, renderer_);
}

HRESULT FrameGrabber::connectFrom(FilterGraph& graph, IBaseFilter* upstream) {
    format_.reset();
    if (!grabber_ || !renderer_ || !graph.graph()) return E_UNEXPECTED;
    const ComPtr<IPin> output = findFreePin(upstream, PINDIR_OUTPUT);
    const ComPtr<IPin> grabberInput = findFreePin(grabberFilter_.get(), PINDIR_INPUT);
    if (!output || !grabberInput) return VFW_E_NOT_FOUND;
    HRESULT result = graph.graph()->ConnectDirect(output.get(), grabberInput.get(), nullptr);
    if (FAILED(result)) return result;

    ReceivedMediaType connected;
    result = grabber_->GetConnectedMediaType(connected.put());
    std::optional<RgbPicture> picture = SUCCEEDED(result) ? rgbPictureOf(connected.get()) : std::nullopt;
    if (!picture) {
        graph.graph()->Disconnect(output.get());
        graph.graph()->Disconnect(grabberInput.get());
        return FAILED(result) ? result : VFW_E_TYPE_NOT_ACCEPTED;
    }
    const ComPtr<IPin> grabberOutput = findFreePin(grabberFilter_.get(), PINDIR_OUTPUT);
    const ComPtr<IPin> rendererInput = findFreePin(renderer_.get(), PINDIR_INPUT);
    if (!grabberOutput || !rendererInput) return VFW_E_NOT_FOUND;
    result = graph.graph()->ConnectDirect(grabberOutput.get(), rendererInput.get(), nullptr);
    if (SUCCEEDED(result)) format_ = std::move(picture);
    return result;
}

void FrameGrabber::rearm() { catcher_->rearm(); }

HANDLE FrameGrabber::pictureKept() const { return catcher_->keptEvent(); }

std::optional<RgbPicture> FrameGrabber::keptPicture() const {
    if (!format_) return std::nullopt;
    RgbPicture picture = *format_;
    if (!catcher_->takeBytes(picture.bytes)) return std::nullopt;
    return picture;
}

}  // namespace qucap
