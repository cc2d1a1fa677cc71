// The tests' transform filter in real graphs of Wine's DirectShow:
// File Source (Async.) -> AVI Splitter -> filter -> (SampleGrabber ->) Null Renderer.
#include <qedit.h>

#include <algorithm>
#include <mutex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "dshowbase/transform_input_pin.h"
#include "dshowbase/transform_output_pin.h"
#include "tests/win/dshowbase_invert_filter.h"
#include "tests/win/dshowbase_test_support.h"
#include "tests/win/temp_folder.h"

namespace qucap::dshowbase_test {
namespace {

// The buffers a SampleGrabber hands on, copied.
struct GrabbedFrames final : ISampleGrabberCB {
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_ISampleGrabberCB)) {
            *object = static_cast<ISampleGrabberCB*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP SampleCB(double, IMediaSample*) override { return S_OK; }
    STDMETHODIMP BufferCB(double, BYTE* buffer, long length) override {
        std::lock_guard lock(mutex);
        buffers.emplace_back(reinterpret_cast<const char*>(buffer), size_t(length));
        return S_OK;
    }
    std::mutex mutex;
    std::vector<std::string> buffers;
};

// What the filter must make of frame `frame`.
std::string invertedFrame(int frame) {
    std::string bytes(kOutputStride * kHeight, '\0');
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            for (int c = 0; c < 3; ++c)
                bytes[y * kOutputStride + 4 * x + c] = char(255 - movieByte(frame, y * kInputStride + 3 * x + c));
    return bytes;
}

std::vector<int> framesFrom(int first) {
    std::vector<int> frames;
    for (int frame = first; frame < kFrames; ++frame) frames.push_back(frame);
    return frames;
}

int countOf(const std::vector<long>& codes, long code) { return int(std::count(codes.begin(), codes.end(), code)); }

struct BaseGraphTest : ::testing::Test {
    BaseGraphTest() {
        movie = reinterpret_cast<const wchar_t*>((folder / u"movie.avi").c_str());
        writeTestMovie(movie);
        CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                         reinterpret_cast<void**>(&graph));
        filter->NonDelegatingAddRef();
    }
    ~BaseGraphTest() override {
        if (splitterVideo) splitterVideo->Release();
        if (renderer) renderer->Release();
        if (grabber) grabber->Release();
        if (graph) graph->Release();
        filter->NonDelegatingRelease();
    }

    // Movie -> filter -> [SampleGrabber ->] Null Renderer, connected pin by pin.
    void build(bool withGrabber) {
        ASSERT_NE(graph, nullptr);
        splitterVideo = movieVideoPin(graph, movie);
        ASSERT_NE(splitterVideo, nullptr);
        ASSERT_EQ(graph->AddFilter(filter, L"Invert"), S_OK);
        ASSERT_EQ(graph->ConnectDirect(splitterVideo, filter->InputPin(), nullptr), S_OK);
        IPin* from = filter->OutputPin();
        from->AddRef();
        if (withGrabber) {
            grabber = addFilter(graph, kClsidSampleGrabber, L"SampleGrabber");
            ASSERT_NE(grabber, nullptr);
            ISampleGrabber* control = nullptr;
            ASSERT_EQ(grabber->QueryInterface(IID_ISampleGrabber, reinterpret_cast<void**>(&control)), S_OK);
            control->SetCallback(&grabbed, 1);
            control->Release();
            IPin* in = firstPin(grabber, PINDIR_INPUT);
            ASSERT_EQ(graph->ConnectDirect(from, in, nullptr), S_OK);
            in->Release();
            from->Release();
            from = firstPin(grabber, PINDIR_OUTPUT);
        }
        renderer = addFilter(graph, kClsidNullRenderer, L"Null Renderer");
        ASSERT_NE(renderer, nullptr);
        IPin* in = firstPin(renderer, PINDIR_INPUT);
        ASSERT_EQ(graph->ConnectDirect(from, in, nullptr), S_OK);
        in->Release();
        from->Release();
        runWithoutClock(graph);
    }

    ComApartment apartment;
    test::TempFolder folder;
    std::wstring movie;
    IGraphBuilder* graph = nullptr;
    InvertFilter* filter = new InvertFilter(nullptr);
    IPin* splitterVideo = nullptr;
    IBaseFilter* grabber = nullptr;
    IBaseFilter* renderer = nullptr;
    GrabbedFrames grabbed;
};

