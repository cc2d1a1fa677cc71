#include "app/media/synthesis_graph.h"

#include <chrono>

#include "app/core/media/avi_file.h"
#include "app/media/avi_file_source.h"
#include "app/media/encoders.h"
#include "app/media/media_type.h"
#include "app/media/movie_source.h"
#include "app/media/pins.h"
#include "win32/wide.h"

namespace qucap {
namespace {

constexpr wchar_t kAviMuxName[] = L"AVI Mux";

// The filter that the source's output pin feeds (the splitter the movie
// connection inserted), or the source itself when its output is free.
ComPtr<IBaseFilter> filterAfterSource(IBaseFilter* source) {
    ComPtr<IBaseFilter> result = ComPtr<IBaseFilter>::share(source);
    ComPtr<IEnumPins> pins;
    if (!source || FAILED(source->EnumPins(pins.put()))) return result;
    ComPtr<IPin> pin;
    while (pins->Next(1, pin.put(), nullptr) == S_OK) {
        ComPtr<IPin> peer;
        PIN_INFO info = {};
        if (pin->ConnectedTo(peer.put()) == S_OK && SUCCEEDED(peer->QueryPinInfo(&info)) && info.pFilter)
            return ComPtr<IBaseFilter>::adopt(info.pFilter);
    }
    return result;
}

// Connects `from` to the multiplexer through `encoder` (when there is one)
// with the graph's intelligent connect, pin by pin.
HRESULT connectThrough(IGraphBuilder* graph, IPin* from, IBaseFilter* encoder, IBaseFilter* multiplexer) {
    if (!from) return VFW_E_NOT_FOUND;
    ComPtr<IPin> output = ComPtr<IPin>::share(from);
    if (encoder) {
        const ComPtr<IPin> encoderInput = findFreePin(encoder, PINDIR_INPUT);
        if (!encoderInput) return VFW_E_NOT_FOUND;
        const HRESULT hr = graph->Connect(output.get(), encoderInput.get());
        if (FAILED(hr)) return hr;
        output = findFreePin(encoder, PINDIR_OUTPUT);
        if (!output) return VFW_E_NOT_FOUND;
    }
    const ComPtr<IPin> muxInput = findFreePin(multiplexer, PINDIR_INPUT);
    return muxInput ? graph->Connect(output.get(), muxInput.get()) : VFW_E_NOT_FOUND;
}

// Whether the written movie lost frames: fewer whole frame chunks than its
// header counts, or a file that ends inside a chunk. A file that cannot be
// read as an AVI is not judged (it is kept): only a proven loss fails a run.
bool lostFrames(const std::u16string& path) {
    const std::unique_ptr<FileByteSource> file = FileByteSource::open(path);
    if (!file) return false;
    const std::optional<AviVideoFrames> frames = countAviVideoFrames(*file);
    return frames && (frames->ending == AviEnding::Cut || frames->present < frames->claimed);
}

bool anyInputConnected(IBaseFilter* filter) {
    ComPtr<IEnumPins> pins;
    if (!filter || FAILED(filter->EnumPins(pins.put()))) return false;
    ComPtr<IPin> pin;
    while (pins->Next(1, pin.put(), nullptr) == S_OK) {
        PIN_DIRECTION direction;
        ComPtr<IPin> peer;
        if (SUCCEEDED(pin->QueryDirection(&direction)) && direction == PINDIR_INPUT && pin->ConnectedTo(peer.put()) == S_OK)
            return true;
    }
    return false;
}

}  // namespace

std::u16string temporaryOutputName(std::u16string_view outputPath) { return std::u16string(outputPath) + u".part"; }

SynthesisGraph::~SynthesisGraph() {
    if (!finished_) finish(false);
}

SynthesisBuild SynthesisGraph::fail(SynthesisBuild step, HRESULT result) {
    lastResult_ = result;
    return step;
}

SynthesisBuild SynthesisGraph::build(const SynthesisRequest& request) {
    if (!graph_.graph() && graph_.createGraph() != 0) return fail(SynthesisBuild::NoGraph, E_FAIL);
    graph_.emptyGraph();
    if (graph_.attachCaptureBuilder() != 0) return fail(SynthesisBuild::NoGraph, E_FAIL);
    // A chosen name that matches no device adds nothing: that stream is written as it is.
    if (request.encoders && !request.videoEncoder.empty())
        addVideoEncoder(graph_, *request.encoders, request.videoEncoder);
    if (request.encoders && !request.audioEncoder.empty())
        addAudioEncoder(graph_, *request.encoders, request.audioEncoder);

    const std::optional<std::u16string> output = request.checkOutput ? request.checkOutput() : std::nullopt;
    if (!output) return fail(SynthesisBuild::OutputRefused, E_ABORT);
    outputPath_ = *output;
    writtenPath_ = temporaryOutputName(outputPath_);
    HRESULT hr = tryCreatingWrittenFile();
    if (FAILED(hr)) return fail(SynthesisBuild::OutputNotCreated, hr);
    hr = setOutputFile();
    // Where the capture graph builder cannot set an output file (Wine), the
    // own AVI writer joins once the movie is connected: Wine's intelligent
    // connect would try a multiplexer already in the graph for the movie's
    // own format and leave its allocator unusable for the caption filter.
    const bool ownWriterNeeded = hr == E_NOTIMPL;
    if (FAILED(hr) && !ownWriterNeeded) return fail(SynthesisBuild::NoOutputFile, hr);
    finished_ = false;

    // The caption filter comes first: it creates the shared control block.
    hr = addCaptionFilter(graph_, request.makeCaptionFilter, graph_.captionFilter());
    if (FAILED(hr)) return fail(SynthesisBuild::NoCaptionFilter, hr);
    hr = graph_.addSourceFilter(request.inputPath, graph_.source());
    if (FAILED(hr)) return fail(SynthesisBuild::NoSource, hr);
    // The results of connecting and rendering are not checked: a graph that
    // cannot run shows up when it is run.
    connectMovieTo(graph_, graph_.source().get(), graph_.captionFilter().get());
    if (ownWriterNeeded) {
        hr = addOwnAviWriter(request.timeFileWrites);
        if (FAILED(hr)) return fail(SynthesisBuild::NoOutputFile, hr);
    }
    renderVideo();
    renderAudio();
    // A graph whose multiplexer receives no stream would run without ever
    // completing: it is refused here instead.
    if (!anyInputConnected(multiplexer())) return fail(SynthesisBuild::NotConnected, VFW_E_CANNOT_CONNECT);
    return SynthesisBuild::Built;
}

// The file the movie goes into must be creatable before any graph runs: a
// writer that cannot open its file while the graph starts leaves the
// multiplexer broken (Wine's then hangs the process when the graph is
// released), and the user would hear of encoders instead of the file. The
// trial file is deleted when closed.
HRESULT SynthesisGraph::tryCreatingWrittenFile() const {
    const HANDLE file = CreateFileW(wide(writtenPath_), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) return HRESULT_FROM_WIN32(GetLastError());
    CloseHandle(file);
    return S_OK;
}

HRESULT SynthesisGraph::setOutputFile() {
    ComPtr<IFileSinkFilter> sink;
    return graph_.captureBuilder()->SetOutputFileName(&MEDIASUBTYPE_Avi, wide(writtenPath_), graph_.multiplexer().put(),
                                                      sink.put());
}

// The AVI Mux created directly, writing through the own file writer, in
// full interleaving (the only mode Wine's mux runs in).
HRESULT SynthesisGraph::addOwnAviWriter(bool timeFileWrites) {
    HRESULT hr = graph_.addNewFilter(CLSID_AviDest, kAviMuxName, graph_.multiplexer());
    if (FAILED(hr)) return hr;
    ownWriter_ = StreamFileWriter::create(ownWriterFilter_);
    if (!ownWriter_) return E_OUTOFMEMORY;
    ownWriter_->timeSystemCalls(timeFileWrites);
    hr = ownWriter_->SetFileName(wide(writtenPath_), nullptr);
    if (SUCCEEDED(hr)) hr = graph_.addFilter(ownWriterFilter_.get(), kStreamFileWriterName);
    const ComPtr<IPin> muxOutput = findFreePin(graph_.multiplexer().get(), PINDIR_OUTPUT);
    const ComPtr<IPin> writerInput = findFreePin(ownWriterFilter_.get(), PINDIR_INPUT);
    if (SUCCEEDED(hr)) hr = muxOutput && writerInput ? graph_.graph()->ConnectDirect(muxOutput.get(), writerInput.get(), nullptr)
                                                     : VFW_E_NOT_FOUND;
    ComPtr<IConfigInterleaving> interleaving;
    if (SUCCEEDED(hr) && SUCCEEDED(graph_.multiplexer().query(IID_IConfigInterleaving, interleaving)))
        hr = interleaving->put_Mode(INTERLEAVE_FULL);
    return hr;
}

// The caption filter's output through the video encoder into the
// multiplexer; where the capture graph builder cannot render it, the pins
// are connected with the graph's intelligent connect.
HRESULT SynthesisGraph::renderVideo() {
    IBaseFilter* encoder = graph_.videoEncoder().get();
    const HRESULT hr = graph_.captureBuilder()->RenderStream(nullptr, &MEDIATYPE_Video, graph_.captionFilter().get(),
                                                              encoder, multiplexer());
    if (SUCCEEDED(hr)) return hr;
    const ComPtr<IPin> output = findFreePin(graph_.captionFilter().get(), PINDIR_OUTPUT);
    return connectThrough(graph_.graph(), output.get(), encoder, multiplexer());
}

// The source's audio through the audio encoder into the multiplexer; where
// the capture graph builder cannot render from the source (Wine refuses a
// file source), the splitter's free audio pin is connected instead.
// Beside the own file writer (Wine), PCM audio with no encoder is offered to
// the multiplexer directly and only so: a multiplexer that refuses the
// movie's PCM takes no audio through any decoder either (a decoder gives PCM
// too), and the graph's search among the installed filters for one cost
// 0.1 s of a warm synthesis and 0.6 s of a console render.
HRESULT SynthesisGraph::renderAudio() {
    IBaseFilter* encoder = graph_.audioEncoder().get();
    const auto freeAudioPin = [&] {
        return findFreeOutputPin(filterAfterSource(graph_.source().get()).get(), MEDIATYPE_Audio);
    };
    if (ownWriter_ && encoder == nullptr) {
        const ComPtr<IPin> audio = freeAudioPin();
        const ComPtr<IPin> muxInput = findFreePin(multiplexer(), PINDIR_INPUT);
        if (audio && muxInput && offersType(audio.get(), isPcmAudio))
            return graph_.graph()->ConnectDirect(audio.get(), muxInput.get(), nullptr);
    }
    const HRESULT hr =
        graph_.captureBuilder()->RenderStream(nullptr, &MEDIATYPE_Audio, graph_.source().get(), encoder, multiplexer());
    if (SUCCEEDED(hr)) return hr;
    return connectThrough(graph_.graph(), freeAudioPin().get(), encoder, multiplexer());
}

SynthesisFinish SynthesisGraph::finish(bool completed) {
    if (finished_) return SynthesisFinish::Discarded;
    finished_ = true;
    finishTimes_ = {};
    auto lapStart = std::chrono::steady_clock::now();
    const auto lap = [&lapStart](double& seconds) {
        const auto now = std::chrono::steady_clock::now();
        seconds = std::chrono::duration<double>(now - lapStart).count();
        lapStart = now;
    };
    graph_.stop();
    lap(finishTimes_.stop);
    // The multiplexer has written its headers while it stopped; the file is
    // closed now, with its last gathered block: a write that fails then
    // leaves no finished movie.
    bool written = true;
    if (ownWriter_) {
        written = SUCCEEDED(ownWriter_->finish());
        writerStats_ = ownWriter_->stats();
    }
    lap(finishTimes_.close);
    graph_.emptyGraph();
    ownWriter_ = nullptr;
    ownWriterFilter_.reset();
    lap(finishTimes_.emptying);
    if (!completed) {
        DeleteFileW(wide(writtenPath_));
        return SynthesisFinish::Discarded;
    }
    if (GetFileAttributesW(wide(writtenPath_)) == INVALID_FILE_ATTRIBUTES) return SynthesisFinish::NotWritten;
    if (!written) {
        DeleteFileW(wide(writtenPath_));
        return SynthesisFinish::NotWritten;
    }
    const bool lost = lostFrames(writtenPath_);
    lap(finishTimes_.count);
    if (lost) {
        DeleteFileW(wide(writtenPath_));
        return SynthesisFinish::CutShort;
    }
    const bool moved = MoveFileExW(wide(writtenPath_), wide(outputPath_), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED);
    lap(finishTimes_.rename);
    return moved ? SynthesisFinish::Replaced : SynthesisFinish::KeptUnderTemporaryName;
}

}  // namespace qucap
