// The graph record and its preview layouts in real Wine graphs on the sample
// movie: the filters each layout adds and connects, the media facts read,
// emptying the graph, finding devices by friendly name, the encoder tables
// and the encoders added to the graph.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/media/com_apartment.h"
#include "app/media/devices.h"
#include "app/media/encoders.h"
#include "app/media/filter_registration.h"
#include "app/media/media_type.h"
#include "app/media/pins.h"
#include "app/media/preview_graphs.h"
#include "tests/support/recording_ui.h"
#include "tests/win/filter_module.h"
#include "tests/win/message_box_watcher.h"
#include "tests/win/test_media.h"

namespace qucap::test {
namespace {

std::u16string programFolder() { return windowsPathOf(QUCAP_PROGRAM_DIR); }

bool contains(const std::vector<std::u16string>& names, std::u16string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// Whether the filter's pins of `direction` are all connected (and there is one).
bool connected(IBaseFilter* filter, PIN_DIRECTION direction) {
    ComPtr<IEnumPins> pins;
    if (filter == nullptr || FAILED(filter->EnumPins(pins.put()))) return false;
    bool any = false;
    ComPtr<IPin> pin;
    while (pins->Next(1, pin.put(), nullptr) == S_OK) {
        PIN_DIRECTION actual;
        pin->QueryDirection(&actual);
        if (actual != direction) continue;
        ComPtr<IPin> other;
        if (pin->ConnectedTo(other.put()) != S_OK) return false;
        any = true;
    }
    return any;
}

// The average time per frame of the VIDEOINFOHEADER type on the filter's input pin.
int64_t timePerFrameOfConnection(IBaseFilter* filter) {
    const ComPtr<IPin> input = [&] {
        ComPtr<IEnumPins> pins;
        ComPtr<IPin> pin;
        if (SUCCEEDED(filter->EnumPins(pins.put()))) pins->Next(1, pin.put(), nullptr);
        return pin;
    }();
    AM_MEDIA_TYPE type{};
    if (!input || FAILED(input->ConnectionMediaType(&type))) return -1;
    int64_t timePerFrame = -1;
    if (type.formattype == FORMAT_VideoInfo && type.cbFormat >= sizeof(VIDEOINFOHEADER))
        timePerFrame = reinterpret_cast<const VIDEOINFOHEADER*>(type.pbFormat)->AvgTimePerFrame;
    freeMediaType(type);
    return timePerFrame;
}

std::vector<std::u16string> linesOf(std::u16string_view text) {
    std::vector<std::u16string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(u'\n', start)) != std::u16string_view::npos; start = end + 1)
        lines.emplace_back(text.substr(start, end - start));
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

struct MediaEngine : ::testing::Test {
    ComApartment com;
    std::optional<std::u16string> movie = testMovie("yuy2.avi");
    FilterGraph graph;
    MediaFacts facts;

