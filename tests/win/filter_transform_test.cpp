// CQucapsyf::Transform on samples of the tests' own: the properties it
// copies, the pictures it composes, and samples too small for their types.
#include <dshow.h>

#include <numeric>

#include "filter/core/video_types.h"
#include "tests/win/filter_object_fixture.h"

namespace qucap::test {
namespace {

constexpr int32_t kW = 64, kH = 32;

struct FilterTransformTest : FilterObjectTest {
    // RGB24 of kW x kH in and out, both bottom-up unless `height` says otherwise.
    void connectRgb(int32_t inHeight = kH, int32_t outHeight = kH, int inBits = 24, int outBits = 24) {
        const GUID& inSub = inBits == 24 ? MEDIASUBTYPE_RGB24 : MEDIASUBTYPE_RGB32;
        const GUID& outSub = outBits == 24 ? MEDIASUBTYPE_RGB24 : MEDIASUBTYPE_RGB32;
        ASSERT_EQ(connectInput(videoType(inSub, kW, inHeight, inBits)), S_OK);
        ASSERT_EQ(setOutput(videoType(outSub, kW, outHeight, outBits)), S_OK);
    }
    static std::size_t bytesOf(int bits, int32_t height = kH) {
        return std::size_t(pictureBytes(kW, height, bits));
    }
    static void pattern(GuardedSample& sample, std::size_t bytes) {
        for (std::size_t i = 0; i < bytes; ++i) sample.data()[i] = uint8_t(i * 7 + 3);
    }
};

TEST_F(FilterTransformTest, CopiesTimesFlagsAndMediaTimes) {
    connectRgb();
    GuardedSample in(bytesOf(24)), out(bytesOf(24));
    in.times = std::make_pair(REFERENCE_TIME(10'000'000), REFERENCE_TIME(10'333'667));
    in.mediaTimes = std::make_pair(LONGLONG(30), LONGLONG(31));
    in.syncPoint = S_OK;
    in.discontinuity = S_OK;
    out.preroll = S_OK;
    ASSERT_EQ(filter->Transform(&in, &out), S_OK);
    EXPECT_EQ(out.times, in.times);
    EXPECT_EQ(out.mediaTimes, in.mediaTimes);
    EXPECT_EQ(out.syncPoint, S_OK);
    EXPECT_EQ(out.preroll, S_FALSE);
    EXPECT_EQ(out.discontinuity, S_OK);

    // A start without a stop is not copied.
    GuardedSample startOnly(bytesOf(24)), out2(bytesOf(24));
    startOnly.times = std::make_pair(REFERENCE_TIME(5), REFERENCE_TIME(5));
    startOnly.timeAnswer = VFW_S_NO_STOP_TIME;
    ASSERT_EQ(filter->Transform(&startOnly, &out2), S_OK);
    EXPECT_FALSE(out2.times);
}

TEST_F(FilterTransformTest, AFlagQueryFailingOrNoOutputSampleIsAnError) {
    connectRgb();
    GuardedSample in(bytesOf(24)), out(bytesOf(24));
    in.preroll = E_FAIL;
    EXPECT_EQ(filter->Transform(&in, &out), E_UNEXPECTED);
    in.preroll = S_FALSE;
    EXPECT_EQ(filter->Transform(&in, nullptr), E_POINTER);
}

TEST_F(FilterTransformTest, SameDepthPictureComesOutAsItWentIn) {
    connectRgb();
    GuardedSample in(bytesOf(24)), out(bytesOf(24) + 100);
    pattern(in, bytesOf(24));
    in.times = std::make_pair(REFERENCE_TIME(0), REFERENCE_TIME(333'667));
    ASSERT_EQ(filter->Transform(&in, &out), S_OK);
    const std::vector<uint8_t> got = out.contents();
    EXPECT_TRUE(std::equal(got.begin(), got.begin() + std::ptrdiff_t(bytesOf(24)), in.contents().begin()));
    EXPECT_EQ(out.GetActualDataLength(), long(bytesOf(24)));
    EXPECT_TRUE(in.guardsIntact());
    EXPECT_TRUE(out.guardsIntact());
}

TEST_F(FilterTransformTest, TopDownThirtyTwoBitsLoseTheirFourthByte) {
    connectRgb(-kH, -kH, 32, 24);
    GuardedSample in(bytesOf(32)), out(bytesOf(24));
    pattern(in, bytesOf(32));
    ASSERT_EQ(filter->Transform(&in, &out), S_OK);
    for (int32_t y = 0; y < kH; ++y)
        for (int32_t x = 0; x < kW; ++x)
            for (int c = 0; c < 3; ++c)
                ASSERT_EQ(out.data()[bytesOf(24, y) + std::size_t(x) * 3 + c],
                          in.data()[bytesOf(32, y) + std::size_t(x) * 4 + c])
                    << x << "," << y;
    EXPECT_TRUE(out.guardsIntact());
}

TEST_F(FilterTransformTest, SamplesTooSmallForTheirTypesPassWithoutDrawing) {
    struct Case {
        int32_t inHeight, outHeight;
        std::size_t inSize;
        std::optional<long> inActual;
        std::size_t outSize;
    };
    const std::size_t in24 = bytesOf(24), out24 = bytesOf(24);
    const Case cases[] = {
        {kH, kH, in24, long(in24 - 1), out24},    // the input's data is one byte short
        {kH, kH, in24 - 1, std::nullopt, out24},  // the input buffer is
        {kH, kH, in24, std::nullopt, out24 - 1},  // the output buffer is
        {-kH, -kH, in24 / 2, std::nullopt, out24},  // top-down pictures count |H| rows
        {-kH, -kH, in24, std::nullopt, out24 / 2},
    };
    for (const Case& c : cases) {
        filter->GetPin(0)->Disconnect();
        connectRgb(c.inHeight, c.outHeight);
        GuardedSample in(c.inSize, c.inActual), out(c.outSize);
        in.fill(0x80);
        out.fill(0x33);
        in.times = std::make_pair(REFERENCE_TIME(0), REFERENCE_TIME(1));
        ASSERT_EQ(filter->Transform(&in, &out), S_OK);
        const std::vector<uint8_t> got = out.contents();
        EXPECT_TRUE(std::all_of(got.begin(), got.end(), [](uint8_t b) { return b == 0; }));
        EXPECT_TRUE(in.guardsIntact());
        EXPECT_TRUE(out.guardsIntact());
        EXPECT_EQ(out.times, in.times);  // the sample still passes with its times
    }
}

TEST_F(FilterTransformTest, AQueryRefusedWhileConnectedLeavesTheFramesComposed) {
    connectRgb();
    const CMediaType rgb16 = videoType(MEDIASUBTYPE_RGB565, kW, kH, 16);
    EXPECT_EQ(filter->CheckInputType(&rgb16), VFW_E_TYPE_NOT_ACCEPTED);
    GuardedSample in(bytesOf(24)), out(bytesOf(24));
    pattern(in, bytesOf(24));
    ASSERT_EQ(filter->Transform(&in, &out), S_OK);
    EXPECT_EQ(out.contents(), in.contents());
}

}  // namespace
}  // namespace qucap::test