TEST_F(BaseGraphTest, EveryFrameIsTransformedAndDeliveredUntilTheGraphCompletes) {
    build(true);
    const std::vector<long> events = runAndCollectEvents(graph);
    EXPECT_EQ(countOf(events, EC_COMPLETE), 1);
    EXPECT_EQ(filter->frames(), framesFrom(0));
    std::vector<REFERENCE_TIME> expectedTimes;
    for (int frame = 0; frame < kFrames; ++frame) expectedTimes.push_back(frame * kFrameDuration);
    EXPECT_EQ(filter->startTimes(), expectedTimes);
    EXPECT_EQ(filter->endsOfStream.load(), 1);
    EXPECT_EQ(filter->inputConnections.load(), 1);
    EXPECT_EQ(filter->outputConnections.load(), 1);

    // Whole 32-bit frames reach the next filter, although each input frame
    // is smaller: the output length is the output type's sample size.
    ASSERT_EQ(grabbed.buffers.size(), size_t(kFrames));
    for (int frame = 0; frame < kFrames; ++frame) EXPECT_EQ(grabbed.buffers[frame], invertedFrame(frame)) << frame;
}

TEST_F(BaseGraphTest, TheAgreedOutputTypeIsTheFiltersProposal) {
    build(true);
    AM_MEDIA_TYPE type = {};
    ASSERT_EQ(filter->OutputPin()->ConnectionMediaType(&type), S_OK);
    EXPECT_TRUE(IsEqualGUID(type.subtype, MEDIASUBTYPE_RGB32));
    EXPECT_TRUE(type.bFixedSizeSamples);
    EXPECT_EQ(type.lSampleSize, ULONG(kOutputStride * kHeight));
    ASSERT_EQ(type.cbFormat, sizeof(VIDEOINFOHEADER));
    const auto* info = reinterpret_cast<const VIDEOINFOHEADER*>(type.pbFormat);
    EXPECT_EQ(info->bmiHeader.biWidth, kWidth);
    EXPECT_EQ(info->bmiHeader.biHeight, kHeight);
    EXPECT_EQ(info->bmiHeader.biBitCount, 32);
    FreeMediaType(type);

    // The output allocator is committed while the graph runs and holds
    // buffers of the output size.
    ALLOCATOR_PROPERTIES properties = {};
    ASSERT_NE(filter->OutputPin()->Allocator(), nullptr);
    ASSERT_EQ(filter->OutputPin()->Allocator()->GetProperties(&properties), S_OK);
    EXPECT_GE(properties.cbBuffer, kOutputStride * kHeight);
    EXPECT_GE(properties.cBuffers, 1);
}

// Into a multiplexer, which reads what it gets, the output takes the base
// classes' own allocator before the one the multiplexer offers; its samples
// (unlike the system allocator's) answer no IMediaSample2.
TEST_F(BaseGraphTest, IntoAMultiplexerTheOutputTakesItsOwnAllocatorFirst) {
    splitterVideo = movieVideoPin(graph, movie);
    ASSERT_NE(splitterVideo, nullptr);
    ASSERT_EQ(graph->AddFilter(filter, L"Invert"), S_OK);
    ASSERT_EQ(graph->ConnectDirect(splitterVideo, filter->InputPin(), nullptr), S_OK);
    renderer = addFilter(graph, CLSID_AviDest, L"AVI Mux");
    ASSERT_NE(renderer, nullptr);
    IPin* in = firstPin(renderer, PINDIR_INPUT);
    IMemInputPin* memory = nullptr;
    ASSERT_EQ(in->QueryInterface(IID_IMemInputPin, reinterpret_cast<void**>(&memory)), S_OK);
    IMemAllocator* offered = nullptr;
    EXPECT_EQ(memory->GetAllocator(&offered), S_OK);
    if (offered) offered->Release();
    memory->Release();
    ASSERT_EQ(graph->ConnectDirect(filter->OutputPin(), in, nullptr), S_OK);
    in->Release();

    ASSERT_EQ(filter->OutputPin()->Active(), S_OK);
    IMediaSample* sample = nullptr;
    ASSERT_EQ(filter->OutputPin()->GetDeliveryBuffer(&sample, nullptr, nullptr, AM_GBF_NOWAIT), S_OK);
    IMediaSample2* second = nullptr;
    EXPECT_EQ(sample->QueryInterface(IID_IMediaSample2, reinterpret_cast<void**>(&second)), E_NOINTERFACE);
    sample->Release();
    filter->OutputPin()->Inactive();
}

