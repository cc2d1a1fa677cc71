#include "app/core/display_items/display_items.h"

#include <gtest/gtest.h>

namespace qucap {
namespace {

using V = std::vector<std::u16string>;

TEST(DisplayItemsTest, SourceNamesOfEachKindInTableOrder) {
    const V fonts{u"ＭＳ ゴシック", u"ＭＳ 明朝"};
    EncoderTables encoders;
    encoders.videoCompressors = {u"Cinepak Codec by Radius", u"Microsoft Video 1"};
    encoders.videoEncoderFilters = {u"DV Video Encoder"};
    encoders.audioCompressors = {u"PCM"};
    encoders.audioEncoderFilters = {u"WM Speech Encoder DMO", u"MP3 Encoder"};
    EXPECT_EQ(displayListSourceNames(DisplayListKind::Fonts, fonts, encoders), fonts);
    EXPECT_EQ(displayListSourceNames(DisplayListKind::VideoEncoders, fonts, encoders),
              (V{u"Cinepak Codec by Radius", u"Microsoft Video 1", u"DV Video Encoder"}));
    EXPECT_EQ(displayListSourceNames(DisplayListKind::AudioEncoders, fonts, encoders),
              (V{u"PCM", u"WM Speech Encoder DMO", u"MP3 Encoder"}));
    EXPECT_TRUE(displayListSourceNames(DisplayListKind::VideoEncoders, fonts, EncoderTables{}).empty());
}

TEST(DisplayItemsTest, CheckedNamesKeepListOrderAndDuplicates) {
    EXPECT_EQ(checkedNames({{u"c", true}, {u"a", false}, {u"b", true}, {u"c", true}}), (V{u"c", u"b", u"c"}));
    EXPECT_TRUE(checkedNames({{u"a", false}, {u"b", false}}).empty());
    EXPECT_TRUE(checkedNames({}).empty());
}

TEST(DisplayItemsTest, NamesNotOfferedNowStayAfterTheCheckedOnesInTheirOldOrder) {
    const std::vector<DisplayItem> offered = {{u"IPAGothic", true}, {u"IPAMincho", false}, {u"Meiryo", true}};
    // "未導入" and "外した" are not installed now; an unchecked installed name goes.
    EXPECT_EQ(keptNames(offered, {u"未導入", u"IPAMincho", u"Meiryo", u"外した"}),
              (V{u"IPAGothic", u"Meiryo", u"未導入", u"外した"}));
    EXPECT_EQ(keptNames(offered, {}), (V{u"IPAGothic", u"Meiryo"}));
    EXPECT_EQ(keptNames({}, {u"a", u"b"}), (V{u"a", u"b"})) << "nothing installed: the list is kept whole";
}

TEST(DisplayItemsTest, FirstCheckedRadioGivesTheKindElseTheCurrentOneStays) {
    EXPECT_EQ(firstCheckedKind({false, true, false}, DisplayListKind::Fonts), DisplayListKind::VideoEncoders);
    EXPECT_EQ(firstCheckedKind({false, false, true}, DisplayListKind::Fonts), DisplayListKind::AudioEncoders);
    EXPECT_EQ(firstCheckedKind({true, false, true}, DisplayListKind::AudioEncoders), DisplayListKind::Fonts);
    EXPECT_EQ(firstCheckedKind({false, false, false}, DisplayListKind::VideoEncoders), DisplayListKind::VideoEncoders);
}

}  // namespace
}  // namespace qucap
