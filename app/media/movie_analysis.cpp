#include "app/media/movie_analysis.h"

#include <span>
#include <vector>

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

// Takes the type a stream was connected with; false when it cannot be read.
using TypeTaker = std::function<bool(const AM_MEDIA_TYPE& type)>;

// A graph from the movie's streams, each into a Sample Grabber taking the
// first of its subtypes the graph can deliver and a Null Renderer. The first
// stream brings the splitter (connectMovieTo); the others come from its free
// pins, so one pass over the file serves them all.
class AnalysisGraph {
public:
    ~AnalysisGraph() {
        if (graph_.control()) graph_.stop();
        for (const ComPtr<ISampleGrabber>& grabber : grabbers_) grabber->SetCallback(nullptr, 0);
    }

    bool open(std::u16string_view moviePath) {
        return graph_.createGraph() == 0 && SUCCEEDED(graph_.addSourceFilter(moviePath, source_));
    }

    AnalysisOutcome addStream(const GUID& majorType, std::span<const GUID> subtypes, SampleTap* tap,
                              const TypeTaker& takeType) {
        ComPtr<IBaseFilter> filter;
        ComPtr<ISampleGrabber> grabber;
        AM_MEDIA_TYPE accepted{};
        accepted.majortype = majorType;
        if (FAILED(addSampleGrabber(graph_, accepted, filter, grabber))) return AnalysisOutcome::Failed;
        const auto acceptType = [&](int index) {
            if (index >= int(subtypes.size())) return false;
            accepted.subtype = subtypes[std::size_t(index)];
            return SUCCEEDED(grabber->SetMediaType(&accepted));
        };
        const HRESULT result = streams_ == 0
                                   ? connectMovieToAnyType(graph_, source_.get(), filter.get(), majorType, acceptType)
                                   : connectFromSplitter(majorType, filter.get(), acceptType);
        if (FAILED(result)) {
            graph_.graph()->RemoveFilter(filter.get());
            // The splitters find no stream of the type: the movie has none.
            return result == VFW_E_NOT_FOUND ? AnalysisOutcome::NoStream : AnalysisOutcome::Failed;
        }
        ++streams_;
        grabbers_.push_back(grabber);
        ReceivedMediaType connected;
        ComPtr<IBaseFilter> renderer;
        if (FAILED(grabber->GetConnectedMediaType(connected.put())) || !takeType(connected.get()) ||
            FAILED(grabber->SetBufferSamples(FALSE)) || FAILED(grabber->SetOneShot(FALSE)) ||
            FAILED(grabber->SetCallback(tap, 0)) ||
            FAILED(graph_.addNewFilter(kClsidNullRenderer, kNullRendererName, renderer)))
            return AnalysisOutcome::Failed;
        const ComPtr<IPin> output = findFreePin(filter.get(), PINDIR_OUTPUT);
        const ComPtr<IPin> input = findFreePin(renderer.get(), PINDIR_INPUT);
        if (!output || !input || FAILED(graph_.graph()->ConnectDirect(output.get(), input.get(), nullptr)))
            return AnalysisOutcome::Failed;
        return AnalysisOutcome::Done;
    }

