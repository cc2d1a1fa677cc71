// The built Qucapsyf.ax in real graphs on the sample movies: a copy of the
// module in a temporary folder, with a Qucapadd.ini beside it naming a
// project of that folder, composes every frame exactly as a FrameCompositor
// given the same settings, tables and input does.
#include <gtest/gtest.h>

#include "app/media/still_graph.h"
#include "captiondata/box/box_info.h"
#include "captiondata/caption/caption_file.h"
#include "captiondata/colour/colour_info.h"
#include "filter/core/filter_settings.h"
#include "filter/win/drive_types.h"
#include "tests/support/recording_ui.h"
#include "tests/support/test_io.h"
#include "tests/win/dshowbase_test_support.h"
#include "tests/win/filter_graph_fixture.h"
#include "tests/win/filter_module.h"
#include "tests/win/message_box_watcher.h"
#include "tests/win/temp_folder.h"
#include "tests/win/test_media.h"
#include "win32/shared_block_writer.h"
#include "win32/win32_file_system.h"
#include "win32/win32_shiftjis.h"

namespace qucap::test {
namespace {

constexpr std::u16string_view kBareNameMessage = u"字幕情報ファイルにパスを含めたファイル名を指定して下さい";

struct FilterGraphTest : ::testing::Test {
    dshowbase_test::ComApartment apartment;
    TempFolder folder;
    MessageBoxWatcher watcher;

    std::u16string captionFile = folder / u"字幕情報.csv";
    std::u16string boxFile = folder / u"枠情報.csv";
    std::u16string colourFile = folder / u"色情報.csv";

    // The project named by the Qucapadd.ini beside the module copy; extra
    // lines go into its [FileName] section after the three paths.
    void writeProject(std::u16string_view captionPath, std::initializer_list<std::u16string_view> more = {}) {
        putFile(folder / u"Qucapadd.ini", utf16File({u"[LastOpen]", u"FileName=" + (folder / u"p.mcc")}));
        std::vector<std::u16string> lines = {u"[FileName]", u"InpCapName=" + std::u16string(captionPath),
                                             u"InpBoxName=" + boxFile, u"InpColName=" + colourFile,
                                             u"[FontName]", u"MainName=ＭＳ ゴシック", u"RubyName=ＭＳ ゴシック"};
        for (auto line : more) lines.emplace_back(line);
        std::string bytes = "\xFF\xFE";
        for (const auto& line : lines) bytes += utf16Bytes(line + u"\r\n");
        putFile(folder / u"p.mcc", bytes);
    }
    void writeCaptions(std::initializer_list<std::u16string_view> rows) {
        std::vector<std::u16string_view> lines = {kCaptionFileHeader};
        lines.insert(lines.end(), rows.begin(), rows.end());
        std::string bytes = "\xFF\xFE";
        for (auto line : lines) bytes += utf16Bytes(std::u16string(line) + u"\r\n");
        putFile(captionFile, bytes);
    }
    void writeBoxesAndColours() {
        putFile(boxFile, utf16File({kBoxFileHeader, u"1,1,0:00:00.60,30,0:00:00.90,40,300,200,80,0,0,0,0,青,32"}));
        putFile(colourFile, utf16File({kColourFileHeader, u"1,FF0000,FFFFFF,000000", u"2,00FF00,000000,FFFFFF",
                                       u"3,0000FF,FFFFFF,FFFFFF", u"4,FFFF00,000000,000000",
                                       u"5,FF00FF,000000,000000", u"6,00FFFF,000000,000000",
                                       u"7,000000,FFFFFF,FFFFFF", u"8,FFFFFF,000000,000000"}));
    }

    // The settings and tables the filter in `folder` works with, read the same way.
    FilterSettings settings() const {
        Win32FileSystem files;
        RecordingUi ui;
        Win32ShiftJisDecoder shiftJis;
        return readFilterSettings(Io{files, ui, shiftJis}, folder / u"Qucapsyf.ax");
    }
    static FilterTables tablesOf(const FilterSettings& settings) {
        Win32FileSystem files;
        RecordingUi ui;
        Win32ShiftJisDecoder shiftJis;
        Win32DriveTypes drives;
        FilterTables tables;
        loadFilterTables(Io{files, ui, shiftJis}, drives, settings, tables);
        return tables;
    }

    static std::u16string movie(const char* name) {
        const auto path = testMovie(name);
        EXPECT_TRUE(path) << "QUCAP_TEST_MEDIA has no " << name << " (tools/make_test_media.sh makes it)";
        return path.value_or(u"");
    }

