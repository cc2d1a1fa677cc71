#include "app/core/display_items/display_list.h"

#include <gtest/gtest.h>

#include "tests/support/test_io.h"

namespace qucap {
namespace {

using test::TestIo;
using V = std::vector<std::u16string>;

constexpr std::u16string_view kFolder = u"C:\\Qucap";

struct DisplayListTest : ::testing::Test {
    TestIo t;
    DisplayLists lists{std::u16string(kFolder)};
    DisplayListTest() { t.files.addDirectory(kFolder); }
};

TEST_F(DisplayListTest, FirstLoadCreatesTheFileWithEverySourceName) {
    lists.load(t.io, DisplayListKind::Fonts, {u"ＭＳ ゴシック", u"@ＭＳ ゴシック"});
    EXPECT_EQ(t.files.contents(u"C:\\Qucap\\DispFontNameList.txt"), test::utf16File({u"ＭＳ ゴシック", u"@ＭＳ ゴシック"}));
    EXPECT_TRUE(lists.isListed(DisplayListKind::Fonts, u"ＭＳ ゴシック"));
    EXPECT_FALSE(lists.isListed(DisplayListKind::Fonts, u"ｍｓ ゴシック"));
    EXPECT_FALSE(lists.isListed(DisplayListKind::VideoEncoders, u"ＭＳ ゴシック"));
}

TEST_F(DisplayListTest, ExistingFileIsReadAsItStands) {
    t.files.addFile(u"C:\\Qucap\\DispVideoEncList.txt", "Cinepak Codec\r\nDV Video Encoder\r\n");  // 8-bit, no mark
    lists.load(t.io, DisplayListKind::VideoEncoders, {u"other"});
    EXPECT_EQ(lists.names(DisplayListKind::VideoEncoders), (V{u"Cinepak Codec", u"DV Video Encoder"}));
    EXPECT_FALSE(lists.isListed(DisplayListKind::VideoEncoders, u"other"));
}

TEST_F(DisplayListTest, SavingWritesOnlyTheChosenNamesAndReloads) {
    lists.load(t.io, DisplayListKind::AudioEncoders, {u"a", u"b"});
    ASSERT_EQ(lists.save(t.io, DisplayListKind::AudioEncoders, {}), 0);
    EXPECT_EQ(t.files.contents(u"C:\\Qucap\\DispAudioEncList.txt"), "\xFF\xFE");
    EXPECT_TRUE(lists.names(DisplayListKind::AudioEncoders).empty());
}

TEST_F(DisplayListTest, FailuresKeepTheTableAndSayWhatFailed) {
    lists.load(t.io, DisplayListKind::Fonts, {u"a"});
    t.files.failReading(lists.path(DisplayListKind::Fonts), ReadStatus::SizeFailed);
    lists.load(t.io, DisplayListKind::Fonts, {});
    t.files.failWriting(lists.path(DisplayListKind::Fonts));
    EXPECT_EQ(lists.save(t.io, DisplayListKind::Fonts, {u"b"}), -1);
    EXPECT_EQ(lists.names(DisplayListKind::Fonts), (V{u"a"}));
    ASSERT_EQ(t.ui.messages.size(), 2u);
    EXPECT_EQ(t.ui.messages[0].text, u"リスト表示ファイルのサイズ取得に失敗しました");
    EXPECT_EQ(t.ui.messages[1].text, u"リスト表示ファイルの書き込みに失敗しました");
    EXPECT_EQ(t.ui.messages[1].title, u"カブレン字幕付加システム");
}

TEST_F(DisplayListTest, CreationFailureLoadsNothingSilently) {
    t.files.failWriting(lists.path(DisplayListKind::Fonts));
    lists.load(t.io, DisplayListKind::Fonts, {u"a"});
    EXPECT_TRUE(lists.names(DisplayListKind::Fonts).empty());
    EXPECT_TRUE(t.ui.messages.empty());
}

TEST(DisplayListFormat, LinesSubAndLongNames) {
    EXPECT_EQ(parseDisplayList(u"a\r\nb\r\n\x1A"), (V{u"a", u"b"}));
    EXPECT_EQ(parseDisplayList(u"a\r\nb\x1A" u"c\r\n"), (V{u"a", u"b"}));
    EXPECT_EQ(parseDisplayList(u"a\nb"), (V{u"a", u"b"}));
    EXPECT_EQ(parseDisplayList(std::u16string(70, u'x') + u"\r\n")[0].size(), 63u);
}

}  // namespace
}  // namespace qucap