    void SetUp() override {
        ASSERT_TRUE(com.ready());
        if (!movie) GTEST_SKIP() << "QUCAP_TEST_MEDIA names no sample movies (tools/make_test_media.sh)";
    }
};

TEST_F(MediaEngine, PlainPreviewConnectsTheMovieToBothRenderersAndReadsItsFacts) {
    ASSERT_EQ(buildPlainPreview(graph, *movie, facts), PreviewBuild::Built);
    ASSERT_TRUE(graph.source() && graph.videoRenderer() && graph.audioRenderer() && graph.captureBuilder());
    EXPECT_TRUE(connected(graph.videoRenderer().get(), PINDIR_INPUT));
    EXPECT_TRUE(connected(graph.audioRenderer().get(), PINDIR_INPUT));
    EXPECT_FALSE(graph.captionFilter());
    // 90 frames of 1001/30000 s. Windows gives 333666 (0.03336666 s × 10^7
    // truncated); Wine's AVI Splitter rounds the stored rate to 333667.
    EXPECT_EQ(facts.frameDuration, timePerFrameOfConnection(graph.videoRenderer().get()));
    EXPECT_TRUE(facts.frameDuration == 333666 || facts.frameDuration == 333667) << facts.frameDuration;
    EXPECT_EQ(facts.totalFrames, 90);
    EXPECT_GT(facts.duration, 89 * facts.frameDuration);
    EXPECT_LE(facts.duration, 90 * facts.frameDuration + 1000);
    EXPECT_EQ(facts.earliestPosition, 0);
    EXPECT_EQ(facts.width, 720);
    EXPECT_EQ(facts.height, 480);
}

TEST_F(MediaEngine, TheFilterListNamesEveryFilterOfThePlainPreviewOnItsOwnLine) {
    ASSERT_EQ(buildPlainPreview(graph, *movie, facts), PreviewBuild::Built);
    RecordingUi ui;
    listGraphFilters(ui, graph);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].title, u"カブレン字幕付加システム");
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Information);
    const std::u16string& text = ui.messages[0].text;
    ASSERT_EQ(text.substr(0, 12), u"登録されているフィルタ\n");
    EXPECT_EQ(text.back(), u'\n');
    std::vector<std::u16string> lines = linesOf(text);
    lines.erase(lines.begin());
    std::vector<std::u16string> names = graph.filterNames();
    EXPECT_EQ(lines, names) << "in enumeration order";
    for (std::u16string_view name : {u"Source Filter", u"Video Renderer", u"Default DirectSound Device"})
        EXPECT_TRUE(contains(lines, name)) << std::string(name.begin(), name.end());
    EXPECT_GT(lines.size(), 3u) << "the splitter the connection inserted is listed too";
}

TEST_F(MediaEngine, EmptyingTheGraphRemovesEveryFilterAndKeepsTheManager) {
    ASSERT_EQ(buildPlainPreview(graph, *movie, facts), PreviewBuild::Built);
    ASSERT_GE(graph.filterNames().size(), 4u);
    IGraphBuilder* manager = graph.graph();
    graph.emptyGraph();
    EXPECT_TRUE(graph.filterNames().empty());
    EXPECT_EQ(graph.graph(), manager);
    EXPECT_TRUE(graph.control() && graph.seeking() && graph.events() && graph.basicVideo());
    EXPECT_FALSE(graph.source() || graph.videoRenderer() || graph.audioRenderer() || graph.captureBuilder());
    // The kept manager takes a new layout.
    EXPECT_EQ(graph.attachCaptureBuilder(), 0);
    EXPECT_EQ(graph.addSourceFilter(*movie, graph.source()), S_OK);
    EXPECT_EQ(graph.filterNames(), std::vector<std::u16string>{u"Source Filter"});
}

TEST_F(MediaEngine, ReleasingTheGraphEmptiesEverySlot) {
    ASSERT_EQ(buildPlainPreview(graph, *movie, facts), PreviewBuild::Built);
    graph.releaseGraph();
    EXPECT_FALSE(graph.graph() || graph.control() || graph.seeking() || graph.videoWindow() || graph.basicVideo());
    EXPECT_FALSE(graph.source() || graph.videoRenderer() || graph.audioRenderer() || graph.captureBuilder());
    EXPECT_FALSE(graph.seekingAvailable());
    EXPECT_TRUE(graph.filterNames().empty());
    graph.emptyGraph();  // without a manager there is nothing to empty
    EXPECT_EQ(graph.attachCaptureBuilder(), -1);
}

TEST_F(MediaEngine, ACaptionPreviewPutsTheCaptionFilterBetweenMovieAndRenderer) {
    MessageBoxWatcher filterBoxes;  // a box the filter shows would stop the test: closed and kept
    ASSERT_EQ(buildCaptionPreview(graph, *movie, captionFilterMaker(programFolder())), PreviewBuild::Built);
    ASSERT_TRUE(graph.captionFilter());
    EXPECT_TRUE(connected(graph.captionFilter().get(), PINDIR_INPUT));
    EXPECT_TRUE(connected(graph.captionFilter().get(), PINDIR_OUTPUT));
    EXPECT_TRUE(connected(graph.videoRenderer().get(), PINDIR_INPUT));
    EXPECT_TRUE(connected(graph.audioRenderer().get(), PINDIR_INPUT));
    const std::vector<std::u16string> names = graph.filterNames();
    for (std::u16string_view name :
         {u"Kavren Caption Synthesize Filter", u"Source Filter", u"Video Renderer", u"Default DirectSound Device"})
        EXPECT_TRUE(contains(names, name)) << std::string(name.begin(), name.end());
    EXPECT_TRUE(filterBoxes.texts().empty());
}