TEST_F(BaseGraphTest, AnOutputSampleCarriesTheWholeFrameLengthEvenWhenItsBufferWasShorterBefore) {
    build(true);
    // The output allocator committed as Pause would, without a stream.
    ASSERT_EQ(filter->OutputPin()->Active(), S_OK);
    // Every buffer of the output allocator used once with a short length.
    ALLOCATOR_PROPERTIES properties = {};
    filter->OutputPin()->Allocator()->GetProperties(&properties);
    std::vector<IMediaSample*> used;
    for (long n = 0; n < properties.cBuffers; ++n) {
        IMediaSample* sample = nullptr;
        if (filter->OutputPin()->GetDeliveryBuffer(&sample, nullptr, nullptr, AM_GBF_NOWAIT) != S_OK) break;
        sample->SetActualDataLength(10);
        used.push_back(sample);
    }
    for (IMediaSample* sample : used) sample->Release();

    ASSERT_FALSE(used.empty());

    // An input sample of an allocator of the test's own.
    IMemAllocator* inputs = nullptr;
    ASSERT_EQ(CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER, IID_IMemAllocator,
                               reinterpret_cast<void**>(&inputs)),
              S_OK);
    ALLOCATOR_PROPERTIES wanted = {1, kInputStride * kHeight, 1, 0}, actual = {};
    ASSERT_EQ(inputs->SetProperties(&wanted, &actual), S_OK);
    ASSERT_EQ(inputs->Commit(), S_OK);
    IMediaSample* in = nullptr;
    ASSERT_EQ(inputs->GetBuffer(&in, nullptr, nullptr, 0), S_OK);

    IMediaSample* out = nullptr;
    ASSERT_EQ(filter->InitializeOutputSample(in, &out), S_OK);
    EXPECT_EQ(out->GetActualDataLength(), kOutputStride * kHeight);
    out->Release();
    in->Release();
    inputs->Decommit();
    inputs->Release();
    EXPECT_EQ(filter->OutputPin()->Inactive(), S_OK);
}

TEST_F(BaseGraphTest, DroppedSamplesAreSkippedAndReportedOnce) {
    build(true);
    filter->dropEvery = 3;
    const std::vector<long> events = runAndCollectEvents(graph);
    EXPECT_EQ(countOf(events, EC_COMPLETE), 1);
    EXPECT_EQ(countOf(events, EC_QUALITY_CHANGE), 1);
    ASSERT_EQ(grabbed.buffers.size(), size_t(kFrames - 3));
    EXPECT_EQ(grabbed.buffers[2], invertedFrame(3));  // frame 2 was the third sample
}

TEST_F(BaseGraphTest, TheGraphSeeksThroughTheFilter) {
    build(false);
    IMediaSeeking* seeking = nullptr;
    IMediaControl* control = nullptr;
    ASSERT_EQ(graph->QueryInterface(IID_IMediaSeeking, reinterpret_cast<void**>(&seeking)), S_OK);
    ASSERT_EQ(graph->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&control)), S_OK);
    LONGLONG duration = 0;
    EXPECT_EQ(seeking->GetDuration(&duration), S_OK);
    EXPECT_EQ(duration, kFrames * kFrameDuration);

    // The output pin's own IMediaSeeking answers for the splitter.
    IMediaSeeking* pinSeeking = nullptr;
    ASSERT_EQ(filter->OutputPin()->QueryInterface(IID_IMediaSeeking, reinterpret_cast<void**>(&pinSeeking)), S_OK);
    duration = 0;
    EXPECT_EQ(pinSeeking->GetDuration(&duration), S_OK);
    EXPECT_EQ(duration, kFrames * kFrameDuration);
    pinSeeking->Release();

    ASSERT_TRUE(SUCCEEDED(control->Pause()));
    OAFilterState state = 0;
    control->GetState(5000, &state);
    ASSERT_EQ(state, State_Paused);
    LONGLONG position = 5 * kFrameDuration;
    ASSERT_EQ(seeking->SetPositions(&position, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning),
              S_OK);
    const std::vector<long> events = runAndCollectEvents(graph);
    EXPECT_EQ(countOf(events, EC_COMPLETE), 1);
    EXPECT_GE(filter->flushes.load(), 1);
    EXPECT_EQ(filter->segmentStart.load(), 5 * kFrameDuration);
    EXPECT_EQ(filter->frames(), framesFrom(5));
    control->Release();
    seeking->Release();
}

TEST_F(BaseGraphTest, TheGraphRunsAgainAfterAStop) {
    build(true);
    EXPECT_EQ(countOf(runAndCollectEvents(graph), EC_COMPLETE), 1);
    IMediaSeeking* seeking = nullptr;
    ASSERT_EQ(graph->QueryInterface(IID_IMediaSeeking, reinterpret_cast<void**>(&seeking)), S_OK);
    LONGLONG start = 0;
    seeking->SetPositions(&start, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning);
    seeking->Release();
    grabbed.buffers.clear();
    EXPECT_EQ(countOf(runAndCollectEvents(graph), EC_COMPLETE), 1);
    ASSERT_EQ(grabbed.buffers.size(), size_t(kFrames));
    EXPECT_EQ(grabbed.buffers.back(), invertedFrame(kFrames - 1));
}

}  // namespace
}  // namespace qucap::dshowbase_test
