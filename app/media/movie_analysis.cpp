#include "app/media/movie_analysis.h"

#include <span>

#include "app/media/media_type.h"
#include "app/media/message_wait.h"
#include "app/media/movie_source.h"
#include "app/media/pins.h"
#include "app/media/sample_grabber.h"

// After windows.h, which the headers above bring.
#include <mmreg.h>

namespace qucap {
namespace {

// Called for each sample with its bytes and its start time (-1 without one).
using SampleSink = std::function<void(const uint8_t* bytes, std::size_t size, int64_t start)>;

class SampleTap final : public GrabberCallback {
public:
    explicit SampleTap(SampleSink sink) : sink_(std::move(sink)) {}

    HRESULT STDMETHODCALLTYPE SampleCB(double, IMediaSample* sample) override {
        BYTE* data = nullptr;
        if (sample == nullptr || sample->IsPreroll() == S_OK || FAILED(sample->GetPointer(&data)) || data == nullptr)
            return S_OK;
        const long length = sample->GetActualDataLength();
        REFERENCE_TIME start = 0, stop = 0;
        const bool timed = SUCCEEDED(sample->GetTime(&start, &stop));
        if (length > 0) sink_(data, std::size_t(length), timed ? start : -1);
        if (timed) reached_ = start;
        return S_OK;
    }
    // The latest sample time, for the progress.
    int64_t reached() const { return reached_; }

private:
    SampleSink sink_;
    std::atomic<int64_t> reached_{0};
};

// A graph from the movie's stream of one major type into a Sample Grabber
// taking the first of `subtypes` the graph can deliver, and a Null Renderer.
class AnalysisGraph {
public:
    ~AnalysisGraph() {
        if (graph_.control()) graph_.stop();
        if (grabber_) grabber_->SetCallback(nullptr, 0);
    }

    AnalysisOutcome build(std::u16string_view moviePath, const GUID& majorType, std::span<const GUID> subtypes,
                          SampleTap* tap) {
        ComPtr<IBaseFilter> source;
        if (graph_.createGraph() != 0 || FAILED(graph_.addSourceFilter(moviePath, source)))
            return AnalysisOutcome::Failed;
        HRESULT result = E_FAIL;
        for (const GUID& subtype : subtypes) {
            AM_MEDIA_TYPE accepted{};
            accepted.majortype = majorType;
            accepted.subtype = subtype;
            result = addSampleGrabber(graph_, accepted, grabberFilter_, grabber_);
            if (SUCCEEDED(result)) result = connectMovieTo(graph_, source.get(), grabberFilter_.get(), majorType);
            if (SUCCEEDED(result)) break;
            if (grabberFilter_) graph_.graph()->RemoveFilter(grabberFilter_.get());
            grabberFilter_ = {};
            grabber_ = {};
        }
        // The splitters find no stream of the type: the movie has none.
        if (FAILED(result)) return result == VFW_E_NOT_FOUND ? AnalysisOutcome::NoStream : AnalysisOutcome::Failed;
        ComPtr<IBaseFilter> renderer;
        if (FAILED(grabber_->SetBufferSamples(FALSE)) || FAILED(grabber_->SetOneShot(FALSE)) ||
            FAILED(grabber_->SetCallback(tap, 0)) ||
            FAILED(graph_.addNewFilter(kClsidNullRenderer, kNullRendererName, renderer)))
            return AnalysisOutcome::Failed;
        const ComPtr<IPin> output = findFreePin(grabberFilter_.get(), PINDIR_OUTPUT);
        const ComPtr<IPin> input = findFreePin(renderer.get(), PINDIR_INPUT);
        if (!output || !input || FAILED(graph_.graph()->ConnectDirect(output.get(), input.get(), nullptr)) ||
            FAILED(graph_.removeClock()))
            return AnalysisOutcome::Failed;
        return AnalysisOutcome::Done;
    }

    // The type the grabber was connected with.
    HRESULT connectedType(ReceivedMediaType& type) const { return grabber_->GetConnectedMediaType(type.put()); }

    // Runs to the end of the stream, the stop flag or a failure.
    AnalysisOutcome run(const AnalysisControl& control, const SampleTap& tap) {
        OAEVENT eventHandle = 0;
        if (FAILED(graph_.events()->GetEventHandle(&eventHandle)) || FAILED(graph_.run())) return AnalysisOutcome::Failed;
        int64_t duration = 0;
        if (FAILED(graph_.duration(duration))) duration = 0;
        int shown = -1;
        for (;;) {
            if (control.stop && control.stop->load()) return stopped(AnalysisOutcome::Stopped);
            if (waitDispatching({reinterpret_cast<HANDLE>(eventHandle)}, kSliceMs) == 0)
                if (const std::optional<AnalysisOutcome> ending = endingReported()) return stopped(*ending);
            const int percent = duration > 0 ? int(std::clamp<int64_t>(tap.reached() * 100 / duration, 0, 99)) : 0;
            if (control.progress && percent != shown) control.progress(shown = percent);
        }
    }

private:
    static constexpr DWORD kSliceMs = 50;

    AnalysisOutcome stopped(AnalysisOutcome outcome) {
        graph_.stop();
        return outcome;
    }

