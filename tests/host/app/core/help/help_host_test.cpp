#include "app/core/help/help_host.h"

#include <gtest/gtest.h>

#include <string>

namespace qucap {
namespace {

TEST(HelpHost, EachTabIndexNamesItsTemplateAndCaption) {
    const struct {
        int index;
        int dialogId;
        std::u16string caption;
    } expected[] = {
        {1, 104, u"ファイル選択ヘルプ"}, {2, 106, u"フォント設定ヘルプ"}, {3, 109, u"字幕作成ヘルプ"},
        {4, 112, u"表示位置ヘルプ"},     {5, 118, u"タイムラインヘルプ"}, {6, 115, u"字幕合成ヘルプ"},
    };
    for (const auto& page : expected) {
        const HelpPage* found = helpPage(page.index);
        ASSERT_NE(found, nullptr) << page.index;
        EXPECT_EQ(found->index, page.index);
        EXPECT_EQ(found->dialogId, page.dialogId) << page.index;
        EXPECT_EQ(std::u16string(found->caption), page.caption) << page.index;
    }
    EXPECT_EQ(helpPage(0), nullptr);
    EXPECT_EQ(helpPage(7), nullptr);
    EXPECT_EQ(helpPage(-1), nullptr);
}

TEST(HelpHost, StepIsATenthOfTheHiddenPartPlusFive) {
    EXPECT_EQ(helpScrollStep(900, 400), 55);  // 500 / 10 + 5
    EXPECT_EQ(helpScrollStep(900, 899), 5);   // 1 / 10 + 5
    EXPECT_EQ(helpScrollStep(409, 400), 5);
    EXPECT_EQ(helpScrollStep(410, 400), 6);
    EXPECT_EQ(helpScrollStep(900, 0), 95);
}

TEST(HelpHost, AWindowAsLargeAsOrLargerThanItsPageGivesStepsZero) {
    EXPECT_EQ(helpScrollStep(400, 400), 0);
    EXPECT_EQ(helpScrollStep(400, 1000), 0);
    const HelpScrollState scrolled{400, 900, -9, -9};
    EXPECT_EQ(layoutHelpPage(scrolled, 500, 1000), (HelpPageLayout{0, 0, 0, 0}));
}

TEST(HelpHost, LayoutMovesThePageByPositionTimesStep) {
    const HelpScrollState state{400, 900, -2, -3};
    EXPECT_EQ(layoutHelpPage(state, 300, 400), (HelpPageLayout{15, 55, -30, -165}));
    // Only the axis that does not fit moves.
    EXPECT_EQ(layoutHelpPage(state, 500, 400), (HelpPageLayout{0, 55, 0, -165}));
    EXPECT_EQ(helpPageOffset(-9, 55), -495);
    EXPECT_EQ(helpPageOffset(0, 55), 0);
}

TEST(HelpHost, LinesMoveByOnePagesByTwoWithinNineSteps) {
    EXPECT_EQ(nextHelpScrollPosition(0, kScrollLineForward, 0), -1);
    EXPECT_EQ(nextHelpScrollPosition(-1, kScrollLineBack, 0), 0);
    EXPECT_EQ(nextHelpScrollPosition(-4, kScrollPageForward, 0), -6);
    EXPECT_EQ(nextHelpScrollPosition(-4, kScrollPageBack, 0), -2);
    // Kept within -9 to 0.
    EXPECT_EQ(nextHelpScrollPosition(0, kScrollLineBack, 0), 0);
    EXPECT_EQ(nextHelpScrollPosition(-1, kScrollPageBack, 0), 0);
    EXPECT_EQ(nextHelpScrollPosition(-9, kScrollLineForward, 0), -9);
    EXPECT_EQ(nextHelpScrollPosition(-8, kScrollPageForward, 0), -9);
}

TEST(HelpHost, ThumbTrackingTakesMinusTheTrackedValue) {
    EXPECT_EQ(nextHelpScrollPosition(0, kScrollThumbTrack, 4), -4);
    EXPECT_EQ(nextHelpScrollPosition(-7, kScrollThumbTrack, 0), 0);
    EXPECT_EQ(nextHelpScrollPosition(0, kScrollThumbTrack, 9), -9);
    EXPECT_EQ(nextHelpScrollPosition(0, kScrollThumbTrack, 12), -9);
    EXPECT_EQ(nextHelpScrollPosition(-3, kScrollThumbTrack, -2), 0);
}

TEST(HelpHost, OtherScrollCodesDoNothing) {
    for (int code : {4, 6, 7, 8, 9, -1})
        EXPECT_EQ(nextHelpScrollPosition(-3, code, 5), std::nullopt) << code;
}

}  // namespace
}  // namespace qucap
