#include "app/core/media/filter_registration.h"

#include <gtest/gtest.h>

#include "tests/support/test_io.h"

namespace qucap {
namespace {

using test::TestIo;

TEST(FilterRegistrationTest, ToolPathAddsOneBackslash) {
    EXPECT_EQ(registrationToolPath(u"C:\\windows\\system32"), u"C:\\windows\\system32\\regsvr32.exe");
    EXPECT_EQ(registrationToolPath(u"C:\\windows\\system32\\"), u"C:\\windows\\system32\\regsvr32.exe");
}

TEST(FilterRegistrationTest, ParametersQuoteTheModule) {
    EXPECT_EQ(registrationParameters(RegistrationAction::Register, u"C:\\Program Files\\Qucap\\Qucapsyf.ax"),
              u"/s \"C:\\Program Files\\Qucap\\Qucapsyf.ax\"");
    EXPECT_EQ(registrationParameters(RegistrationAction::Unregister, u"C:\\Qucap\\Qucapsyf.ax"),
              u"/u /s \"C:\\Qucap\\Qucapsyf.ax\"");
}

struct RegistrationFilesTest : ::testing::Test {
    TestIo t;
    const std::u16string module = u"C:\\Qucap\\Qucapsyf.ax";
    const std::u16string tool = u"C:\\windows\\system32\\regsvr32.exe";
    RegistrationFilesTest() {
        t.files.addDirectory(u"C:\\Qucap");
        t.files.addDirectory(u"C:\\windows\\system32");
    }
};

TEST_F(RegistrationFilesTest, BothPresentPassQuietly) {
    t.files.addFile(module, "MZ");
    t.files.addFile(tool, "MZ");
    EXPECT_EQ(checkRegistrationFiles(t.io, module, tool), 0);
    EXPECT_TRUE(t.ui.messages.empty());
}

TEST_F(RegistrationFilesTest, MissingModuleIsTheOnlyMessage) {
    EXPECT_EQ(checkRegistrationFiles(t.io, module, tool), -1);
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(t.ui.messages[0].text, u"カブレン字幕合成フィルタが見つかりません");
    EXPECT_EQ(t.ui.messages[0].title, u"カブレン字幕付加システム");
    EXPECT_EQ(t.ui.messages[0].icon, MessageIcon::Warning);
}

TEST_F(RegistrationFilesTest, MissingToolOrAFolderInItsPlace) {
    t.files.addFile(module, "MZ");
    EXPECT_EQ(checkRegistrationFiles(t.io, module, tool), -1);
    t.files.addDirectory(tool);
    EXPECT_EQ(checkRegistrationFiles(t.io, module, tool), -1);
    ASSERT_EQ(t.ui.messages.size(), 2u);
    EXPECT_EQ(t.ui.messages[0].text, u"regsvr32.exeが見つかりません");
    EXPECT_EQ(t.ui.messages[1].text, u"regsvr32.exeが見つかりません");
}

TEST(GraphFilterListTest, EachNameOnItsOwnLine) {
    EXPECT_EQ(graphFilterListText({u"Source Filter", u"AVI Splitter", u"Video Renderer", u"Default DirectSound Device"}),
              u"登録されているフィルタ\nSource Filter\nAVI Splitter\nVideo Renderer\nDefault DirectSound Device\n");
    EXPECT_EQ(graphFilterListText({}), u"登録されているフィルタ\n");
}

TEST(GraphFilterListTest, CutAtTwoHundredFiftyFiveCharacters) {
    std::vector<std::u16string> names(40, u"Filter number");  // 14 characters a line
    const std::u16string text = graphFilterListText(names);
    ASSERT_EQ(text.size(), 255u);
    const std::u16string whole = u"登録されているフィルタ\n" + std::u16string(u"Filter number\n");
    EXPECT_EQ(text.substr(0, whole.size()), whole);
    // 12 heading characters + 17 full lines = 250; the 18th line is cut after 5.
    EXPECT_EQ(text.substr(250), u"Filte");

    // A cut that would split a surrogate pair stops before the pair.
    const std::u16string cut = graphFilterListText({std::u16string(242, u'a') + u"\U00020B9F"});
    EXPECT_EQ(cut, u"登録されているフィルタ\n" + std::u16string(242, u'a'));
}

}  // namespace
}  // namespace qucap
