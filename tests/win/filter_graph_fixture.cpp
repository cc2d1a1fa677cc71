#include "tests/win/filter_graph_fixture.h"

#include <dvdmedia.h>
#include <dshow.h>

#include <algorithm>
#include <cstring>

#include "app/media/directshow_ids.h"
#include "dshowbase/transform_input_pin.h"
#include "dshowbase/transform_output_pin.h"
#include "filter/win/gdi_rasteriser.h"
#include "filter/win/gdi_surface.h"
#include "filter/win/video_media_type.h"
#include "tests/win/dshowbase_test_support.h"

namespace qucap::test {
namespace {

// {5E0A8F52-7C3B-4D1A-9B64-0F2E8C7D6A15}, a class of the tests only.
constexpr GUID kClsidFrameTap = {0x5E0A8F52, 0x7C3B, 0x4D1A, {0x9B, 0x64, 0x0F, 0x2E, 0x8C, 0x7D, 0x6A, 0x15}};

const VIDEOINFOHEADER* videoInfoOf(const AM_MEDIA_TYPE& type) {
    if (!IsEqualGUID(type.formattype, FORMAT_VideoInfo) || type.cbFormat < sizeof(VIDEOINFOHEADER)) return nullptr;
    return reinterpret_cast<const VIDEOINFOHEADER*>(type.pbFormat);
}

bool isYuy2(const AM_MEDIA_TYPE& type) { return IsEqualGUID(type.subtype, MEDIASUBTYPE_YUY2); }

std::wstring wideOf(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

}  // namespace

void FrameLog::add(IMediaSample* sample) {
    Frame frame;
    REFERENCE_TIME start = 0, stop = 0;
    if (sample->GetTime(&start, &stop) == S_OK) frame.times = SampleTimes{start, stop};
    BYTE* bytes = nullptr;
    if (SUCCEEDED(sample->GetPointer(&bytes)))
        frame.bytes.assign(bytes, bytes + std::max<long>(sample->GetActualDataLength(), 0));
    frame.buffer = bytes;
    std::lock_guard<std::mutex> guard(lock_);
    frames_.push_back(std::move(frame));
}

std::vector<Frame> FrameLog::frames() const {
    std::lock_guard<std::mutex> guard(lock_);
    return frames_;
}

void FrameLog::clear() {
    std::lock_guard<std::mutex> guard(lock_);
    frames_.clear();
}

FrameTap::FrameTap() : CTransformFilter(nullptr, kClsidFrameTap) {}

HRESULT FrameTap::CheckInputType(const CMediaType* in) {
    const VIDEOINFOHEADER* info = videoInfoOf(*in);
    if (!IsEqualGUID(in->majortype, MEDIATYPE_Video) || info == nullptr) return VFW_E_TYPE_NOT_ACCEPTED;
    const bool rgb24 = IsEqualGUID(in->subtype, MEDIASUBTYPE_RGB24) && info->bmiHeader.biBitCount == 24;
    const bool rgb32 = IsEqualGUID(in->subtype, MEDIASUBTYPE_RGB32) && info->bmiHeader.biBitCount == 32;
    const bool yuy2 = takesYuy2 && isYuy2(*in) && info->bmiHeader.biBitCount == 16;
    return rgb24 || rgb32 || yuy2 ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT FrameTap::CheckTransform(const CMediaType* in, const CMediaType* out) {
    return IsEqualGUID(in->subtype, out->subtype) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT FrameTap::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) {
    const VIDEOINFOHEADER* info = videoInfoOf(m_pInput->CurrentMediaType());
    if (info == nullptr) return E_UNEXPECTED;
    const BITMAPINFOHEADER& header = info->bmiHeader;
    request->cBuffers = std::max<long>(request->cBuffers, 2);
    request->cbBuffer = long(pictureBytes(header.biWidth, header.biHeight, header.biBitCount));
    ALLOCATOR_PROPERTIES actual{};
    return allocator->SetProperties(request, &actual);
}

HRESULT FrameTap::GetMediaType(int position, CMediaType* type) {
    if (position < 0) return E_INVALIDARG;
    if (position > 0) return VFW_S_NO_MORE_ITEMS;
    const CMediaType& input = m_pInput->CurrentMediaType();
    const VIDEOINFOHEADER* info = videoInfoOf(input);
    if (info == nullptr) return E_UNEXPECTED;
    if (!isYuy2(input)) return type->Set(input);
    // The same picture described by a VIDEOINFOHEADER2.
    auto* format = reinterpret_cast<VIDEOINFOHEADER2*>(type->AllocFormatBuffer(sizeof(VIDEOINFOHEADER2)));
    if (format == nullptr) return E_OUTOFMEMORY;
    format->rcSource = info->rcSource;
    format->rcTarget = info->rcTarget;
    format->dwBitRate = info->dwBitRate;
    format->dwBitErrorRate = info->dwBitErrorRate;
    format->AvgTimePerFrame = info->AvgTimePerFrame;
    format->bmiHeader = info->bmiHeader;
    type->SetType(&MEDIATYPE_Video);
    type->SetSubtype(&MEDIASUBTYPE_YUY2);
    type->SetFormatType(&FORMAT_VideoInfo2);
    type->SetSampleSize(input.GetSampleSize());
    return S_OK;
}

HRESULT FrameTap::Transform(IMediaSample* in, IMediaSample* out) {
    BYTE* from = nullptr;
    BYTE* to = nullptr;
    if (FAILED(in->GetPointer(&from)) || FAILED(out->GetPointer(&to))) return E_UNEXPECTED;
    const long length = std::min(in->GetActualDataLength(), out->GetSize());
    std::memcpy(to, from, std::size_t(std::max<long>(length, 0)));
    out->SetActualDataLength(length);
    log.add(out);
    return S_OK;
}

STDMETHODIMP GrabbedFrames::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_ISampleGrabberCB)) {
        *object = static_cast<ISampleGrabberCB*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP GrabbedFrames::SampleCB(double, IMediaSample* sample) {
    log.add(sample);
    return S_OK;
}

CaptionGraph::CaptionGraph() : tap_(new FrameTap) { tap_->NonDelegatingAddRef(); }

CaptionGraph::~CaptionGraph() {
    graph_.reset();  // before the grabber's callback object goes
    tap_->NonDelegatingRelease();
    FreeMediaType(inputType_);
    FreeMediaType(outputType_);
}

HRESULT CaptionGraph::build(const std::u16string& movie, IBaseFilter* captionFilter, bool takeYuy2) {
    using namespace dshowbase_test;
    tap_->takesYuy2 = takeYuy2;
    HRESULT hr = CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder, graph_.putVoid());
    if (FAILED(hr)) return hr;
    const auto adopt = [](IPin* pin) { return ComPtr<IPin>::adopt(pin); };
    // Without YUY2, through the GStreamer splitter, which (as in a synthesis,
    // where the AVI Splitter cannot connect to the caption filter) makes RGB32.
    ComPtr<IPin> video =
        adopt(movieVideoPin(graph_.get(), wideOf(movie), takeYuy2 ? CLSID_AviSplitter : kClsidGstreamerSplitter));
    if (!video) return E_FAIL;
    if (FAILED(hr = graph_->AddFilter(static_cast<IBaseFilter*>(tap_), L"Frame Tap"))) return hr;
    if (FAILED(hr = graph_->AddFilter(captionFilter, L"Caption Filter"))) return hr;
    ComPtr<IBaseFilter> grabber =
        ComPtr<IBaseFilter>::adopt(addFilter(graph_.get(), dshowbase_test::kClsidSampleGrabber, L"Grabber"));
    ComPtr<IBaseFilter> renderer =
        ComPtr<IBaseFilter>::adopt(addFilter(graph_.get(), dshowbase_test::kClsidNullRenderer, L"Null"));
    if (!grabber || !renderer) return E_FAIL;
    ComPtr<ISampleGrabber> grabbing;
    if (FAILED(hr = grabber.query(IID_ISampleGrabber, grabbing))) return hr;
    AM_MEDIA_TYPE wanted{};
    wanted.majortype = MEDIATYPE_Video;
    wanted.subtype = MEDIASUBTYPE_RGB32;
    wanted.formattype = FORMAT_VideoInfo;
    grabbing->SetMediaType(&wanted);
    grabbing->SetCallback(&grabbed_, 0);

    ComPtr<IPin> tapIn = adopt(firstPin(static_cast<IBaseFilter*>(tap_), PINDIR_INPUT));
    ComPtr<IPin> tapOut = adopt(firstPin(static_cast<IBaseFilter*>(tap_), PINDIR_OUTPUT));
    ComPtr<IPin> filterIn = adopt(firstPin(captionFilter, PINDIR_INPUT));
    ComPtr<IPin> filterOut = adopt(firstPin(captionFilter, PINDIR_OUTPUT));
    ComPtr<IPin> grabberIn = adopt(firstPin(grabber.get(), PINDIR_INPUT));
    ComPtr<IPin> grabberOut = adopt(firstPin(grabber.get(), PINDIR_OUTPUT));
    ComPtr<IPin> rendererIn = adopt(firstPin(renderer.get(), PINDIR_INPUT));
    if (FAILED(hr = graph_->ConnectDirect(video.get(), tapIn.get(), nullptr))) return hr;
    if (FAILED(hr = graph_->ConnectDirect(tapOut.get(), filterIn.get(), nullptr))) return hr;
    if (FAILED(hr = graph_->ConnectDirect(filterOut.get(), grabberIn.get(), nullptr))) return hr;
    if (FAILED(hr = graph_->ConnectDirect(grabberOut.get(), rendererIn.get(), nullptr))) return hr;
    if (FAILED(hr = filterIn->ConnectionMediaType(&inputType_))) return hr;
    return filterOut->ConnectionMediaType(&outputType_);
}

bool CaptionGraph::runToEnd(DWORD milliseconds) {
    dshowbase_test::runWithoutClock(graph_.get());
    const std::vector<long> events = dshowbase_test::runAndCollectEvents(graph_.get(), milliseconds);
    return std::find(events.begin(), events.end(), EC_COMPLETE) != events.end();
}

HRESULT CaptionGraph::rewind() {
    ComPtr<IMediaSeeking> seeking;
    HRESULT hr = graph_.query(IID_IMediaSeeking, seeking);
    if (FAILED(hr)) return hr;
    LONGLONG start = 0;
    return seeking->SetPositions(&start, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning);
}

void CaptionGraph::clearFrames() {
    tap_->log.clear();
    grabbed_.log.clear();
}

std::vector<std::vector<uint8_t>> composeDirectly(const std::vector<Frame>& inputs, const AM_MEDIA_TYPE& inputType,
                                                  const AM_MEDIA_TYPE& outputType, const FilterSettings& settings,
                                                  const FilterTables& tables, int32_t seekOffset) {
    GdiRasteriser rasteriser;
    GdiSurfaceFactory surfaces;
    FrameCompositor compositor(rasteriser, surfaces);
    compositor.initialise(settings, tables.captions, tables.boxes, tables.colours);
    const OfferedType in = offeredTypeOf(inputType);
    const OfferedType out = offeredTypeOf(outputType);
    const PictureKind kind = decideInput(in).kind.value_or(PictureKind::Rgb);
    const std::size_t outBytes = std::size_t(pictureBytes(out.width, out.height, out.bitCount));
    std::vector<std::vector<uint8_t>> frames;
    for (const Frame& input : inputs) {
        std::vector<uint8_t> frame(outBytes);
        ComposeRequest request;
        request.input = input.bytes.data();
        request.inputSize = input.bytes.size();
        request.inputFormat = pictureOf(in, kind);
        request.output = frame.data();
        request.outputSize = frame.size();
        request.outputFormat = pictureOf(out, PictureKind::Rgb);
        request.times = input.times;
        request.seekOffset = seekOffset;
        compositor.composeFrame(request);
        frames.push_back(std::move(frame));
    }
    return frames;
}

}  // namespace qucap::test