TEST_F(MediaEngine, ACaptionPreviewWithoutTheCaptionFilterConnectsNothing) {
    const FilterMaker missing = [](ComPtr<IBaseFilter>&) { return REGDB_E_CLASSNOTREG; };
    EXPECT_EQ(buildCaptionPreview(graph, *movie, missing), PreviewBuild::NoCaptionFilter);
    EXPECT_TRUE(graph.filterNames().empty());
    EXPECT_FALSE(graph.source());
}

TEST_F(MediaEngine, WhereTheBuilderCannotRenderTheStreamsAreConnectedDirectly) {
    // No capture graph builder: both renderers are reached by the fallbacks,
    // video through the movie's splitter, audio from the splitter's free output.
    ASSERT_EQ(graph.createGraph(), 0);
    ASSERT_EQ(graph.addSourceFilter(*movie, graph.source()), S_OK);
    ASSERT_TRUE(findDevice(CLSID_LegacyAmFilterCategory, u"Video Renderer", graph.videoRenderer()));
    ASSERT_TRUE(findDevice(CLSID_AudioRendererCategory, u"Default DirectSound Device", graph.audioRenderer()));
    ASSERT_EQ(graph.addFilter(graph.videoRenderer().get(), kVideoRendererName), S_OK);
    ASSERT_EQ(graph.addFilter(graph.audioRenderer().get(), kAudioRendererName), S_OK);
    EXPECT_EQ(renderInto(graph, graph.source().get(), graph.videoRenderer().get(), MEDIATYPE_Video), S_OK);
    EXPECT_TRUE(connected(graph.videoRenderer().get(), PINDIR_INPUT));
    EXPECT_TRUE(contains(graph.filterNames(), u"AVI Splitter"));
    EXPECT_TRUE(SUCCEEDED(renderInto(graph, graph.source().get(), graph.audioRenderer().get(), MEDIATYPE_Audio)));
    EXPECT_TRUE(connected(graph.audioRenderer().get(), PINDIR_INPUT));
    EXPECT_EQ(renderInto(graph, graph.source().get(), graph.audioRenderer().get(), MEDIATYPE_Audio),
              VFW_E_NO_ACCEPTABLE_TYPES)
        << "a renderer without a free input takes nothing more";
}

TEST_F(MediaEngine, AMovieThatCannotBeOpenedBuildsNoPreview) {
    facts.width = 7;
    EXPECT_EQ(buildPlainPreview(graph, u"Z:\\no\\such\\movie.avi", facts), PreviewBuild::NoSource);
    EXPECT_EQ(facts.width, 7) << "the facts of the last movie stay";
}

TEST(DeviceLookup, AFriendlyNameMustMatchExactly) {
    ComApartment com;
    ASSERT_TRUE(com.ready());
    const std::vector<std::u16string> filters = deviceFriendlyNames(CLSID_LegacyAmFilterCategory);
    EXPECT_TRUE(contains(filters, u"Video Renderer"));
    ComPtr<IBaseFilter> slot;
    EXPECT_TRUE(findDevice(CLSID_LegacyAmFilterCategory, u"Video Renderer", slot));
    EXPECT_TRUE(slot);
    for (std::u16string_view almost : {u"video renderer", u"Video Rendere", u"Video Renderer ", u""}) {
        EXPECT_FALSE(findDevice(CLSID_LegacyAmFilterCategory, almost, slot)) << std::string(almost.begin(), almost.end());
        EXPECT_FALSE(slot) << "no match leaves the slot empty";
    }
    EXPECT_TRUE(findDevice(CLSID_AudioRendererCategory, u"Default DirectSound Device", slot));
    EXPECT_FALSE(findDevice(CLSID_AudioRendererCategory, u"Video Renderer", slot)) << "another category";
}