    // Every output frame equals the direct composition of its input frame;
    // the number of frames that differ from `plain` (no tables, no overlays).
    static int compareWithDirect(const CaptionGraph& graph, const FilterSettings& settings, const FilterTables& tables,
                                 int32_t seekOffset = 0) {
        const std::vector<Frame> inputs = graph.inputs();
        const std::vector<Frame> outputs = graph.outputs();
        EXPECT_FALSE(inputs.empty());
        EXPECT_EQ(outputs.size(), inputs.size());
        const auto expected =
            composeDirectly(inputs, graph.inputType(), graph.outputType(), settings, tables, seekOffset);
        const auto plain = composeDirectly(inputs, graph.inputType(), graph.outputType(), FilterSettings{}, {});
        int differing = 0;
        for (std::size_t i = 0; i < outputs.size() && i < expected.size(); ++i) {
            EXPECT_TRUE(outputs[i].bytes == expected[i]) << "frame " << i;
            if (outputs[i].bytes != plain[i]) ++differing;
        }
        return differing;
    }
};

TEST_F(FilterGraphTest, Rgb24MovieFramesEqualDirectComposition) {
    writeProject(captionFile, {u"[TimeDisp]", u"Disp=1", u"[WaterMark]", u"Disp=1", u"Color=White"});
    writeCaptions({u"1,0:00:00.10,0:00:00.40,横,$Wカブレン,400,,0,$R字幕$Y合成,440,字幕(じまく),0,0"});
    writeBoxesAndColours();
    LoadedFilterModule module(folder.path());
    ASSERT_TRUE(module.loaded());
    ComPtr<IBaseFilter> filter = module.createFilter();
    ASSERT_TRUE(filter);
    CaptionGraph graph;
    ASSERT_EQ(graph.build(movie("rgb24.avi"), filter.get()), S_OK);
    EXPECT_TRUE(IsEqualGUID(graph.inputType().subtype, MEDIASUBTYPE_RGB24));
    EXPECT_TRUE(IsEqualGUID(graph.outputType().subtype, MEDIASUBTYPE_RGB32));
    ASSERT_TRUE(graph.runToEnd());
    const FilterSettings s = settings();
    EXPECT_EQ(s.timeDisplay, 1);
    const FilterTables tables = tablesOf(s);
    ASSERT_FALSE(tables.captions.empty());
    // The time display and watermark change every frame.
    EXPECT_EQ(compareWithDirect(graph, s, tables), int(graph.outputs().size()));
    EXPECT_TRUE(watcher.texts().empty());
}

// The movie's YUY2 through the tap, and the GStreamer splitter's RGB32, which
// lies in memory as the output does: the filter composes in the sample it
// got and hands that one on. Either way every frame is the direct composition.
TEST_F(FilterGraphTest, Yuy2MovieFramesEqualDirectCompositionAsYuy2OrComposedInTheRgb32Sample) {
    writeProject(captionFile, {u"[Border]", u"Type=2"});
    writeCaptions({u"1,0:00:01.00,0:00:01.00,縦,$Wカブレン,600,,0,字幕(じまく)付加,560,,0,0"});
    writeBoxesAndColours();
    LoadedFilterModule module(folder.path());
    const FilterSettings s = settings();
    for (const bool asYuy2 : {true, false}) {
        ComPtr<IBaseFilter> filter = module.createFilter();
        ASSERT_TRUE(filter);
        CaptionGraph graph;
        ASSERT_EQ(graph.build(movie("yuy2.avi"), filter.get(), asYuy2), S_OK);
        EXPECT_TRUE(IsEqualGUID(graph.inputType().subtype, asYuy2 ? MEDIASUBTYPE_YUY2 : MEDIASUBTYPE_RGB32));
        ASSERT_TRUE(graph.runToEnd());
        // The box shows from 0.6 s to 0.9 s, the caption from 1 s to 2 s: about 40 frames.
        const int captioned = compareWithDirect(graph, s, tablesOf(s));
        EXPECT_GE(captioned, 35);
        EXPECT_LE(captioned, 45);
        const std::vector<Frame> inputs = graph.inputs();
        const std::vector<Frame> outputs = graph.outputs();
        for (std::size_t i = 0; i < inputs.size() && i < outputs.size(); ++i)
            EXPECT_EQ(outputs[i].buffer == inputs[i].buffer, !asYuy2) << "frame " << i;
    }
}

TEST_F(FilterGraphTest, TheStillGraphThroughTheFilterGrabsTwoHundredTimesWithoutACrash) {
    // Wine's splitter for YUY2 cannot cue, so each grab lets the paused graph
    // run; a long caption makes every frame slow to draw, so a frame is still
    // on its way to the grabber then. Taking the clock away at that moment
    // crashed the grabber now and then.
    writeProject(captionFile);
    const std::u16string longCaption = u"1,0:00:00.00,0:00:03.00,横," + std::u16string(5000, u'字') + u",400,,0,,0,,0,0";
    writeCaptions({longCaption});
    writeBoxesAndColours();
    LoadedFilterModule module(folder.path());
    ASSERT_TRUE(module.loaded());
    const FilterMaker fromModule = [&module](ComPtr<IBaseFilter>& filter) {
        filter = module.createFilter();
        return filter ? S_OK : E_FAIL;
    };
    const std::u16string yuy2 = movie("yuy2.avi");
    for (int run = 0; run < 200; ++run) {
        StillGraph graph;
        ASSERT_EQ(graph.build(yuy2, fromModule), StillBuild::Built) << "run " << run;
        ASSERT_EQ(graph.seekTo(int64_t(run % 80) * 333'667), S_OK);
        ASSERT_EQ(graph.grab(15'000), StillGrab::Kept) << "run " << run;
    }
}

TEST_F(FilterGraphTest, SeekOffsetComesFromTheSharedBlock) {
    writeProject(captionFile);
    writeCaptions({u"1,0:01:00.00,0:00:00.50,横,$Wシーク後,400,,0,,0,,0,0"});
    LoadedFilterModule module(folder.path());
    ComPtr<IBaseFilter> filter = module.createFilter();  // creates the block, all zero
    ASSERT_TRUE(filter);
    CaptionGraph graph;
    ASSERT_EQ(graph.build(movie("rgb24.avi"), filter.get()), S_OK);
    ASSERT_EQ(writeSharedBlock(60'000), SharedBlockWrite::Written);  // as the program does before it seeks
    ASSERT_TRUE(graph.runToEnd());
    const FilterSettings s = settings();
    // Frames 0 to 0.5 s are drawn as movie time 1:00.00 onwards.
    const int captioned = compareWithDirect(graph, s, tablesOf(s), 60'000);
    EXPECT_GE(captioned, 14);
    EXPECT_LE(captioned, 17);
}

TEST_F(FilterGraphTest, SetFontSizesInitialisesAgainAtTheNextSample) {
    writeProject(captionFile);
    writeCaptions({u"1,0:00:00.00,0:00:01.00,横,$W最初の字幕,400,,0,,0,,0,0"});
    LoadedFilterModule module(folder.path());
    ComPtr<IBaseFilter> filter = module.createFilter();
    ComPtr<IQucapsyf> own = qucapsyfOf(filter);
    ASSERT_TRUE(own);
    CaptionGraph graph;
    ASSERT_EQ(graph.build(movie("rgb24.avi"), filter.get()), S_OK);
    ASSERT_TRUE(graph.runToEnd());
    const std::vector<Frame> firstRun = graph.outputs();
    FilterSettings s = settings();
    compareWithDirect(graph, s, tablesOf(s));

    // Connected and stopped, the filter gets new sizes and the file new text.
    writeCaptions({u"1,0:00:00.00,0:00:01.00,横,$W二度目の字幕,400,,0,,0,,0,0"});
    ASSERT_EQ(own->SetFontSizes(40, 20), S_OK);
    int main = 0, ruby = 0;
    own->GetFontSizes(&main, &ruby);
    EXPECT_EQ(main, 40);
    EXPECT_EQ(ruby, 20);
    graph.clearFrames();
    ASSERT_EQ(graph.rewind(), S_OK);
    ASSERT_TRUE(graph.runToEnd());
    s.mainSize = 40;
    s.rubySize = 20;
    const FilterTables reread = tablesOf(s);
    EXPECT_EQ(reread.captions[0].texts[0], u"$W二度目の字幕");
    compareWithDirect(graph, s, reread);
    const std::vector<Frame> secondRun = graph.outputs();
    ASSERT_FALSE(secondRun.empty());
    EXPECT_NE(secondRun[0].bytes, firstRun[0].bytes);
}

TEST_F(FilterGraphTest, BareCaptionFileNameIsReportedOnceAndDrawsNothing) {
    writeProject(u"字幕情報.csv");
    writeCaptions({u"1,0:00:00.00,0:00:05.00,横,$W見えない字幕,400,,0,,0,,0,0"});
    LoadedFilterModule module(folder.path());
    ComPtr<IBaseFilter> filter = module.createFilter();
    CaptionGraph graph;
    ASSERT_EQ(graph.build(movie("rgb24.avi"), filter.get()), S_OK);  // initialises on connection
    ASSERT_TRUE(graph.runToEnd());
    ASSERT_TRUE(watcher.waitFor(1));
    EXPECT_EQ(watcher.texts(), std::vector<std::u16string>{std::u16string(kBareNameMessage)});
    const FilterSettings s = settings();
    EXPECT_EQ(compareWithDirect(graph, s, tablesOf(s)), 0);

    // A setter makes the streaming thread initialise again: once more, not per frame.
    ComPtr<IQucapsyf> own = qucapsyfOf(filter);
    own->SetTimeDisplay(0);
    graph.clearFrames();
    ASSERT_EQ(graph.rewind(), S_OK);
    ASSERT_TRUE(graph.runToEnd());
    ASSERT_TRUE(watcher.waitFor(2));
    EXPECT_EQ(watcher.texts().size(), 2u);
}

}  // namespace
}  // namespace qucap::test
