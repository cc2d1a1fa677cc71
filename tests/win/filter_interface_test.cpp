// IQucapsyf of the built module: what it reports of the project named by the
// Qucapadd.ini beside the module, the installed-font list, and the setters.
#include <gtest/gtest.h>

#include <algorithm>

#include "captiondata/caption/caption_file.h"
#include "filter/win/installed_fonts.h"
#include "tests/support/test_io.h"
#include "tests/win/dshowbase_test_support.h"
#include "tests/win/filter_graph_fixture.h"
#include "tests/win/filter_module.h"
#include "tests/win/temp_folder.h"
#include "tests/win/test_media.h"

namespace qucap::test {
namespace {

std::u16string textOf(const WCHAR* buffer) { return std::u16string(reinterpret_cast<const char16_t*>(buffer)); }

struct FilterInterfaceTest : ::testing::Test {
    dshowbase_test::ComApartment apartment;
    TempFolder folder;
    std::u16string project = folder / u"p.mcc";
    std::u16string captions = folder / u"字幕情報.csv";

    FilterInterfaceTest() {
        putFile(folder / u"Qucapadd.ini", utf16File({u"[LastOpen]", u"FileName=" + project}));
        putFile(project, utf16File({u"[FileName]", u"InpCapName=" + captions, u"[FontName]", u"MainName=ＭＳ ゴシック",
                                    u"RubyName=ＭＳ 明朝", u"[FontSize]", u"MainSize=36", u"RubySize=18", u"[Layout]",
                                    u"Type=2", u"Fill=1", u"Side=1", u"[TimeDisp]", u"Disp=1", u"[Border]", u"Type=3"}));
    }
};

TEST_F(FilterInterfaceTest, ReportsTheProjectNamedBesideTheModule) {
    LoadedFilterModule module(folder.path());
    ComPtr<IQucapsyf> filter = qucapsyfOf(module.createFilter());
    ASSERT_TRUE(filter);
    WCHAR text[256];
    ASSERT_EQ(filter->GetSettingsPath(text, 256), S_OK);
    EXPECT_EQ(textOf(text), folder / u"Qucapadd.ini");
    ASSERT_EQ(filter->GetProjectPath(text, 256), S_OK);
    EXPECT_EQ(textOf(text), project);
    ASSERT_EQ(filter->GetCaptionPath(text, 256), S_OK);
    EXPECT_EQ(textOf(text), captions);
    WCHAR ruby[64];
    ASSERT_EQ(filter->GetFontNames(text, 64, ruby, 64), S_OK);
    EXPECT_EQ(textOf(text), u"ＭＳ ゴシック");
    EXPECT_EQ(textOf(ruby), u"ＭＳ 明朝");
    int a = 0, b = 0, c = 0;
    filter->GetFontSizes(&a, &b);
    EXPECT_EQ(std::make_pair(a, b), std::make_pair(36, 18));
    filter->GetLayout(&a, &b, &c);
    EXPECT_EQ(std::make_tuple(a, b, c), std::make_tuple(2, 1, 1));
    filter->GetTimeDisplay(&a);
    EXPECT_EQ(a, 1);
    filter->GetBorderType(&a);
    EXPECT_EQ(a, 3);
    // A small buffer gets what fits, terminated.
    ASSERT_EQ(filter->GetCaptionPath(text, 4), S_OK);
    EXPECT_EQ(textOf(text), captions.substr(0, 3));
    EXPECT_EQ(filter->GetCaptionPath(nullptr, 4), E_POINTER);
}

TEST_F(FilterInterfaceTest, SettersChangeWhatTheGettersReport) {
    LoadedFilterModule module(folder.path());
    ComPtr<IQucapsyf> filter = qucapsyfOf(module.createFilter());
    ASSERT_TRUE(filter);
    const std::u16string longPath = u"C:\\" + std::u16string(300, u'x');
    ASSERT_EQ(filter->SetCaptionPath(reinterpret_cast<const WCHAR*>(longPath.c_str())), S_OK);
    WCHAR text[512];
    filter->GetCaptionPath(text, 512);
    EXPECT_EQ(textOf(text), longPath.substr(0, 255));
    const std::u16string longFace(80, u'F');
    ASSERT_EQ(filter->SetFontNames(reinterpret_cast<const WCHAR*>(longFace.c_str()), L"IPAMincho"), S_OK);
    WCHAR ruby[128];
    filter->GetFontNames(text, 128, ruby, 128);
    EXPECT_EQ(textOf(text), longFace.substr(0, 63));
    EXPECT_EQ(textOf(ruby), u"IPAMincho");
    // No range checks: the property page offers only valid values.
    EXPECT_EQ(filter->SetFontSizes(200, 1), S_OK);
    EXPECT_EQ(filter->SetLayout(7, 8, 9), S_OK);
    EXPECT_EQ(filter->SetTimeDisplay(5), S_OK);
    EXPECT_EQ(filter->SetBorderType(0), S_OK);
    int a = 0, b = 0, c = 0;
    filter->GetFontSizes(&a, &b);
    EXPECT_EQ(std::make_pair(a, b), std::make_pair(200, 1));
    filter->GetLayout(&a, &b, &c);
    EXPECT_EQ(std::make_tuple(a, b, c), std::make_tuple(7, 8, 9));
    filter->GetTimeDisplay(&a);
    EXPECT_EQ(a, 5);
    filter->GetBorderType(&a);
    EXPECT_EQ(a, 0);
    EXPECT_EQ(filter->SetCaptionPath(nullptr), E_POINTER);
}

TEST_F(FilterInterfaceTest, FontNamesAsHeldCarryTheVerticalMarkAfterAVerticalRow) {
    putFile(captions, utf16File({kCaptionFileHeader, u"1,0:00:00.00,0:00:00.20,縦,$W縦書き,600,,0,,0,,0,0"}));
    LoadedFilterModule module(folder.path());
    ComPtr<IBaseFilter> filter = module.createFilter();
    ComPtr<IQucapsyf> own = qucapsyfOf(filter);
    CaptionGraph graph;
    const auto movie = testMovie("rgb24.avi");
    ASSERT_TRUE(movie);
    ASSERT_EQ(graph.build(*movie, filter.get()), S_OK);
    ASSERT_TRUE(graph.runToEnd());
    WCHAR main[64], ruby[64];
    own->GetFontNames(main, 64, ruby, 64);
    // The last frames show no caption, so the faces stay as the vertical row left them.
    EXPECT_EQ(textOf(main), u"@ＭＳ ゴシック");
    EXPECT_EQ(textOf(ruby), u"@ＭＳ 明朝");
}

TEST_F(FilterInterfaceTest, InstalledFontListHoldsTrueTypeShiftJisFacesWithoutVerticalOnes) {
    LoadedFilterModule module(folder.path());
    ComPtr<IQucapsyf> filter = qucapsyfOf(module.createFilter());
    const WCHAR* list = nullptr;
    int count = 0;
    ASSERT_EQ(filter->GetFontList(&list, &count), S_OK);
    ASSERT_GT(count, 0);
    std::vector<std::u16string> names;
    for (int i = 0; i < count; ++i) names.push_back(textOf(list + std::ptrdiff_t(i) * kFontSlotChars));
    EXPECT_NE(std::find(names.begin(), names.end(), u"IPAGothic"), names.end());
    for (const auto& name : names) {
        EXPECT_FALSE(name.empty());
        EXPECT_NE(name[0], u'@') << std::string(name.begin(), name.end());
    }
    EXPECT_EQ(filter->GetFontList(nullptr, &count), E_POINTER);
}

TEST(InstalledFonts, TakesOnlyTrueTypeFacesWithoutTheVerticalMarkCutTo63) {
    InstalledFontList list;
    EXPECT_TRUE(list.take(L"IPAGothic", TRUETYPE_FONTTYPE));
    EXPECT_FALSE(list.take(L"@IPAGothic", TRUETYPE_FONTTYPE));
    EXPECT_FALSE(list.take(L"System", RASTER_FONTTYPE));
    const std::wstring longName(70, L'n');
    EXPECT_TRUE(list.take(longName.c_str(), TRUETYPE_FONTTYPE | DEVICE_FONTTYPE));
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(textOf(list.slots()), u"IPAGothic");
    EXPECT_EQ(textOf(list.slots() + kFontSlotChars), std::u16string(63, u'n'));
}

}  // namespace
}  // namespace qucap::test