    std::optional<AnalysisOutcome> endingReported() {
        long code = 0;
        LONG_PTR first = 0, second = 0;
        std::optional<AnalysisOutcome> ending;
        while (graph_.events()->GetEvent(&code, &first, &second, 0) == S_OK) {
            if (code == EC_COMPLETE) ending = AnalysisOutcome::Done;
            if (code == EC_ERRORABORT || code == EC_STREAM_ERROR_STOPPED) ending = AnalysisOutcome::Failed;
            graph_.events()->FreeEventParams(code, first, second);
        }
        return ending;
    }

    FilterGraph graph_;
    ComPtr<IBaseFilter> grabberFilter_;
    ComPtr<ISampleGrabber> grabber_;
};

std::optional<PcmFormat> pcmFormatOf(const AM_MEDIA_TYPE& type) {
    if (type.formattype != FORMAT_WaveFormatEx || type.cbFormat < sizeof(WAVEFORMATEX) || !type.pbFormat)
        return std::nullopt;
    const auto* wave = reinterpret_cast<const WAVEFORMATEX*>(type.pbFormat);
    bool floating = wave->wFormatTag == WAVE_FORMAT_IEEE_FLOAT;
    if (wave->wFormatTag == WAVE_FORMAT_EXTENSIBLE && type.cbFormat >= sizeof(WAVEFORMATEXTENSIBLE))
        floating = reinterpret_cast<const WAVEFORMATEXTENSIBLE*>(wave)->SubFormat.Data1 == WAVE_FORMAT_IEEE_FLOAT;
    const PcmFormat format{int64_t(wave->nSamplesPerSec), int(wave->nChannels), int(wave->wBitsPerSample), floating};
    return format.readable() ? std::optional(format) : std::nullopt;
}

std::optional<PixelLayout> layoutOf(const GUID& subtype) {
    if (subtype == MEDIASUBTYPE_YUY2) return PixelLayout::Yuy2;
    if (subtype == MEDIASUBTYPE_RGB32) return PixelLayout::Rgb32;
    if (subtype == MEDIASUBTYPE_RGB24) return PixelLayout::Rgb24;
    return std::nullopt;
}

}  // namespace

SoundAnalysis analyseSound(std::u16string_view moviePath, bool keepFrames, const AnalysisControl& control) {
    SoundAnalysis analysis;
    std::optional<PeakBuilder>& peaks = analysis.peaks;
    const ComPtr<SampleTap> tap = ComPtr<SampleTap>::adopt(new SampleTap([&peaks](const uint8_t* bytes, std::size_t size, int64_t) {
        if (peaks) peaks->add(bytes, size);
    }));
    AnalysisGraph graph;
    const GUID kPcm[] = {MEDIASUBTYPE_PCM};
    analysis.outcome = graph.build(moviePath, MEDIATYPE_Audio, kPcm, tap.get());
    if (analysis.outcome != AnalysisOutcome::Done) return analysis;
    ReceivedMediaType connected;
    const std::optional<PcmFormat> format =
        SUCCEEDED(graph.connectedType(connected)) ? pcmFormatOf(connected.get()) : std::nullopt;
    if (!format) {
        analysis.outcome = AnalysisOutcome::Failed;
        return analysis;
    }
    peaks.emplace(*format, keepFrames);
    analysis.outcome = graph.run(control, *tap.get());
    return analysis;
}

ShotAnalysis analyseShots(std::u16string_view moviePath, const AnalysisControl& control) {
    ShotAnalysis analysis;
    ShotDetector detector;
    std::optional<PictureView> view;
    std::optional<Thumbnail> last;
    const ComPtr<SampleTap> tap = ComPtr<SampleTap>::adopt(new SampleTap(
        [&](const uint8_t* bytes, std::size_t size, int64_t start) {
            if (!view || size < std::size_t(view->height) * std::size_t(std::abs(view->stride))) return;
            // A frame the source skipped counts as the one before it repeated.
            if (start >= 0 && last && analysis.cuts.frameDuration > 0) {
                const int64_t index = (start + analysis.cuts.frameDuration / 2) / analysis.cuts.frameDuration;
                while (detector.frames() < index) detector.add(*last);
            }
            PictureView picture = *view;
            picture.pixels = bytes;
            last = greyThumbnail(picture);
            detector.add(*last);
        }));
    AnalysisGraph graph;
    const GUID kPictures[] = {MEDIASUBTYPE_YUY2, MEDIASUBTYPE_RGB32, MEDIASUBTYPE_RGB24};
    analysis.outcome = graph.build(moviePath, MEDIATYPE_Video, kPictures, tap.get());
    if (analysis.outcome != AnalysisOutcome::Done) return analysis;
    ReceivedMediaType connected;
    const std::optional<VideoFormat> format =
        SUCCEEDED(graph.connectedType(connected)) ? videoFormatOf(connected.get()) : std::nullopt;
    const std::optional<PixelLayout> layout = format ? layoutOf(format->subtype) : std::nullopt;
    if (!layout || format->width <= 0 || format->height == 0) {
        analysis.outcome = AnalysisOutcome::Failed;
        return analysis;
    }
    const int height = std::abs(format->height);
    const std::ptrdiff_t stride = (std::ptrdiff_t(format->width) * format->bitsPerPixel / 8 + 3) & ~std::ptrdiff_t(3);
    view = PictureView{nullptr, format->width, height, stride, *layout};
    analysis.cuts.frameDuration = format->averageTimePerFrame;
    analysis.outcome = graph.run(control, *tap.get());
    analysis.cuts.frames = detector.frames();
    analysis.cuts.cuts = detector.cuts();
    return analysis;
}

}  // namespace qucap
