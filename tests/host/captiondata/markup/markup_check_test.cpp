#include "captiondata/markup/markup_check.h"

#include <gtest/gtest.h>

namespace qucap {
namespace {

TEST(MarkupCheck, AcceptsEveryCodeOfTheGrammar) {
    for (char16_t c : std::u16string_view(u"$HhIiUuSsRGBYMCKWrgbymckw")) {
        EXPECT_TRUE(isCodeCharacter(c));
        EXPECT_EQ(checkMarkup(std::u16string{u'a', u'$', c, u'b'}), MarkupFault::None);
    }
    EXPECT_EQ(checkMarkup(u""), MarkupFault::None);
    EXPECT_EQ(checkMarkup(u"字幕($W$k $Cじまく$W)付加(  $Cふか$W)"), MarkupFault::None);
    EXPECT_EQ(checkMarkup(u"a$$"), MarkupFault::None);
    EXPECT_EQ(checkMarkup(u"$$$$"), MarkupFault::None);
}

TEST(MarkupCheck, RejectsLettersOutsideTheSet) {
    for (char16_t c : std::u16string_view(u"AaXxZz(0 $字")) {
        if (c == u'$') continue;
        EXPECT_FALSE(isCodeCharacter(c));
        EXPECT_EQ(checkMarkup(std::u16string{u'$', c, u'b'}), MarkupFault::InvalidCode);
    }
    EXPECT_EQ(checkMarkup(u"$$A"), MarkupFault::None);  // "$$" then a visible A
    EXPECT_EQ(checkMarkup(u"$R$Qx$Z"), MarkupFault::InvalidCode);
}

TEST(MarkupCheck, UnpairedDollarAtTheEndComesFirst) {
    EXPECT_EQ(checkMarkup(u"$"), MarkupFault::TrailingDollar);
    EXPECT_EQ(checkMarkup(u"a$"), MarkupFault::TrailingDollar);
    EXPECT_EQ(checkMarkup(u"a$$$"), MarkupFault::TrailingDollar);  // pairs form from the left
    EXPECT_EQ(checkMarkup(u"$Qa$"), MarkupFault::TrailingDollar);
    EXPECT_EQ(checkMarkup(u"a$$$$"), MarkupFault::None);
}

}  // namespace
}  // namespace qucap