    // Runs to the end of the streams, the stop flag or a failure; the
    // progress follows `tap`.
    AnalysisOutcome run(const AnalysisControl& control, const SampleTap& tap) {
        OAEVENT eventHandle = 0;
        if (FAILED(graph_.removeClock()) || FAILED(graph_.events()->GetEventHandle(&eventHandle)) ||
            FAILED(graph_.run()))
            return AnalysisOutcome::Failed;
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

    // A free output pin of the type on any filter of the graph (the splitter
    // the first stream brought), connected with a decoder where one is needed.
    HRESULT connectFromSplitter(const GUID& majorType, IBaseFilter* grabber, const std::function<bool(int)>& acceptType) {
        const ComPtr<IPin> input = findFreePin(grabber, PINDIR_INPUT);
        ComPtr<IEnumFilters> filters;
        if (!input || FAILED(graph_.graph()->EnumFilters(filters.put())) || !filters) return E_FAIL;
        ComPtr<IBaseFilter> filter;
        while (filters->Next(1, filter.put(), nullptr) == S_OK)
            if (const ComPtr<IPin> output = findFreeOutputPin(filter.get(), majorType)) {
                HRESULT result = VFW_E_NOT_FOUND;
                for (int type = 0; acceptType(type); ++type)
                    if (SUCCEEDED(result = graph_.graph()->Connect(output.get(), input.get()))) break;
                return result;
            }
        return VFW_E_NOT_FOUND;
    }

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
    ComPtr<IBaseFilter> source_;
    int streams_ = 0;
    std::vector<ComPtr<ISampleGrabber>> grabbers_;
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

// The picture types the cut detector reads, in the order they are asked of the
// graph: the planar ones first, whose brightness plane the decoders of
// compressed movies give as they make it (I420 first: under Wine it passes
// through with no conversion, 13.5 s for ten minutes of H.264 against 15.5 s
// as YUY2 and 18 s as NV12), then those uncompressed movies are stored in.
// Packed rows are DWORD-aligned; the planes' rows are as wide as the picture.
struct PictureType {
    const GUID* subtype;
    PixelLayout layout;
    int bytesPerPixel;
};
const PictureType kPictureTypes[] = {
    {&kMediaSubtypeI420, PixelLayout::Luma8, 1}, {&MEDIASUBTYPE_IYUV, PixelLayout::Luma8, 1},
    {&MEDIASUBTYPE_NV12, PixelLayout::Luma8, 1}, {&MEDIASUBTYPE_YV12, PixelLayout::Luma8, 1},
    {&MEDIASUBTYPE_YUY2, PixelLayout::Yuy2, 2},  {&MEDIASUBTYPE_RGB32, PixelLayout::Rgb32, 4},
    {&MEDIASUBTYPE_RGB24, PixelLayout::Rgb24, 3},
};

const PictureType* pictureTypeOf(const GUID& subtype) {
    for (const PictureType& type : kPictureTypes)
        if (*type.subtype == subtype) return &type;
    return nullptr;
}

// The sound's side of a pass: the peak builder, made once the type is known.
class SoundSide {
public:
    explicit SoundSide(bool keepFrames)
        : keepFrames_(keepFrames), tap_(ComPtr<SampleTap>::adopt(new SampleTap([this](const uint8_t* bytes,
                                                                                        std::size_t size, int64_t) {
              if (peaks_) peaks_->add(bytes, size);
          }))) {}

    SampleTap* tap() const { return tap_.get(); }
    bool takeType(const AM_MEDIA_TYPE& type) {
        const std::optional<PcmFormat> format = pcmFormatOf(type);
        if (format) peaks_.emplace(*format, keepFrames_);
        return format.has_value();
    }
    std::optional<PeakBuilder> takePeaks() { return std::move(peaks_); }

private:
    bool keepFrames_;
    std::optional<PeakBuilder> peaks_;
    ComPtr<SampleTap> tap_;
};

// The pictures' side: a thumbnail a frame into the cut detector.
class PictureSide {
public:
    PictureSide()
        : tap_(ComPtr<SampleTap>::adopt(new SampleTap(
              [this](const uint8_t* bytes, std::size_t size, int64_t start) { take(bytes, size, start); }))) {}

    SampleTap* tap() const { return tap_.get(); }
    bool takeType(const AM_MEDIA_TYPE& type) {
        const std::optional<VideoFormat> format = videoFormatOf(type);
        const PictureType* picture = format ? pictureTypeOf(format->subtype) : nullptr;
        if (!picture || format->width <= 0 || format->height == 0) return false;
        std::ptrdiff_t stride = std::ptrdiff_t(format->width) * picture->bytesPerPixel;
        if (picture->layout != PixelLayout::Luma8) stride = (stride + 3) & ~std::ptrdiff_t(3);
        view_ = PictureView{nullptr, format->width, std::abs(format->height), stride, picture->layout};
        frameDuration_ = format->averageTimePerFrame;
        return true;
    }
    CutList cuts() const { return {detector_.frames(), frameDuration_, detector_.cuts()}; }

private:
    void take(const uint8_t* bytes, std::size_t size, int64_t start) {
        if (!view_ || size < std::size_t(view_->height) * std::size_t(std::abs(view_->stride))) return;
        // A frame the source skipped counts as the one before it repeated.
        if (start >= 0 && last_ && frameDuration_ > 0) {
            const int64_t index = (start + frameDuration_ / 2) / frameDuration_;
            while (detector_.frames() < index) detector_.add(*last_);
        }
        PictureView picture = *view_;
        picture.pixels = bytes;
        last_ = greyThumbnail(picture);
        detector_.add(*last_);
    }

    ShotDetector detector_;
    std::optional<PictureView> view_;
    std::optional<Thumbnail> last_;
    int64_t frameDuration_ = 0;
    ComPtr<SampleTap> tap_;
};

}  // namespace

MovieAnalysis analyseMovie(std::u16string_view moviePath, const AnalysisParts& parts, const AnalysisControl& control) {
    MovieAnalysis analysis;
    AnalysisGraph graph;
    if (!graph.open(moviePath)) return analysis;
    PictureSide pictures;
    SoundSide sound(parts.keepFrames);
    std::vector<GUID> pictureSubtypes;
    for (const PictureType& type : kPictureTypes) pictureSubtypes.push_back(*type.subtype);
    const GUID kPcm[] = {MEDIASUBTYPE_PCM};
    if (parts.shots)
        analysis.shots.outcome = graph.addStream(MEDIATYPE_Video, pictureSubtypes, pictures.tap(),
                                                 [&](const AM_MEDIA_TYPE& type) { return pictures.takeType(type); });
    if (parts.sound)
        analysis.sound.outcome = graph.addStream(MEDIATYPE_Audio, kPcm, sound.tap(),
                                                 [&](const AM_MEDIA_TYPE& type) { return sound.takeType(type); });
    const bool shots = analysis.shots.outcome == AnalysisOutcome::Done;
    const bool soundToo = analysis.sound.outcome == AnalysisOutcome::Done;
    // Nothing to run: each part says why.
    if (!shots && !soundToo) return analysis;
    const AnalysisOutcome ran = graph.run(control, shots ? *pictures.tap() : *sound.tap());
    if (shots) {
        analysis.shots.outcome = ran;
        analysis.shots.cuts = pictures.cuts();
    }
    if (soundToo) {
        analysis.sound.outcome = ran;
        analysis.sound.peaks = sound.takePeaks();
    }
    return analysis;
}

SoundAnalysis analyseSound(std::u16string_view moviePath, bool keepFrames, const AnalysisControl& control) {
    return analyseMovie(moviePath, {.sound = true, .keepFrames = keepFrames}, control).sound;
}

ShotAnalysis analyseShots(std::u16string_view moviePath, const AnalysisControl& control) {
    return analyseMovie(moviePath, {.shots = true}, control).shots;
}

}  // namespace qucap
