#include <gtest/gtest.h>

#include <optional>

#include "captiondata/profile/ini_profile.h"
#include "captiondata/project/project_files.h"
#include "captiondata/project/project_settings.h"
#include "tests/support/test_io.h"

namespace qucap {
namespace {

using test::fromUtf16Bytes;
using test::TestIo;
using test::utf16File;
using Lines = std::vector<std::u16string>;

constexpr std::u16string_view kProject = u"C:\\proj\\作品.mcc";
constexpr std::u16string_view kSettings = u"C:\\prog\\Qucapadd.ini";

struct ProjectIo : TestIo {
    ProjectIo() {
        files.addDirectory(u"C:\\proj");
        files.addDirectory(u"C:\\prog");
    }
    void project(std::initializer_list<std::u16string_view> lines) { files.addFile(kProject, utf16File(lines)); }
    Lines projectLines() const { return IniDocument::parse(fromUtf16Bytes(files.contents(kProject))).lines(); }
};

// The settings loaded from a project file that holds only this key (or nothing).
ProjectSettings loadedWith(std::u16string_view section, std::u16string_view key,
                           std::optional<std::u16string_view> value) {
    ProjectIo t;
    const std::u16string header = u"[" + std::u16string(section) + u"]";
    const std::u16string line = std::u16string(key) + u"=" + std::u16string(value.value_or(u""));
    if (value)
        t.project({header, line});
    else
        t.project({header});
    ProjectSettings settings;
    EXPECT_EQ(LoadProjectSettings(t.io, kProject, settings), 0);
    EXPECT_TRUE(t.ui.messages.empty());
    return settings;
}

int32_t loadedInt(std::u16string_view section, std::u16string_view key, std::optional<std::u16string_view> value,
                  int32_t ProjectSettings::*field) {
    return loadedWith(section, key, value).*field;
}

TEST(LoadProjectSettings, FontSizesOutsideTheirRangeFallBack) {
    constexpr auto main = &ProjectSettings::mainSize;
    EXPECT_EQ(loadedInt(u"FontSize", u"MainSize", u"200", main), 32);
    EXPECT_EQ(loadedInt(u"FontSize", u"MainSize", u"3", main), 32);
    EXPECT_EQ(loadedInt(u"FontSize", u"MainSize", u"abc", main), 32);
    EXPECT_EQ(loadedInt(u"FontSize", u"MainSize", std::nullopt, main), 32);
    EXPECT_EQ(loadedInt(u"FontSize", u"MainSize", u"128", main), 128);
    EXPECT_EQ(loadedInt(u"FontSize", u"MainSize", u"4", main), 4);
    EXPECT_EQ(loadedInt(u"FontSize", u"RubySize", u"0", &ProjectSettings::rubySize), 16);
    EXPECT_EQ(loadedInt(u"FontSize", u"RubySize", u"129", &ProjectSettings::rubySize), 16);
    EXPECT_EQ(loadedInt(u"FontSize", u"RubySize", u"24px", &ProjectSettings::rubySize), 24);
}

TEST(LoadProjectSettings, LayoutAndBorderRangesFallBack) {
    EXPECT_EQ(loadedInt(u"Layout", u"Type", u"3", &ProjectSettings::layoutType), 1);
    EXPECT_EQ(loadedInt(u"Layout", u"Type", u"0", &ProjectSettings::layoutType), 1);
    EXPECT_EQ(loadedInt(u"Layout", u"Type", u"2", &ProjectSettings::layoutType), 2);
    EXPECT_EQ(loadedInt(u"Border", u"Type", u"0", &ProjectSettings::borderType), 1);
    EXPECT_EQ(loadedInt(u"Border", u"Type", u"5", &ProjectSettings::borderType), 1);
    EXPECT_EQ(loadedInt(u"Border", u"Type", u"4", &ProjectSettings::borderType), 4);
    EXPECT_EQ(loadedInt(u"Border", u"MainWidth", u"0", &ProjectSettings::mainBorderWidth), 3);
    EXPECT_EQ(loadedInt(u"Border", u"MainWidth", u"10", &ProjectSettings::mainBorderWidth), 3);
    EXPECT_EQ(loadedInt(u"Border", u"MainWidth", u"9", &ProjectSettings::mainBorderWidth), 9);
    EXPECT_EQ(loadedInt(u"Border", u"RubyWidth", u"0", &ProjectSettings::rubyBorderWidth), 1);
    EXPECT_EQ(loadedInt(u"Border", u"RubyWidth", u"10", &ProjectSettings::rubyBorderWidth), 1);
    EXPECT_EQ(loadedInt(u"Border", u"RubyWidth", u"9", &ProjectSettings::rubyBorderWidth), 9);
}

TEST(LoadProjectSettings, TwoValuedKeysKeepOnlyZeroOrOne) {
    EXPECT_EQ(loadedInt(u"Layout", u"Fill", u"2", &ProjectSettings::fillFlag), 0);
    EXPECT_EQ(loadedInt(u"Layout", u"Fill", u"1", &ProjectSettings::fillFlag), 1);
    EXPECT_EQ(loadedInt(u"Layout", u"Side", u"-1", &ProjectSettings::sideFlag), 0);
    EXPECT_EQ(loadedInt(u"Border", u"Gradation", u"1x", &ProjectSettings::gradationFlag), 1);
    EXPECT_EQ(loadedInt(u"WaterMark", u"Disp", std::nullopt, &ProjectSettings::watermarkFlag), 0);
    EXPECT_EQ(loadedInt(u"WaterMark", u"Disp", u"1", &ProjectSettings::watermarkFlag), 1);
}

TEST(LoadProjectSettings, RewindTimeIsZeroUnlessWithinZeroTo99) {
    constexpr auto rewind = &ProjectSettings::rewindSeconds;
    EXPECT_EQ(loadedInt(u"RepTime", u"Time", std::nullopt, rewind), 0);
    EXPECT_EQ(loadedInt(u"RepTime", u"Time", u"99", rewind), 99);
    EXPECT_EQ(loadedInt(u"RepTime", u"Time", u"100", rewind), 0);
    EXPECT_EQ(loadedInt(u"RepTime", u"Time", u"-1", rewind), 0);
    EXPECT_EQ(loadedInt(u"RepTime", u"Time", u"3", rewind), 3);
}

TEST(LoadProjectSettings, WatermarkColourNamesCompareExactly) {
    constexpr auto colour = &ProjectSettings::watermarkColour;
    EXPECT_EQ(loadedInt(u"WaterMark", u"Color", u"White", colour), 8);
    EXPECT_EQ(loadedInt(u"WaterMark", u"Color", u"white", colour), 6);
    EXPECT_EQ(loadedInt(u"WaterMark", u"Color", u"Purple", colour), 6);
    EXPECT_EQ(loadedInt(u"WaterMark", u"Color", u"", colour), 6);
    EXPECT_EQ(loadedInt(u"WaterMark", u"Color", std::nullopt, colour), 6);
    EXPECT_EQ(loadedInt(u"WaterMark", u"Color", u"Red", colour), 1);
}

TEST(LoadProjectSettings, WatermarkTextEmptyOrMissingIsTheMakersAddress) {
    EXPECT_EQ(loadedWith(u"WaterMark", u"MarkString", u"").watermarkText, u"https://qucap.example.org/");
    EXPECT_EQ(loadedWith(u"WaterMark", u"MarkString", std::nullopt).watermarkText, kMakerWebAddress);
    EXPECT_EQ(loadedWith(u"WaterMark", u"MarkString", u"(c) カブレン").watermarkText, u"(c) カブレン");
}

TEST(LoadProjectSettings, TextsFallBackAndAreCutToTheirCapacity) {
    const auto missing = loadedWith(u"FontName", u"Other", u"x");
    EXPECT_EQ(missing.mainFontName, u"設定なし");
    EXPECT_EQ(missing.rubyFontName, u"設定なし");
    EXPECT_EQ(missing.inputMoviePath, u"設定なし");
    EXPECT_EQ(missing.outputMoviePath, u"設定なし");
    const std::u16string longName(70, u'字');
    EXPECT_EQ(loadedWith(u"FontName", u"MainName", longName).mainFontName, std::u16string(63, u'字'));
    const std::u16string longPath = u"D:\\" + std::u16string(300, u'a');
    EXPECT_EQ(loadedWith(u"FileName", u"InpBoxName", longPath).boxInfoPath, longPath.substr(0, 255));
}

TEST(LoadProjectSettings, TheTemplateLoadsItsOwnValues) {
    ProjectIo t;
    t.files.addFile(kProject, projectFileTemplate());
    ProjectSettings s;
    ASSERT_EQ(LoadProjectSettings(t.io, kProject, s), 0);
    EXPECT_EQ(s.inputMoviePath, u"設定なし");
    EXPECT_EQ(s.boxInfoPath, u"設定なし");
    EXPECT_EQ(s.mainFontName, u"ＭＳ ゴシック");
    EXPECT_EQ(s.rubyFontName, u"ＭＳ ゴシック");
    EXPECT_EQ(s.mainSize, 32);
    EXPECT_EQ(s.rubySize, 16);
    EXPECT_EQ(s.layoutType, 1);
    EXPECT_EQ(s.borderType, 1);
    EXPECT_EQ(s.mainBorderWidth, 3);
    EXPECT_EQ(s.rubyBorderWidth, 1);
    EXPECT_EQ(s.watermarkFlag, 1);
    EXPECT_EQ(s.watermarkText, kMakerWebAddress);
    EXPECT_EQ(s.watermarkColour, 6);
    EXPECT_EQ(s.rewindSeconds, 3);
}

TEST(LoadProjectSettings, TypedPathsAreKeptAndTheRestComesFromTheFile) {
    ProjectIo t;
    t.project({u"[FileName]", u"InpMovName=D:\\file.avi", u"InpColName=D:\\色情報.csv", u"[FontSize]", u"MainSize=40"});
    ProjectSettings s;
    s.inputMoviePath = u"E:\\typed.avi";
    s.mainSize = 100;
    ASSERT_EQ(LoadProjectSettings(t.io, kProject, s), 0);
    EXPECT_EQ(s.inputMoviePath, u"E:\\typed.avi");
    EXPECT_EQ(s.colourInfoPath, u"D:\\色情報.csv");
    EXPECT_EQ(s.captionInfoPath, u"設定なし");
    EXPECT_EQ(s.mainSize, 40);
}

TEST(LoadProjectSettings, WithoutAReadableFileNothingChanges) {
    ProjectIo t;
    ProjectSettings s;
    s.mainSize = 77;
    EXPECT_EQ(LoadProjectSettings(t.io, u"", s), 0);
    EXPECT_EQ(LoadProjectSettings(t.io, kProject, s), 0);  // missing
    EXPECT_EQ(LoadProjectSettings(t.io, u"C:\\proj", s), 0);  // a folder
    EXPECT_EQ(s.mainSize, 77);
    EXPECT_EQ(s.inputMoviePath, u"");
    EXPECT_TRUE(t.ui.messages.empty());

    t.project({u"[FontSize]", u"MainSize=40"});
    t.files.failReading(kProject, ReadStatus::OpenFailed);
    EXPECT_EQ(LoadProjectSettings(t.io, kProject, s), -1);
    EXPECT_EQ(s.mainSize, 77);
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(t.ui.messages[0].text, u"confファイルの読み込みに失敗しました");
    EXPECT_EQ(t.ui.messages[0].title, u"カブレン字幕付加システム");
    EXPECT_EQ(t.ui.messages[0].icon, MessageIcon::Warning);
}

TEST(TimeDisplayKey, AProjectWithoutTheSectionShowsNoTime) {
    EXPECT_EQ(readIntKey(IniDocument::parse(u"[Layout]\r\nType=1\r\n"), kTimeDisp), 0);
    EXPECT_EQ(readIntKey(IniDocument::parse(u"[TimeDisp]\r\nDisp=1\r\n"), kTimeDisp), 1);
    EXPECT_EQ(readIntKey(IniDocument::parse(u"[TimeDisp]\r\nDisp=2\r\n"), kTimeDisp), 0);
}

TEST(WatermarkColours, NamesIndexesAndColoursAgree) {
    EXPECT_EQ(watermarkColourNamed(u"Red").colourRef(), 0x0000FFu);
    EXPECT_EQ(watermarkColourNamed(u"Green").colourRef(), 0x00FF00u);
    EXPECT_EQ(watermarkColourNamed(u"Blue").colourRef(), 0xFF0000u);
    EXPECT_EQ(watermarkColourNamed(u"Yellow").colourRef(), 0x00FFFFu);
    EXPECT_EQ(watermarkColourNamed(u"Pink").colourRef(), 0xFF00FFu);
    EXPECT_EQ(watermarkColourNamed(u"Cyan").colourRef(), 0xFFFF00u);
    EXPECT_EQ(watermarkColourNamed(u"Black").colourRef(), 0x000000u);
    EXPECT_EQ(watermarkColourNamed(u"White").colourRef(), 0xFFFFFFu);
    EXPECT_EQ(watermarkColourNamed(u"RED").name, u"Cyan");
    for (int32_t index = 1; index <= 8; ++index) EXPECT_EQ(watermarkColourAt(index).index, index);
    EXPECT_EQ(watermarkColourAt(0).name, u"Cyan");
    EXPECT_EQ(watermarkColourAt(9).name, u"Cyan");
    EXPECT_EQ(watermarkColourAt(5).name, u"Pink");
}

ProjectSettings sampleSettings() {
    ProjectSettings s;
    s.inputMoviePath = u"D:\\movie\\in.avi";
    s.colourInfoPath = u"C:\\proj\\色情報.csv";
    s.captionInfoPath = u"C:\\proj\\字幕情報.csv";
    s.boxInfoPath = u"設定なし";
    s.outputMoviePath = u"C:\\proj\\出力動画.avi";
    s.mainFontName = u"メイリオ";
    s.rubyFontName = u"ＭＳ 明朝";
    s.mainSize = 48;
    s.rubySize = 20;
    s.layoutType = 2;
    s.fillFlag = 1;
    s.sideFlag = 1;
    s.borderType = 4;
    s.gradationFlag = 1;
    s.mainBorderWidth = 5;
    s.rubyBorderWidth = 2;
    s.watermarkFlag = 0;
    s.watermarkText = u"(c) カブレン";
    s.watermarkColour = 8;
    s.rewindSeconds = 99;
    return s;
}

TEST(SaveProjectSettings, UpdatesTheTemplateInPlaceAndLeavesTimeDisplay) {
    ProjectIo t;
    t.files.addFile(kProject, projectFileTemplate());
    ASSERT_EQ(SaveProjectSettings(t.io, kProject, sampleSettings()), 0);
    EXPECT_TRUE(t.ui.messages.empty());
    EXPECT_EQ(t.files.contents(kProject),
              utf16File({u"[FileName]", u"InpMovName=D:\\movie\\in.avi", u"InpColName=C:\\proj\\色情報.csv",
                         u"InpCapName=C:\\proj\\字幕情報.csv", u"InpBoxName=設定なし",
                         u"OutMovName=C:\\proj\\出力動画.avi", u"",
                         u"[FontName]", u"MainName=メイリオ", u"RubyName=ＭＳ 明朝", u"",
                         u"[FontSize]", u"MainSize=48", u"RubySize=20", u"",
                         u"[Layout]", u"Type=2", u"Fill=1", u"Side=1", u"",
                         u"[Border]", u"Type=4", u"Gradation=1", u"MainWidth=5", u"RubyWidth=2", u"",
                         u"[WaterMark]", u"Disp=0", u"MarkString=(c) カブレン", u"Color=White", u"",
                         u"[RepTime]", u"Time=99", u"",
                         u"[TimeDisp]", u"Disp=0", u""}));
}

TEST(SaveProjectSettings, AnUnknownColourIndexIsStoredAsCyan) {
    ProjectIo t;
    t.project({u"[WaterMark]", u"Color=Red"});
    ProjectSettings s = sampleSettings();
    s.watermarkColour = 0;
    ASSERT_EQ(SaveProjectSettings(t.io, kProject, s), 0);
    EXPECT_EQ(IniDocument::parse(fromUtf16Bytes(t.files.contents(kProject))).readString(u"WaterMark", u"Color", u""),
              u"Cyan");
}

// A file system whose writes start failing after a number of them.
class WriteLimitedFileSystem : public test::MemoryFileSystem {
public:
    int writesLeft = 1000;
    WriteStatus writeFile(std::u16string_view path, std::string_view bytes) override {
        if (writesLeft-- <= 0) return WriteStatus::WriteFailed;
        return MemoryFileSystem::writeFile(path, bytes);
    }
};

TEST(SaveProjectSettings, StopsAtTheFirstFailedWriteKeepingTheKeysBefore) {
    const std::vector<ProfileKey> order = {
        {u"FileName", u"InpMovName"}, {u"FileName", u"InpColName"}, {u"FileName", u"InpCapName"},
        {u"FileName", u"InpBoxName"}, {u"FileName", u"OutMovName"}, {u"FontName", u"MainName"},
        {u"FontName", u"RubyName"},   {u"FontSize", u"MainSize"},   {u"FontSize", u"RubySize"},
        {u"Layout", u"Type"},         {u"Layout", u"Fill"},         {u"Layout", u"Side"},
        {u"Border", u"Type"},         {u"Border", u"Gradation"},    {u"Border", u"MainWidth"},
        {u"Border", u"RubyWidth"},    {u"WaterMark", u"Disp"},      {u"WaterMark", u"MarkString"},
        {u"WaterMark", u"Color"},     {u"RepTime", u"Time"}};
    for (std::size_t allowed = 0; allowed <= order.size(); ++allowed) {
        SCOPED_TRACE(allowed);
        WriteLimitedFileSystem files;
        test::RecordingUi ui;
        const Io io{files, ui, test::platformShiftJis()};
        files.addDirectory(u"C:\\proj");
        files.addFile(kProject, utf16File({u"; conf"}));
        files.writesLeft = int(allowed);

        const int result = SaveProjectSettings(io, kProject, sampleSettings());
        const IniDocument written = IniDocument::parse(fromUtf16Bytes(files.contents(kProject)));
        for (std::size_t at = 0; at < order.size(); ++at)
            EXPECT_EQ(written.find(order[at].section, order[at].name).has_value(), at < allowed) << at;
        if (allowed < order.size()) {
            EXPECT_EQ(result, -1);
            ASSERT_EQ(ui.messages.size(), 1u);
            EXPECT_EQ(ui.messages[0].text, u"confファイルの設定に失敗しました");
            EXPECT_EQ(ui.messages[0].title, u"カブレン字幕付加システム");
        } else {
            EXPECT_EQ(result, 0);
            EXPECT_TRUE(ui.messages.empty());
        }
    }
}

TEST(SaveProjectSettings, AWatermarkTextWithALineBreakIsRefused) {
    ProjectIo t;
    t.files.addFile(kProject, projectFileTemplate());
    ProjectSettings s = sampleSettings();
    s.watermarkText = u"two\r\n[Border]\r\nType=3";
    EXPECT_EQ(SaveProjectSettings(t.io, kProject, s), -1);
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(t.ui.messages[0].text, u"confファイルの設定に失敗しました");
    ProjectSettings loaded;
    LoadProjectSettings(t.io, kProject, loaded);
    EXPECT_EQ(loaded.watermarkFlag, 0);                 // written before
    EXPECT_EQ(loaded.watermarkText, kMakerWebAddress);  // untouched template value
    EXPECT_EQ(loaded.borderType, 4);
}

TEST(SaveProjectSettings, WithoutAnExistingFileWritesNothing) {
    ProjectIo t;
    EXPECT_EQ(SaveProjectSettings(t.io, u"", sampleSettings()), 0);
    EXPECT_EQ(SaveProjectSettings(t.io, kProject, sampleSettings()), 0);
    EXPECT_EQ(SaveProjectPaths(t.io, kProject, sampleSettings()), 0);
    EXPECT_EQ(recordCaptionInfoName(t.io, kProject, u"C:\\x.csv"), 0);
    EXPECT_FALSE(t.files.exists(kProject));
    EXPECT_EQ(t.files.writeCount(), 0);
    EXPECT_TRUE(t.ui.messages.empty());
}

TEST(SaveProjectPaths, WritesOnlyTheFivePaths) {
    ProjectIo t;
    t.files.addFile(kProject, projectFileTemplate());
    ASSERT_EQ(SaveProjectPaths(t.io, kProject, sampleSettings()), 0);
    Lines expected = IniDocument::parse(fromUtf16Bytes(projectFileTemplate())).lines();
    expected[1] = u"InpMovName=D:\\movie\\in.avi";
    expected[2] = u"InpColName=C:\\proj\\色情報.csv";
    expected[3] = u"InpCapName=C:\\proj\\字幕情報.csv";
    expected[5] = u"OutMovName=C:\\proj\\出力動画.avi";
    EXPECT_EQ(t.projectLines(), expected);
    EXPECT_EQ(t.files.writeCount(), 5);
}

TEST(RecordCaptionInfoName, UpdatesInpCapNameAtOnce) {
    ProjectIo t;
    t.project({u"[FileName]", u"InpMovName=a", u"InpCapName=old.csv", u"", u"[FontSize]", u"MainSize=32"});
    ASSERT_EQ(recordCaptionInfoName(t.io, kProject, u"D:\\新しい.csv"), 0);
    EXPECT_EQ(t.projectLines(),
              (Lines{u"[FileName]", u"InpMovName=a", u"InpCapName=D:\\新しい.csv", u"", u"[FontSize]", u"MainSize=32"}));
    t.files.failWriting(kProject);
    EXPECT_EQ(recordCaptionInfoName(t.io, kProject, u"D:\\b.csv"), -1);
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(t.ui.messages[0].text, u"confファイルの設定に失敗しました");
}

TEST(LastOpen, DefaultsDifferForTheProgramAndTheFilter) {
    ProjectIo t;
    EXPECT_EQ(readLastOpenForProgram(t.io, kSettings), u"");
    EXPECT_EQ(readLastOpenForFilter(t.io, kSettings), u"設定なし");
    t.files.addFile(kSettings, utf16File({u"[LastOpen]", u""}));
    EXPECT_EQ(readLastOpenForProgram(t.io, kSettings), u"");
    EXPECT_EQ(readLastOpenForFilter(t.io, kSettings), u"設定なし");
    // A project that no longer exists is still returned as it stands.
    t.files.addFile(kSettings, utf16File({u"[lastopen]", u"filename=D:\\gone\\古い.mcc"}));
    EXPECT_EQ(readLastOpenForProgram(t.io, kSettings), u"D:\\gone\\古い.mcc");
    EXPECT_EQ(readLastOpenForFilter(t.io, kSettings), u"D:\\gone\\古い.mcc");
}

TEST(LastOpen, RecordingTheProjectUpdatesOrCreatesTheSettingsFile) {
    ProjectIo t;
    ASSERT_EQ(recordLastProject(t.io, kSettings, kProject), 0);
    EXPECT_EQ(t.files.contents(kSettings), utf16File({u"[LastOpen]", u"FileName=C:\\proj\\作品.mcc"}));
    t.files.addFile(kSettings, settingsFileTemplate());
    ASSERT_EQ(recordLastProject(t.io, kSettings, kProject), 0);
    EXPECT_EQ(t.files.contents(kSettings), utf16File({u"[LastOpen]", u"FileName=C:\\proj\\作品.mcc", u""}));
    EXPECT_TRUE(t.ui.messages.empty());

    t.files.failWriting(kSettings);
    EXPECT_EQ(recordLastProject(t.io, kSettings, u"C:\\other.mcc"), -1);
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(t.ui.messages[0].text, u"iniファイルの設定に失敗しました");
    EXPECT_EQ(t.ui.messages[0].title, u"カブレン字幕付加システム");
}

TEST(LastOpen, SettingsFileLiesInTheGivenFolder) {
    EXPECT_EQ(settingsFilePath(u"D:\\Tools"), u"D:\\Tools\\Qucapadd.ini");
    EXPECT_EQ(settingsFilePath(u"D:\\"), u"D:\\Qucapadd.ini");
}

}  // namespace
}  // namespace qucap
