#include "captiondata/markup/markup.h"

#include <gtest/gtest.h>

#include "captiondata/markup/markup_check.h"

namespace qucap {
namespace {

std::u16string repeated(std::size_t count, char16_t c) { return std::u16string(count, c); }

TEST(MarkupTokens, PairsFormFromTheLeft) {
    std::vector<TokenKind> kinds;
    forEachToken(u"a$$$H$r$Rx$Z$", [&](const MarkupToken& token) { kinds.push_back(token.kind); });
    EXPECT_EQ(kinds, (std::vector<TokenKind>{TokenKind::Visible, TokenKind::Dollar, TokenKind::Effect,
                                             TokenKind::BorderColour, TokenKind::TextColour, TokenKind::Visible,
                                             TokenKind::OtherCode, TokenKind::LoneDollar}));
    EXPECT_EQ(readToken(u"$h", 0).on, false);
    EXPECT_EQ(readToken(u"$S", 0).effect, kStrikeOut);
    EXPECT_EQ(readToken(u"$x", 0).kind, TokenKind::OtherCode);  // lower case of no slot
    EXPECT_EQ(readToken(u"$a", 0).kind, TokenKind::OtherCode);
}

TEST(MarkupState, CodesOfTheStateComeInFixedOrder) {
    const FormattingState state = stateAfter(u"$S$u$Ha$R$g$U$w");
    EXPECT_EQ(state.effects, unsigned(kBold | kUnderline | kStrikeOut));
    EXPECT_EQ(state.onCodes(), u"$H$U$S");
    EXPECT_EQ(state.offCodes(), u"$h$u$s");
    EXPECT_EQ(state.colourCodes(), u"$R$w");
    EXPECT_EQ(FormattingState{}.allCodes(), u"");
    EXPECT_EQ(stateAfter(u"$R$Z$$", {kItalic, u'G', u'b'}).allCodes(), u"$I$R$b");
}

TEST(PlainText, RemovesCodesAndKeepsEscapedDollar) {
    EXPECT_EQ(plainText(u"$W$k$C字幕付加$Wシステム"), u"字幕付加システム");
    EXPECT_EQ(plainText(u"a$$b"), u"a$b");
    EXPECT_EQ(plainText(u"a$$$"), u"a$");  // the last "$" has no partner
    EXPECT_EQ(plainText(u"x$"), u"x");
    EXPECT_EQ(plainText(u"$Za$(b"), u"ab");  // invalid codes are pairs as well
    EXPECT_EQ(plainText(u""), u"");
    EXPECT_EQ(plainText(u"字幕($W$k $Cじまく$W)"), u"字幕( じまく)");
}

TEST(NormaliseBody, DropsCodesThatChangeNothing) {
    EXPECT_EQ(normaliseBodyText(u"$h$Wabc$W$Rd"), u"$Wabc$Rd");
    EXPECT_EQ(normaliseBodyText(u"$H$Hx$h$hy"), u"$Hx$hy");
    EXPECT_EQ(normaliseBodyText(u"$W$w$W$wa$k$K"), u"$W$wa$k$K");  // text and border slots apart
    EXPECT_EQ(normaliseBodyText(u"$I$i$Ia$i$U$S$s$S"), u"$I$i$Ia$i$U$S$s$S");
    EXPECT_EQ(normaliseBodyText(u"$h$i$u$s$W$ka$h$i$u$s$W$kb"), u"$W$kab");
    EXPECT_EQ(normaliseBodyText(u""), u"");
}

TEST(NormaliseBody, KeepsWhatTheChecksMustStillSee) {
    EXPECT_EQ(normaliseBodyText(u"$$$Z$Z$R$R$"), u"$$$Z$Z$R$");
    EXPECT_EQ(checkMarkup(normaliseBodyText(u"a$R$R$")), MarkupFault::TrailingDollar);
    EXPECT_EQ(checkMarkup(normaliseBodyText(u"$Qa")), MarkupFault::InvalidCode);
}

TEST(NormaliseRuby, DropsCodesOutsideReadingsAndCarriesStateAcrossThem) {
    EXPECT_EQ(normaliseRubyText(u"漢$R字(か$Rん$R)"), u"漢字(か$Rん)");
    EXPECT_EQ(normaliseRubyText(u"a($Rb)c($Rd$H)e$H$Zf"), u"a($Rb)c(d$H)ef");
    EXPECT_EQ(normaliseRubyText(u"$$a($Zb)"), u"$$a($Zb)");
}

TEST(NormaliseRuby, OddParenthesesAreCharacters) {
    EXPECT_EQ(normaliseRubyText(u")$Ra($Rb"), u")a($Rb");     // ")" before "(" opens nothing
    EXPECT_EQ(normaliseRubyText(u"(($Ra))$Rb"), u"(($Ra))b");  // the inner "(" is part of the reading
    EXPECT_EQ(normaliseRubyText(u"a$R("), u"a(");
}

TEST(NormaliseRuby, PiecesAppendedOneByOneGiveTheWholeResult) {
    const std::u16string whole = u"漢$H字($R$Hか$Hん)x($Rい$h)";
    MarkupNormaliser piecewise(TextKind::Ruby);
    forEachToken(whole, [&](const MarkupToken& token) { piecewise.append(token.text); });
    EXPECT_EQ(piecewise.text(), normaliseRubyText(whole));
}

TEST(RubyGroups, FramesEveryReading) {
    // The sample row's ruby, carried white text and black border from its body.
    const std::u16string sample = u"字幕($W$k $Cじまく$W)付加(  $Cふか$W)";
    EXPECT_EQ(formatRubyGroups(sample, {0, u'W', u'k'}), u"字幕($W$k$W$k $Cじまく$W$W$k)付加($W$k  $Cふか$W$W$k)");
    EXPECT_EQ(normaliseBodyText(formatRubyGroups(sample, {0, u'W', u'k'})), sample);

    EXPECT_EQ(formatRubyGroups(u"字(じ)", {kBold, u'R', u'r'}), u"字($H$R$rじ$h$W$k)");
    EXPECT_EQ(formatRubyGroups(u"漢$R字(かんじ)", {}), u"漢字(かんじ$W$k)");
    EXPECT_EQ(formatRubyGroups(u"", {kBold, u'R', u'r'}), u"");
}

TEST(RubyGroups, EachReadingStartsAsThePreviousOneEnded) {
    // The group start takes the effects on and the last colour codes of the
    // result, including the "$W$k" that closed the group before.
    EXPECT_EQ(formatRubyGroups(u"a($H$Gb)c(d)e(f)", {}),
              u"a($H$Gb$h$W$k)c($H$Gd$h$W$k)e($H$G$kf$h$W$k)");
    EXPECT_EQ(formatRubyGroups(u"a(b)c(d)e(f)", {}), u"a(b$W$k)c(d$W$k)e($W$kf$W$k)");
    // The carried state serves the first group only.
    EXPECT_EQ(formatRubyGroups(u"a($hb)c(d)", {kBold | kItalic, 0, 0}),
              u"a($H$I$hb$i$W$k)c($Id$i$W$k)");
}

TEST(RubyGroups, OddParenthesesNeverCrash) {
    EXPECT_EQ(formatRubyGroups(u")a$R(b", {}), u")a(b");              // stray ")" copied, group left open
    EXPECT_EQ(formatRubyGroups(u"((x))", {}), u"((x$W$k))");           // inner "(" belongs to the reading
    EXPECT_EQ(formatRubyGroups(u"a(", {kUnderline, u'C', 0}), u"a($U$C");
    EXPECT_EQ(formatRubyGroups(u"a($Rb$", {}), u"a($Rb$");             // lone "$" stays at the end
    EXPECT_EQ(formatRubyGroups(u"a(b$)c)", {}), u"a(b$)c$W$k)");       // "$)" is a pair, not a close
    EXPECT_EQ(formatRubyGroups(u"a$$(b)", {}), u"a$$(b$W$k)");
}

TEST(RubyGroups, ParenthesisStopsWithin14OfTheCeiling) {
    const std::u16string base1009 = repeated(1009, u'a');
    // At 1009 characters "(" is still copied, at 1010 the ")" is not.
    EXPECT_EQ(formatRubyGroups(base1009 + u"(x)y", {}), base1009 + u"(x");
    EXPECT_EQ(formatRubyGroups(base1009 + u"a(x)", {}), base1009 + u"a");
    // A closing at 1009 may still add its 13 characters.
    const std::u16string group = u"(" + repeated(996, u'b') + u"$H$U$S";
    const std::u16string closed = formatRubyGroups(group + u")z", {kItalic, u'R', u'r'});
    EXPECT_EQ(closed, u"($I$R$r" + repeated(996, u'b') + u"$H$U$S$h$i$u$s$W$k)");
    EXPECT_EQ(closed.size(), 1022u);
}

TEST(RubyGroups, OtherCharactersStopWithin2OfTheCeiling) {
    const std::u16string longReading = formatRubyGroups(u"(" + repeated(2000, u'a') + u")", {});
    EXPECT_EQ(longReading, u"(" + repeated(1021, u'a'));
    // A pair is never split: "$$" at 1021 fits, at 1022 nothing more is taken.
    EXPECT_EQ(formatRubyGroups(u"(" + repeated(1020, u'a') + u"$$b", {}), u"(" + repeated(1020, u'a') + u"$$");
    EXPECT_EQ(formatRubyGroups(u"(" + repeated(1021, u'a') + u"$Rb", {}), u"(" + repeated(1021, u'a'));
    EXPECT_EQ(formatRubyGroups(repeated(2000, u'a'), {}).size(), 1022u);
}

TEST(Markup, LongAndUnbalancedTextsStayInBounds) {
    std::u16string noise;
    for (int i = 0; i < 2000; ++i) noise += u"$(H)$R"[i % 6];
    for (const std::u16string& text : {noise, repeated(2000, u'$'), repeated(2000, u'('), repeated(2000, u')'),
                                       u"(" + repeated(1999, u'$')}) {
        EXPECT_LE(formatRubyGroups(text, {kBold | kItalic | kUnderline | kStrikeOut, u'R', u'r'}).size(), 1023u);
        EXPECT_EQ(plainText(normaliseBodyText(text)), plainText(text));
        EXPECT_EQ(plainText(normaliseRubyText(text)), plainText(text));
    }
}

}  // namespace
}  // namespace qucap
