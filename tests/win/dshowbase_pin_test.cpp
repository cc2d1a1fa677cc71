// The filter and its pins on their own and with Wine's filters as peers:
// names, enumeration, the connection rules of the transform pins, the
// refusals, disconnection, state changes and the filter's graph data.
#include <cstring>
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

std::wstring idOf(IPin* pin) {
    LPWSTR id = nullptr;
    if (FAILED(pin->QueryId(&id))) return L"<none>";
    std::wstring text = id;
    CoTaskMemFree(id);
    return text;
}

// The types a pin proposes, as owned copies.
std::vector<CMediaType> proposedTypes(IPin* pin) {
    std::vector<CMediaType> types;
    IEnumMediaTypes* enumerator = nullptr;
    if (FAILED(pin->EnumMediaTypes(&enumerator))) return types;
    AM_MEDIA_TYPE* type = nullptr;
    while (enumerator->Next(1, &type, nullptr) == S_OK) {
        types.emplace_back(*type);
        DeleteMediaType(type);
    }
    enumerator->Release();
    return types;
}

CMediaType rgbType(const GUID& subtype, WORD bits) {
    CMediaType type(&MEDIATYPE_Video);
    type.SetSubtype(&subtype);
    type.SetFormatType(&FORMAT_VideoInfo);
    auto* info = reinterpret_cast<VIDEOINFOHEADER*>(type.AllocFormatBuffer(sizeof(VIDEOINFOHEADER)));
    info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info->bmiHeader.biWidth = kWidth;
    info->bmiHeader.biHeight = kHeight;
    info->bmiHeader.biPlanes = 1;
    info->bmiHeader.biBitCount = bits;
    info->bmiHeader.biSizeImage = DWORD(((kWidth * bits + 31) / 32) * 4 * kHeight);
    type.SetSampleSize(info->bmiHeader.biSizeImage);
    return type;
}

struct BasePinTest : ::testing::Test {
    BasePinTest() {
        writeTestMovie(movie);
        CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                         reinterpret_cast<void**>(&graph));
        filter->NonDelegatingAddRef();
        input = filter->InputPin();
        output = filter->OutputPin();
    }
    ~BasePinTest() override {
        if (rendererInput) rendererInput->Release();
        if (splitterVideo) splitterVideo->Release();
        if (graph) graph->Release();
        filter->NonDelegatingRelease();
    }
    // The movie's splitter and a Null Renderer in the graph with the filter;
    // nothing of the filter connected yet.
    void addPeers() {
        ASSERT_NE(graph, nullptr);
        splitterVideo = movieVideoPin(graph, movie);
        ASSERT_NE(splitterVideo, nullptr);
        ASSERT_EQ(graph->AddFilter(filter, L"Invert"), S_OK);
        IBaseFilter* renderer = addFilter(graph, kClsidNullRenderer, L"Null Renderer");
        ASSERT_NE(renderer, nullptr);
        rendererInput = firstPin(renderer, PINDIR_INPUT);
        renderer->Release();
        ASSERT_NE(rendererInput, nullptr);
    }

    ComApartment apartment;
    test::TempFolder folder;
    std::wstring movie = reinterpret_cast<const wchar_t*>((folder / u"movie.avi").c_str());
    IGraphBuilder* graph = nullptr;
    InvertFilter* filter = new InvertFilter(nullptr);
    CTransformInputPin* input = nullptr;
    CTransformOutputPin* output = nullptr;
    IPin* splitterVideo = nullptr;
    IPin* rendererInput = nullptr;
};

