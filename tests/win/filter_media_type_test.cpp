// CQucapsyf's media types and buffers, on the filter object in-process.
#include "tests/win/filter_object_fixture.h"

#include <dvdmedia.h>
#include <dshow.h>

#include "tests/win/dshowbase_test_support.h"
#include "win32/com_ptr.h"

namespace qucap::test {
namespace {

const CMediaType kYuy2 = videoType(MEDIASUBTYPE_YUY2, 720, 480, 16, true);
const CMediaType kRgb24 = videoType(MEDIASUBTYPE_RGB24, 720, 480, 24);

using FilterMediaTypeTest = FilterObjectTest;

TEST_F(FilterMediaTypeTest, InputTypesAcceptedAndRefused) {
    EXPECT_EQ(filter->CheckInputType(&kYuy2), S_OK);
    EXPECT_EQ(filter->CheckInputType(&kRgb24), S_OK);
    const CMediaType rgb32 = videoType(MEDIASUBTYPE_RGB32, 720, 480, 32);
    EXPECT_EQ(filter->CheckInputType(&rgb32), S_OK);
    const CMediaType rgb16 = videoType(MEDIASUBTYPE_RGB565, 720, 480, 16);
    EXPECT_EQ(filter->CheckInputType(&rgb16), VFW_E_TYPE_NOT_ACCEPTED);
    // YUY2 only with a VIDEOINFOHEADER2.
    const CMediaType yuy2Plain = videoType(MEDIASUBTYPE_YUY2, 720, 480, 16);
    EXPECT_EQ(filter->CheckInputType(&yuy2Plain), VFW_E_TYPE_NOT_ACCEPTED);
    CMediaType wave(&MEDIATYPE_Audio);
    wave.SetSubtype(&MEDIASUBTYPE_PCM);
    wave.SetFormatType(&FORMAT_WaveFormatEx);
    wave.AllocFormatBuffer(sizeof(WAVEFORMATEX));
    EXPECT_EQ(filter->CheckInputType(&wave), E_INVALIDARG);
    // A format block shorter than its header is not read.
    CMediaType cut = kYuy2;
    cut.ReallocFormatBuffer(sizeof(VIDEOINFOHEADER));
    EXPECT_EQ(filter->CheckInputType(&cut), VFW_E_TYPE_NOT_ACCEPTED);
    EXPECT_EQ(filter->CheckInputType(nullptr), E_POINTER);
}

TEST_F(FilterMediaTypeTest, Yuy2InputProposesRgb32OfTheSameSize) {
    CMediaType proposed;
    EXPECT_EQ(filter->GetMediaType(0, &proposed), E_UNEXPECTED);  // input not connected
    ASSERT_EQ(connectInput(kYuy2), S_OK);
    EXPECT_EQ(filter->GetMediaType(-1, &proposed), E_INVALIDARG);
    EXPECT_EQ(filter->GetMediaType(1, &proposed), VFW_S_NO_MORE_ITEMS);
    ASSERT_EQ(filter->GetMediaType(0, &proposed), S_OK);
    EXPECT_TRUE(IsEqualGUID(proposed.majortype, MEDIATYPE_Video));
    EXPECT_TRUE(IsEqualGUID(proposed.subtype, MEDIASUBTYPE_RGB32));
    EXPECT_TRUE(IsEqualGUID(proposed.formattype, FORMAT_VideoInfo));
    ASSERT_EQ(proposed.cbFormat, 88u);
    const VIDEOINFOHEADER& header = videoHeaderOf(proposed);
    EXPECT_EQ(header.bmiHeader.biSize, 40u);
    EXPECT_EQ(header.bmiHeader.biWidth, 720);
    EXPECT_EQ(header.bmiHeader.biHeight, 480);
    EXPECT_EQ(header.bmiHeader.biPlanes, 1);
    EXPECT_EQ(header.bmiHeader.biBitCount, 32);
    EXPECT_EQ(header.bmiHeader.biCompression, DWORD(BI_RGB));
    EXPECT_EQ(header.bmiHeader.biSizeImage, 1'382'400u);
    EXPECT_EQ(header.AvgTimePerFrame, 333'667);
    EXPECT_EQ(header.dwBitRate, 12'345u);
    EXPECT_EQ(header.rcSource.right, 720);
    EXPECT_EQ(header.rcTarget.bottom, 480);
    EXPECT_TRUE(proposed.bFixedSizeSamples);
    EXPECT_EQ(proposed.lSampleSize, 1'382'400u);
}

TEST_F(FilterMediaTypeTest, OutputMustBeRgbAtLeastAsWideAndAsHigh) {
    ASSERT_EQ(connectInput(kYuy2), S_OK);
    const CMediaType& input = filter->GetPin(0)->CurrentMediaType();
    const CMediaType narrow = videoType(MEDIASUBTYPE_RGB32, 640, 480, 32);
    const CMediaType wide = videoType(MEDIASUBTYPE_RGB32, 736, 480, 32);
    const CMediaType flipped = videoType(MEDIASUBTYPE_RGB32, 720, -480, 32);
    const CMediaType inInfo2 = videoType(MEDIASUBTYPE_RGB32, 720, 480, 32, true);
    EXPECT_EQ(filter->CheckTransform(&input, &narrow), VFW_E_TYPE_NOT_ACCEPTED);
    EXPECT_EQ(filter->CheckTransform(&input, &wide), S_OK);
    EXPECT_EQ(filter->CheckTransform(&input, &flipped), VFW_E_TYPE_NOT_ACCEPTED);
    EXPECT_EQ(filter->CheckTransform(&input, &inInfo2), E_INVALIDARG);
    EXPECT_EQ(filter->CheckTransform(&input, &kYuy2), VFW_E_TYPE_NOT_ACCEPTED);
    EXPECT_EQ(filter->CheckTransform(nullptr, &wide), E_POINTER);
    EXPECT_EQ(filter->CheckTransform(&input, nullptr), E_POINTER);

    // Once a 24-bit output was accepted, that is the type proposed.
    const CMediaType rgb24 = videoType(MEDIASUBTYPE_RGB24, 720, 480, 24);
    EXPECT_EQ(filter->CheckTransform(&input, &rgb24), S_OK);
    CMediaType proposed;
    ASSERT_EQ(filter->GetMediaType(0, &proposed), S_OK);
    EXPECT_TRUE(IsEqualGUID(proposed.subtype, MEDIASUBTYPE_RGB24));
    EXPECT_EQ(videoHeaderOf(proposed).bmiHeader.biSizeImage, 1'036'800u);
}

TEST_F(FilterMediaTypeTest, BuffersHoldTheOutputPicture) {
    ComPtr<IMemAllocator> allocator;
    ASSERT_EQ(CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER, IID_IMemAllocator,
                               allocator.putVoid()),
              S_OK);
    ALLOCATOR_PROPERTIES request{};
    EXPECT_EQ(filter->DecideBufferSize(allocator.get(), &request), E_UNEXPECTED);
    ASSERT_EQ(connectInput(kRgb24), S_OK);
    ASSERT_EQ(setOutput(videoType(MEDIASUBTYPE_RGB24, 720, 480, 24)), S_OK);
    ASSERT_EQ(filter->DecideBufferSize(allocator.get(), &request), S_OK);
    ALLOCATOR_PROPERTIES actual{};
    ASSERT_EQ(allocator->GetProperties(&actual), S_OK);
    EXPECT_EQ(actual.cbBuffer, 1'036'800);
    EXPECT_EQ(actual.cBuffers, 1);  // a request of 0 becomes 1
    EXPECT_GE(actual.cbAlign, 1);
}

TEST_F(FilterMediaTypeTest, AWiderOutputGetsBuffersForItsWholePicture) {
    ComPtr<IMemAllocator> allocator;
    ASSERT_EQ(CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER, IID_IMemAllocator,
                               allocator.putVoid()),
              S_OK);
    ASSERT_EQ(connectInput(kYuy2), S_OK);
    ASSERT_EQ(setOutput(videoType(MEDIASUBTYPE_RGB32, 736, 480, 32)), S_OK);
    ALLOCATOR_PROPERTIES request{};
    request.cBuffers = 3;
    ASSERT_EQ(filter->DecideBufferSize(allocator.get(), &request), S_OK);
    ALLOCATOR_PROPERTIES actual{};
    ASSERT_EQ(allocator->GetProperties(&actual), S_OK);
    EXPECT_EQ(actual.cbBuffer, 736 * 4 * 480);
    EXPECT_EQ(actual.cBuffers, 3);
}

// An allocator that grants `granted` bytes per buffer whatever it is asked.
class StingyAllocator : public IMemAllocator {
public:
    explicit StingyAllocator(long granted) : granted_(granted) {}
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        *object = IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IMemAllocator) ? this : nullptr;
        return *object ? S_OK : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP SetProperties(ALLOCATOR_PROPERTIES* request, ALLOCATOR_PROPERTIES* actual) override {
        *actual = *request;
        actual->cbBuffer = granted_;
        return S_OK;
    }
    STDMETHODIMP GetProperties(ALLOCATOR_PROPERTIES*) override { return E_NOTIMPL; }
    STDMETHODIMP Commit() override { return E_NOTIMPL; }
    STDMETHODIMP Decommit() override { return E_NOTIMPL; }
    STDMETHODIMP GetBuffer(IMediaSample**, REFERENCE_TIME*, REFERENCE_TIME*, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP ReleaseBuffer(IMediaSample*) override { return E_NOTIMPL; }

private:
    long granted_;
};

TEST_F(FilterMediaTypeTest, BuffersTooSmallFailAndLargerRequestsAreKept) {
    ASSERT_EQ(connectInput(kRgb24), S_OK);
    ASSERT_EQ(setOutput(kRgb24), S_OK);
    constexpr long kPicture = 1'036'800;
    struct Case {
        long asked;    // what the downstream pin asked for
        long granted;  // what the allocator grants
        HRESULT expected;
        long requested;  // what the filter asked the allocator for
    };
    const Case cases[] = {
        {0, kPicture, S_OK, kPicture},
        {0, kPicture - 1, E_FAIL, kPicture},          // a smaller grant is an error, not black frames
        {2 * kPicture, 2 * kPicture, S_OK, 2 * kPicture},  // the larger size downstream wants stays
        {2 * kPicture, kPicture, E_FAIL, 2 * kPicture},
    };
    for (const Case& c : cases) {
        StingyAllocator allocator(c.granted);
        ALLOCATOR_PROPERTIES request{};
        request.cbBuffer = c.asked;
        EXPECT_EQ(filter->DecideBufferSize(&allocator, &request), c.expected) << c.asked << " " << c.granted;
        EXPECT_EQ(request.cbBuffer, c.requested);
    }
}

// A type refused while connected (a QueryAccept) changes nothing: proposals
// and buffers still come from the connection, so a downstream pin that
// proposes no types of its own (the Null Renderer) still connects.
TEST_F(FilterMediaTypeTest, ARefusedQueryLeavesTheConnectionsTypesInForce) {
    using namespace dshowbase_test;
    ASSERT_EQ(connectInput(kRgb24), S_OK);
    const CMediaType rgb16 = videoType(MEDIASUBTYPE_RGB565, 720, 480, 16);
    EXPECT_EQ(filter->GetPin(0)->QueryAccept(&rgb16), S_FALSE);
    EXPECT_EQ(filter->CheckInputType(&rgb16), VFW_E_TYPE_NOT_ACCEPTED);
    CMediaType proposed;
    ASSERT_EQ(filter->GetMediaType(0, &proposed), S_OK);
    EXPECT_TRUE(IsEqualGUID(proposed.subtype, MEDIASUBTYPE_RGB32));

    ComPtr<IGraphBuilder> graph;
    ASSERT_EQ(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder, graph.putVoid()),
              S_OK);
    ASSERT_EQ(graph->AddFilter(filter, L"Caption Filter"), S_OK);
    const ComPtr<IBaseFilter> renderer = ComPtr<IBaseFilter>::adopt(addFilter(graph.get(), kClsidNullRenderer, L"Null"));
    ASSERT_TRUE(renderer);
    const ComPtr<IPin> rendererIn = ComPtr<IPin>::adopt(firstPin(renderer.get(), PINDIR_INPUT));
    EXPECT_EQ(filter->GetPin(0)->QueryAccept(&rgb16), S_FALSE);
    // The pins directly: the graph's own checks would ask the test's upstream pin for its filter.
    ASSERT_EQ(filter->GetPin(1)->Connect(rendererIn.get(), nullptr), S_OK);
    const CMediaType& output = filter->GetPin(1)->CurrentMediaType();
    EXPECT_TRUE(IsEqualGUID(output.subtype, MEDIASUBTYPE_RGB32));
    EXPECT_EQ(videoHeaderOf(output).bmiHeader.biWidth, 720);
    filter->GetPin(1)->Disconnect();
    rendererIn->Disconnect();
}

}  // namespace
}  // namespace qucap::test
