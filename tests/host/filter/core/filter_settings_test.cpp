#include "filter/core/filter_settings.h"

#include <gtest/gtest.h>

#include "captiondata/project/project_files.h"
#include "tests/support/test_io.h"

namespace qucap {
namespace {

using test::TestIo;
using test::utf16File;

struct FilterSettingsTest : ::testing::Test {
    TestIo t;
    FilterSettingsTest() { t.files.addDirectory(u"D:\\Tools"); }
    void lastOpen(std::u16string_view project) {
        t.files.addFile(u"D:\\Tools\\Qucapadd.ini", utf16File({u"[LastOpen]", u"FileName=" + std::u16string(project)}));
    }
};

TEST_F(FilterSettingsTest, SettingsFileLiesNextToTheModule) {
    EXPECT_EQ(filterSettingsFilePath(u"D:\\Tools\\Qucapsyf.ax"), u"D:\\Tools\\Qucapadd.ini");
    EXPECT_EQ(filterSettingsFilePath(u"D:\\Tools\\"), u"D:\\Tools\\Qucapadd.ini");
}

TEST_F(FilterSettingsTest, WithoutSettingsOrProjectEveryFieldFallsBack) {
    for (int round = 0; round < 2; ++round) {
        if (round == 1) lastOpen(u"D:\\gone.mcc");
        const FilterSettings s = readFilterSettings(t.io, u"D:\\Tools\\Qucapsyf.ax");
        EXPECT_EQ(s.projectFilePath, round == 0 ? u"設定なし" : u"D:\\gone.mcc");
        EXPECT_EQ(s.captionInfoPath, u"設定なし");
        EXPECT_EQ(s.mainFace, u"設定なし");
        EXPECT_EQ(s.rubyFace, u"設定なし");
        EXPECT_EQ(s.mainSize, 32);
        EXPECT_EQ(s.rubySize, 16);
        EXPECT_EQ(s.borderType, 1);
        EXPECT_EQ(s.mainBorderWidth, 3);
        EXPECT_EQ(s.rubyBorderWidth, 1);
        EXPECT_EQ(s.watermarkFlag, 0);
        EXPECT_EQ(s.timeDisplay, 0);
        EXPECT_EQ(s.watermarkText, u"https://qucap.example.org/");
        EXPECT_EQ(s.watermarkColour, 0x00FFFF00u);
    }
    EXPECT_TRUE(t.ui.messages.empty());
}

TEST_F(FilterSettingsTest, ReadsTheNewProjectTemplateAndItsRanges) {
    lastOpen(u"D:\\p\\a.mcc");
    t.files.addDirectory(u"D:\\p");
    t.files.addFile(u"D:\\p\\a.mcc", projectFileTemplate());
    FilterSettings s = readFilterSettings(t.io, u"D:\\Tools\\Qucapsyf.ax");
    EXPECT_EQ(s.mainFace, u"ＭＳ ゴシック");
    EXPECT_EQ(s.watermarkFlag, 1);
    EXPECT_EQ(s.watermarkColour, 0x00FFFF00u);

    t.files.addFile(u"D:\\p\\a.mcc",
                    utf16File({u"[FileName]", u"InpCapName=D:\\p\\c.csv", u"[FontSize]", u"MainSize=200", u"RubySize=128",
                               u"[Layout]", u"Side=1", u"[TimeDisp]", u"Disp=1", u"[Border]", u"Type=4", u"Gradation=1",
                               u"MainWidth=10", u"[WaterMark]", u"Disp=1", u"MarkString=", u"Color=White"}));
    s = readFilterSettings(t.io, u"D:\\Tools\\Qucapsyf.ax");
    EXPECT_EQ(s.captionInfoPath, u"D:\\p\\c.csv");
    EXPECT_EQ(s.boxInfoPath, u"設定なし");
    EXPECT_EQ(s.mainSize, 32);
    EXPECT_EQ(s.rubySize, 128);
    EXPECT_EQ(s.sideFlag, 1);
    EXPECT_EQ(s.timeDisplay, 1);
    EXPECT_EQ(s.borderType, 4);
    EXPECT_EQ(s.gradation, 1);
    EXPECT_EQ(s.mainBorderWidth, 3);
    EXPECT_EQ(s.watermarkText, u"https://qucap.example.org/");
    EXPECT_EQ(s.watermarkColour, 0x00FFFFFFu);
}

}  // namespace
}  // namespace qucap