TEST_F(BasePinTest, ThePinsAreXFormInAndXFormOutOfTheFilter) {
    ASSERT_NE(input, nullptr);
    ASSERT_NE(output, nullptr);
    EXPECT_EQ(idOf(input), L"XForm In");
    EXPECT_EQ(idOf(output), L"XForm Out");
    PIN_INFO info = {};
    ASSERT_EQ(output->QueryPinInfo(&info), S_OK);
    EXPECT_EQ(info.pFilter, static_cast<IBaseFilter*>(filter));
    EXPECT_EQ(info.dir, PINDIR_OUTPUT);
    EXPECT_EQ(std::wstring(info.achName), L"XForm Out");
    info.pFilter->Release();
    PIN_DIRECTION direction = PINDIR_OUTPUT;
    EXPECT_EQ(input->QueryDirection(&direction), S_OK);
    EXPECT_EQ(direction, PINDIR_INPUT);

    // FindPin takes the pins' own identifiers and the short names.
    const struct {
        const wchar_t* id;
        IPin* pin;
    } names[] = {{L"XForm In", input}, {L"In", input}, {L"XForm Out", output}, {L"Out", output}};
    for (const auto& name : names) {
        IPin* found = nullptr;
        EXPECT_EQ(filter->FindPin(name.id, &found), S_OK) << name.id;
        EXPECT_EQ(found, name.pin) << name.id;
        if (found) found->Release();
    }
    IPin* found = reinterpret_cast<IPin*>(1);
    EXPECT_EQ(filter->FindPin(L"Input", &found), VFW_E_NOT_FOUND);
    EXPECT_EQ(found, nullptr);
}

