// The media toolkit in real Wine graphs on the sample movies: which frame a
// seek and grab keeps, the refusal of pictures that are not RGB, and the
// movie facts a new project reads. A pass-through Sample Grabber stands in
// for the caption filter, so the frames can be compared with the file's own.
#include "app/media/still_graph.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/media/com_apartment.h"
#include "app/media/movie_facts.h"
#include "app/media/sample_grabber.h"
#include "captiondata/time/time_text.h"
#include "tests/win/temp_folder.h"
#include "tests/win/test_media.h"

namespace qucap::test {
namespace {

// A Sample Grabber that takes any video and passes it on unchanged.
HRESULT passThrough(ComPtr<IBaseFilter>& filter) {
    HRESULT result = CoCreateInstance(kClsidSampleGrabber, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                      filter.putVoid());
    ComPtr<ISampleGrabber> grabber;
    if (SUCCEEDED(result)) result = filter.query(__uuidof(ISampleGrabber), grabber);
    if (FAILED(result)) return result;
    AM_MEDIA_TYPE video{};
    video.majortype = MEDIATYPE_Video;
    return grabber->SetMediaType(&video);
}

bool sameBytes(const std::vector<uint8_t>& picture, const std::string& frame) {
    return picture.size() == frame.size() && std::equal(picture.begin(), picture.end(), frame.begin(),
                                                        [](uint8_t a, char b) { return a == uint8_t(b); });
}

struct StillGraphRun : ::testing::Test {
    ComApartment com;
    std::optional<std::u16string> rgbMovie = testMovie("rgb24.avi");
    std::optional<std::u16string> yuy2Movie = testMovie("yuy2.avi");

    void SetUp() override {
        ASSERT_TRUE(com.ready());
        if (!rgbMovie || !yuy2Movie) GTEST_SKIP() << "QUCAP_TEST_MEDIA names no sample movies (tools/make_test_media.sh)";
    }
};

constexpr DWORD kGrabTimeoutMs = 15'000;

TEST_F(StillGraphRun, KeepsTheFrameShownAtThePositionSoughtTo) {
    const std::vector<std::string> frames = aviVideoChunks(*rgbMovie);
    ASSERT_EQ(frames.size(), 30u);
    // Frames last 1001/30 ms: frame 10 starts at 333.667 ms, frame 29 at 967.633 ms.
    struct Case {
        int32_t milliseconds;
        std::size_t frame;
    };
    for (const Case c : {Case{0, 0}, Case{333, 9}, Case{334, 10}, Case{500, 14}, Case{1000, 29}}) {
        StillGraph graph;
        ASSERT_EQ(graph.build(*rgbMovie, passThrough), StillBuild::Built);
        ASSERT_EQ(graph.seekTo(millisecondsToPosition(c.milliseconds)), S_OK);
        ASSERT_EQ(graph.grab(kGrabTimeoutMs), StillGrab::Kept) << c.milliseconds << " ms";
        const std::optional<RgbPicture> picture = graph.picture();
        ASSERT_TRUE(picture.has_value());
        EXPECT_EQ(picture->width, 720);
        EXPECT_EQ(picture->height, 480) << "bottom-up, as the file stores it";
        EXPECT_EQ(picture->bitsPerPixel, 24);
        EXPECT_TRUE(sameBytes(picture->bytes, frames[c.frame])) << c.milliseconds << " ms should give frame " << c.frame;
    }
}

TEST_F(StillGraphRun, OneGraphGrabsAgainAfterEachSeek) {
    const std::vector<std::string> frames = aviVideoChunks(*rgbMovie);
    ASSERT_EQ(frames.size(), 30u);
    StillGraph graph;
    ASSERT_EQ(graph.build(*rgbMovie, passThrough), StillBuild::Built);
    for (const auto& [milliseconds, frame] : {std::pair{800, 23}, std::pair{100, 2}}) {
        ASSERT_EQ(graph.seekTo(millisecondsToPosition(milliseconds)), S_OK);
        ASSERT_EQ(graph.grab(kGrabTimeoutMs), StillGrab::Kept);
        EXPECT_TRUE(sameBytes(graph.picture()->bytes, frames[std::size_t(frame)])) << milliseconds << " ms";
    }
}

TEST_F(StillGraphRun, TellsTheMovieDuration) {
    StillGraph graph;
    ASSERT_EQ(graph.build(*rgbMovie, passThrough), StillBuild::Built);
    ASSERT_TRUE(graph.duration().has_value());
    EXPECT_EQ(*graph.duration(), 10'010'000) << "30 frames of 1001/30 ms";
}

TEST_F(StillGraphRun, RefusesAPictureThatIsNotRgb) {
    StillGraph graph;
    EXPECT_EQ(graph.build(*yuy2Movie, passThrough), StillBuild::NoGrabber);
    EXPECT_EQ(graph.lastResult(), VFW_E_TYPE_NOT_ACCEPTED);
}

TEST_F(StillGraphRun, StopsAtEachStepThatCannotBeTaken) {
    const auto noFilter = [](ComPtr<IBaseFilter>&) { return REGDB_E_CLASSNOTREG; };
    StillGraph withoutFilter;
    EXPECT_EQ(withoutFilter.build(*rgbMovie, noFilter), StillBuild::NoCaptionFilter);
    EXPECT_EQ(withoutFilter.lastResult(), REGDB_E_CLASSNOTREG);

    TempFolder folder;
    StillGraph missingMovie;
    EXPECT_EQ(missingMovie.build(folder / u"無い.avi", passThrough), StillBuild::NoSource);

    putFile(folder / u"動画ではない.avi", "not a movie at all");
    StillGraph notAMovie;
    const StillBuild built = notAMovie.build(folder / u"動画ではない.avi", passThrough);
    EXPECT_TRUE(built == StillBuild::NoSource || built == StillBuild::NoConnection) << int(built);
}

TEST_F(StillGraphRun, MovieFactsComeFromTheVideoType) {
    const std::optional<MovieFacts> facts = readMovieFacts(*yuy2Movie);
    ASSERT_TRUE(facts.has_value());
    EXPECT_EQ(facts->frameDuration, 333'667) << "1001/30 ms, rounded";
    EXPECT_EQ(facts->width, 720);
    EXPECT_EQ(facts->height, 480);

    TempFolder folder;
    putFile(folder / u"a.avi", "RIFF");
    EXPECT_FALSE(readMovieFacts(folder / u"a.avi").has_value());
    EXPECT_FALSE(readMovieFacts(folder / u"無い.avi").has_value());
}

}  // namespace
}  // namespace qucap::test
