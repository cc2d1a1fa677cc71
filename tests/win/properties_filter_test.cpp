#include <windows.h>
#include <strmif.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "resources/filter/resource.h"
#include "tests/support/test_io.h"
#include "tests/win/filter_module.h"
#include "tests/win/properties_fixture.h"

namespace qucap::test {
namespace {

using Texts = std::vector<std::u16string>;

// The page as any DirectShow application gets it: the filter names it
// through ISpecifyPropertyPages and the module's class factory makes it.
class PageOfTheModule : public PropertyPageHost {
protected:
    PageOfTheModule() {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        putFile(project, utf16File({u"[FileName]", u"InpCapName=" + caption, u"[FontName]", u"MainName=IPAGothic",
                                    u"RubyName=IPAGothic", u"[FontSize]", u"MainSize=48", u"RubySize=24", u"[Layout]",
                                    u"Type=2", u"Fill=1", u"Side=1", u"[TimeDisp]", u"Disp=1", u"[Border]", u"Type=4",
                                    u"Gradation=1", u"MainWidth=5", u"RubyWidth=2"}));
        putFile(folder / u"Qucapadd.ini", utf16File({u"[LastOpen]", u"FileName=" + project}));
        module = std::make_unique<LoadedFilterModule>(folder.path());
        filterObject = module->createFilter();
        settings = qucapsyfOf(filterObject);
        if (page) page->Release();
        page = nullptr;
        object = nullptr;
    }
    ~PageOfTheModule() override {
        close();
        if (page) page->Release();
        page = nullptr;
        settings.reset();
        filterObject.reset();
        CoUninitialize();
    }

    // The page classes the filter names, and a page made from the first.
    void createNamedPage() {
        ComPtr<ISpecifyPropertyPages> pages;
        ASSERT_EQ(filterObject.query(IID_ISpecifyPropertyPages, pages), S_OK);
        CAUUID named = {};
        ASSERT_EQ(pages->GetPages(&named), S_OK);
        ASSERT_EQ(named.cElems, 1u);
        const CLSID pageClass = named.pElems[0];
        CoTaskMemFree(named.pElems);
        EXPECT_TRUE(IsEqualCLSID(pageClass, kClsidQucapsyfProperties));
        ComPtr<IClassFactory> factory;
        ASSERT_EQ(module->getClassObject()(pageClass, IID_IClassFactory, factory.putVoid()), S_OK);
        ASSERT_EQ(factory->CreateInstance(nullptr, IID_IPropertyPage, reinterpret_cast<void**>(&page)), S_OK);
    }

    const std::u16string project = folder / u"字幕.mcc";
    const std::u16string caption = folder / u"字幕情報.csv";
    std::unique_ptr<LoadedFilterModule> module;
    ComPtr<IBaseFilter> filterObject;
    ComPtr<IQucapsyf> settings;
};

TEST_F(PageOfTheModule, ShowsTheProjectsSettingsAndAppliesChangesToTheRunningFilter) {
    ASSERT_TRUE(module->loaded());
    ASSERT_TRUE(settings);
    createNamedPage();
    ASSERT_NE(page, nullptr);
    open(filterObject.get());

    const Texts faces = items(IDC_MAIN_FACE);
    ASSERT_NE(std::find(faces.begin(), faces.end(), u"IPAGothic"), faces.end());
    EXPECT_EQ(std::count(faces.begin(), faces.end(), u"ＭＳ ゴシック"), 1);
    EXPECT_EQ(text(IDC_CAPTION_PATH), caption);
    EXPECT_EQ(selected(IDC_MAIN_FACE), u"IPAGothic");
    EXPECT_EQ(selected(IDC_MAIN_SIZE), u"48");
    EXPECT_EQ(selected(IDC_RUBY_SIZE), u"24");
    EXPECT_EQ(selected(IDC_MAIN_WIDTH), u"3");  // not the project's 5: the filter has no getter
    EXPECT_EQ(selected(IDC_RUBY_WIDTH), u"1");
    EXPECT_TRUE(checked(IDC_RUBY_BETWEEN_LINES));
    EXPECT_TRUE(checked(IDC_FILL));
    EXPECT_TRUE(checked(IDC_SIDE));
    EXPECT_TRUE(checked(IDC_TIME_DISPLAY));
    EXPECT_TRUE(checked(IDC_BORDER_BLACK_BOX));
    EXPECT_FALSE(enabled(IDC_MAIN_WIDTH));
    EXPECT_FALSE(dirty());

    select(IDC_MAIN_SIZE, u"60");
    click(IDC_BORDER_SHADOW);
    EXPECT_TRUE(enabled(IDC_MAIN_WIDTH));
    ASSERT_EQ(page->Apply(), S_OK);

    int mainSize = 0, rubySize = 0, border = 0;
    settings->GetFontSizes(&mainSize, &rubySize);
    settings->GetBorderType(&border);
    EXPECT_EQ((std::vector<int>{mainSize, rubySize, border}), (std::vector<int>{60, 24, 2}));
    EXPECT_EQ(
        utf16Lines(fileBytes(project)),
        (Texts{u"[FileName]", u"InpCapName=" + caption, u"[FontName]", u"MainName=IPAGothic", u"RubyName=IPAGothic",
               u"[FontSize]", u"MainSize=60", u"RubySize=24", u"[Layout]", u"Type=2", u"Fill=1", u"Side=1",
               u"[TimeDisp]", u"Disp=1", u"[Border]", u"Type=2", u"Gradation=1", u"MainWidth=3", u"RubyWidth=1"}));
}

}  // namespace
}  // namespace qucap::test