TEST_F(BasePinTest, PinsAreEnumeratedInputFirst) {
    IEnumPins* pins = nullptr;
    ASSERT_EQ(filter->EnumPins(&pins), S_OK);
    IPin* got[3] = {};
    ULONG fetched = 0;
    EXPECT_EQ(pins->Next(3, got, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 2u);
    EXPECT_EQ(got[0], static_cast<IPin*>(input));
    EXPECT_EQ(got[1], static_cast<IPin*>(output));
    got[0]->Release();
    got[1]->Release();
    EXPECT_EQ(pins->Next(2, got, nullptr), E_POINTER);
    EXPECT_EQ(pins->Reset(), S_OK);
    EXPECT_EQ(pins->Skip(1), S_OK);
    IEnumPins* clone = nullptr;
    ASSERT_EQ(pins->Clone(&clone), S_OK);
    IPin* next = nullptr;
    EXPECT_EQ(clone->Next(1, &next, nullptr), S_OK);
    EXPECT_EQ(next, static_cast<IPin*>(output));
    next->Release();
    EXPECT_EQ(pins->Skip(5), S_FALSE);
    EXPECT_EQ(pins->Next(1, &next, nullptr), S_FALSE);
    clone->Release();
    pins->Release();
}

TEST_F(BasePinTest, TheOutputOffersNothingAndConnectsToNothingBeforeTheInputIsConnected) {
    addPeers();
    EXPECT_TRUE(proposedTypes(output).empty());
    EXPECT_TRUE(proposedTypes(input).empty());  // the input never proposes
    EXPECT_EQ(output->Connect(rendererInput, nullptr), E_UNEXPECTED);
    CMediaType rgb32 = rgbType(MEDIASUBTYPE_RGB32, 32);
    EXPECT_EQ(output->QueryAccept(&rgb32), S_FALSE);
    IMediaSeeking* seeking = nullptr;
    ASSERT_EQ(output->QueryInterface(IID_IMediaSeeking, reinterpret_cast<void**>(&seeking)), S_OK);
    LONGLONG duration = 0;
    EXPECT_EQ(seeking->GetDuration(&duration), VFW_E_NOT_CONNECTED);
    seeking->Release();
}

TEST_F(BasePinTest, OnceTheInputIsConnectedTheOutputOffersTheFiltersType) {
    addPeers();
    ASSERT_EQ(graph->ConnectDirect(splitterVideo, input, nullptr), S_OK);
    EXPECT_EQ(filter->inputConnections.load(), 1);

    AM_MEDIA_TYPE connected = {};
    ASSERT_EQ(input->ConnectionMediaType(&connected), S_OK);
    EXPECT_TRUE(IsEqualGUID(connected.subtype, MEDIASUBTYPE_RGB24));
    FreeMediaType(connected);

    const std::vector<CMediaType> offered = proposedTypes(output);
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_TRUE(IsEqualGUID(offered[0].subtype, MEDIASUBTYPE_RGB32));
    ASSERT_EQ(offered[0].FormatLength(), sizeof(VIDEOINFOHEADER));
    const auto* info = reinterpret_cast<const VIDEOINFOHEADER*>(offered[0].Format());
    EXPECT_EQ(info->bmiHeader.biBitCount, 32);
    EXPECT_EQ(info->bmiHeader.biWidth, kWidth);
    EXPECT_EQ(info->AvgTimePerFrame, kFrameDuration);  // taken from the splitter's type
    EXPECT_EQ(offered[0].GetSampleSize(), ULONG(kOutputStride * kHeight));
    EXPECT_EQ(output->QueryAccept(&offered[0]), S_OK);
    const CMediaType rgb24 = rgbType(MEDIASUBTYPE_RGB24, 24);
    EXPECT_EQ(output->QueryAccept(&rgb24), S_FALSE);  // CheckTransform refuses it

    // A type the filter refuses is refused whether given whole or in part.
    EXPECT_EQ(output->Connect(rendererInput, &rgb24), VFW_E_TYPE_NOT_ACCEPTED);
    CMediaType partial(&MEDIATYPE_Video);
    partial.SetSubtype(&MEDIASUBTYPE_RGB24);
    EXPECT_EQ(output->Connect(rendererInput, &partial), VFW_E_NO_ACCEPTABLE_TYPES);
    EXPECT_FALSE(output->IsConnected());
    EXPECT_EQ(filter->outputConnections.load(), 0);

    partial.SetSubtype(&MEDIASUBTYPE_RGB32);
    EXPECT_EQ(output->Connect(rendererInput, &partial), S_OK);
    EXPECT_EQ(filter->outputConnections.load(), 1);
    EXPECT_EQ(output->Connect(rendererInput, nullptr), VFW_E_ALREADY_CONNECTED);
    IPin* peer = nullptr;
    ASSERT_EQ(output->ConnectedTo(&peer), S_OK);
    EXPECT_EQ(peer, rendererInput);
    peer->Release();
}

TEST_F(BasePinTest, TheInputRefusesTypesTheFilterDoesNotTake) {
    addPeers();
    CMediaType yuy2(&MEDIATYPE_Video);
    yuy2.SetSubtype(&MEDIASUBTYPE_YUY2);
    yuy2.SetFormatType(&FORMAT_VideoInfo);
    yuy2.AllocFormatBuffer(sizeof(VIDEOINFOHEADER));
    EXPECT_EQ(input->QueryAccept(&yuy2), S_FALSE);
    EXPECT_EQ(input->ReceiveConnection(splitterVideo, &yuy2), VFW_E_TYPE_NOT_ACCEPTED);
    EXPECT_FALSE(input->IsConnected());
    EXPECT_EQ(input->ReceiveConnection(splitterVideo, nullptr), E_POINTER);
    const CMediaType rgb24 = rgbType(MEDIASUBTYPE_RGB24, 24);
    EXPECT_EQ(input->QueryAccept(&rgb24), S_OK);
    // Two input pins do not connect.
    EXPECT_EQ(input->ReceiveConnection(rendererInput, &rgb24), VFW_E_INVALID_DIRECTION);
    EXPECT_EQ(filter->inputConnections.load(), 0);
}

TEST_F(BasePinTest, PinsDisconnectOnlyWhenStopped) {
    addPeers();
    ASSERT_EQ(graph->ConnectDirect(splitterVideo, input, nullptr), S_OK);
    ASSERT_EQ(graph->ConnectDirect(output, rendererInput, nullptr), S_OK);
    EXPECT_EQ(input->ReceiveConnection(splitterVideo, &input->CurrentMediaType()), VFW_E_ALREADY_CONNECTED);
    ASSERT_EQ(filter->Pause(), S_OK);
    EXPECT_EQ(output->Disconnect(), VFW_E_NOT_STOPPED);
    ASSERT_EQ(filter->Stop(), S_OK);
    EXPECT_EQ(output->Disconnect(), S_OK);
    EXPECT_EQ(output->Disconnect(), S_FALSE);
    IPin* peer = reinterpret_cast<IPin*>(1);
    EXPECT_EQ(output->ConnectedTo(&peer), VFW_E_NOT_CONNECTED);
    EXPECT_EQ(peer, nullptr);
    AM_MEDIA_TYPE type;
    std::memset(&type, 0xAB, sizeof type);
    EXPECT_EQ(output->ConnectionMediaType(&type), VFW_E_NOT_CONNECTED);
    EXPECT_TRUE(IsEqualGUID(type.majortype, GUID_NULL));
    EXPECT_EQ(type.pbFormat, nullptr);
    EXPECT_EQ(output->Allocator(), nullptr);
}

TEST_F(BasePinTest, WithoutItsInputTheFilterEndsTheStreamSoTheGraphCompletes) {
    addPeers();
    ASSERT_EQ(graph->ConnectDirect(splitterVideo, input, nullptr), S_OK);
    ASSERT_EQ(graph->ConnectDirect(output, rendererInput, nullptr), S_OK);
    ASSERT_EQ(graph->Disconnect(splitterVideo), S_OK);
    ASSERT_EQ(graph->Disconnect(input), S_OK);
    runWithoutClock(graph);
    const std::vector<long> events = runAndCollectEvents(graph, 5000);
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back(), EC_COMPLETE);
    EXPECT_EQ(filter->frames().size(), 0u);
}