TEST(DeviceLookup, ACategoryWithoutDevicesGivesNoNamesAndNoMatch) {
    ComApartment com;
    ASSERT_TRUE(com.ready());
    // Wine installs no audio compressor.
    const std::vector<std::u16string> names = deviceFriendlyNames(CLSID_AudioCompressorCategory);
    if (!names.empty()) GTEST_SKIP() << "this system has audio compressors";
    ComPtr<IBaseFilter> slot;
    EXPECT_FALSE(findDevice(CLSID_AudioCompressorCategory, u"Video Renderer", slot));
}

TEST(EncoderNameTables, TheTablesHoldTheCategoriesNamesAsFiltered) {
    ComApartment com;
    ASSERT_TRUE(com.ready());
    const EncoderTables tables = buildEncoderTables();
    const EncoderTables once = buildEncoderTables(readEncoderCategoryNames());
    EXPECT_EQ(tables.videoCompressors, once.videoCompressors);
    EXPECT_EQ(tables.videoEncoderFilters, once.videoEncoderFilters);
    EXPECT_EQ(tables.audioCompressors, once.audioCompressors);
    EXPECT_EQ(tables.audioEncoderFilters, once.audioEncoderFilters);
    std::vector<std::u16string> compressors;
    for (const std::u16string& name : deviceFriendlyNames(CLSID_VideoCompressorCategory))
        compressors.push_back(encoderTableName(name));
    EXPECT_EQ(tables.videoCompressors, compressors);
    EXPECT_FALSE(tables.videoCompressors.empty()) << "Wine lists its video codecs";
    for (const std::u16string& name : tables.videoEncoderFilters) EXPECT_TRUE(isVideoEncoderFilterName(name));
    for (const std::u16string& name : tables.audioEncoderFilters) EXPECT_TRUE(isAudioEncoderFilterName(name));
}

struct ChosenEncoders : ::testing::Test {
    ComApartment com;
    FilterGraph graph;
    EncoderTables tables;

    void SetUp() override {
        ASSERT_TRUE(com.ready());
        ASSERT_EQ(graph.createGraph(), 0);
        tables = buildEncoderTables();
        if (tables.videoCompressors.size() < 2) GTEST_SKIP() << "fewer than two video compressors";
    }
};

TEST_F(ChosenEncoders, AChosenCompressorIsAddedUnderItsNameAndReplacesThePreviousOne) {
    const std::u16string first = tables.videoCompressors[0];
    const std::u16string second = tables.videoCompressors[1];
    ASSERT_EQ(addVideoEncoder(graph, tables, first), 0);
    EXPECT_TRUE(graph.videoEncoder());
    EXPECT_EQ(graph.filterNames(), std::vector<std::u16string>{first});
    ASSERT_EQ(addVideoEncoder(graph, tables, second), 0);
    EXPECT_EQ(graph.filterNames(), std::vector<std::u16string>{second});
    // A name that matches no device takes the previous encoder out and adds nothing.
    EXPECT_EQ(addVideoEncoder(graph, tables, u"No Such Encoder"), -1);
    EXPECT_FALSE(graph.videoEncoder());
    EXPECT_TRUE(graph.filterNames().empty());
}

TEST_F(ChosenEncoders, AnAudioEncoderNameThatMatchesNothingAddsNothing) {
    ASSERT_EQ(addVideoEncoder(graph, tables, tables.videoCompressors[0]), 0);
    EXPECT_EQ(addAudioEncoder(graph, tables, tables.videoCompressors[0]), -1)
        << "a video compressor is not looked up among the audio devices";
    EXPECT_FALSE(graph.audioEncoder());
    EXPECT_EQ(graph.filterNames().size(), 1u) << "the video encoder stays";
}

TEST_F(ChosenEncoders, PropertiesOfANameNotInTheGraphShowNothing) {
    ASSERT_EQ(addVideoEncoder(graph, tables, tables.videoCompressors[0]), 0);
    EXPECT_EQ(showEncoderProperties(graph, u"No Such Encoder"), 0);
}

}  // namespace
}  // namespace qucap::test