TEST_F(BasePinTest, TheFilterMovesBetweenItsThreeStates) {
    FILTER_STATE state = State_Running;
    EXPECT_EQ(filter->GetState(0, &state), S_OK);
    EXPECT_EQ(state, State_Stopped);
    EXPECT_EQ(filter->GetState(0, nullptr), E_POINTER);
    EXPECT_EQ(filter->Pause(), S_OK);
    filter->GetState(0, &state);
    EXPECT_EQ(state, State_Paused);
    EXPECT_EQ(filter->Run(0), S_OK);
    filter->GetState(0, &state);
    EXPECT_EQ(state, State_Running);
    EXPECT_TRUE(filter->IsActive());
    EXPECT_EQ(filter->Stop(), S_OK);
    filter->GetState(0, &state);
    EXPECT_EQ(state, State_Stopped);
    EXPECT_EQ(filter->Run(0), S_OK);  // straight from Stopped, pausing on the way
    filter->GetState(0, &state);
    EXPECT_EQ(state, State_Running);
    EXPECT_EQ(filter->Stop(), S_OK);
}

TEST_F(BasePinTest, TheFilterKeepsItsGraphNameAndClock) {
    CLSID clsid = {};
    EXPECT_EQ(filter->GetClassID(&clsid), S_OK);
    EXPECT_TRUE(IsEqualCLSID(clsid, kClsidInvertFilter));
    LPWSTR vendor = nullptr;
    EXPECT_EQ(filter->QueryVendorInfo(&vendor), E_NOTIMPL);

    ASSERT_EQ(graph->AddFilter(filter, L"反転フィルタ"), S_OK);
    FILTER_INFO info = {};
    ASSERT_EQ(filter->QueryFilterInfo(&info), S_OK);
    EXPECT_EQ(std::wstring(info.achName), L"反転フィルタ");
    IFilterGraph* joined = nullptr;
    graph->QueryInterface(IID_IFilterGraph, reinterpret_cast<void**>(&joined));
    EXPECT_EQ(info.pGraph, joined);
    if (info.pGraph) info.pGraph->Release();
    if (joined) joined->Release();

    const std::wstring longName(200, L'名');
    EXPECT_EQ(filter->JoinFilterGraph(nullptr, longName.c_str()), S_OK);
    ASSERT_EQ(filter->QueryFilterInfo(&info), S_OK);
    EXPECT_EQ(std::wstring(info.achName), longName.substr(0, MAX_FILTER_NAME - 1));
    EXPECT_EQ(info.pGraph, nullptr);

    IReferenceClock* clock = nullptr;
    ASSERT_EQ(CoCreateInstance(CLSID_SystemClock, nullptr, CLSCTX_INPROC_SERVER, IID_IReferenceClock,
                               reinterpret_cast<void**>(&clock)),
              S_OK);
    EXPECT_EQ(filter->SetSyncSource(clock), S_OK);
    IReferenceClock* used = nullptr;
    EXPECT_EQ(filter->GetSyncSource(&used), S_OK);
    EXPECT_EQ(used, clock);
    used->Release();
    EXPECT_EQ(filter->SetSyncSource(nullptr), S_OK);
    EXPECT_EQ(filter->GetSyncSource(&used), S_OK);
    EXPECT_EQ(used, nullptr);
    clock->Release();
}

}  // namespace
}  // namespace qucap::dshowbase_test
