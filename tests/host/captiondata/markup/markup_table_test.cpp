#include "captiondata/markup/table_normalise.h"

#include <gtest/gtest.h>

#include "captiondata/caption/caption_file.h"
#include "captiondata/markup/markup_check.h"

namespace qucap {
namespace {

using Texts = std::array<std::u16string, kTextCount>;

CaptionRow row(int32_t number, std::u16string_view orientation, Texts texts) {
    CaptionRow r;
    r.number = number;
    r.orientation = orientation;
    r.texts = std::move(texts);
    return r;
}

Texts normalised(Texts texts) {
    CaptionTable table{row(1, kHorizontal, std::move(texts))};
    normaliseCaptionTable(table);
    return table[0].texts;
}

TEST(TableNormalise, EffectsPassBetweenRowsAndColoursWithinARow) {
    CaptionTable table{row(1, kHorizontal, {u"$Hab$Rc", u"", u"d", u""}),
                       row(2, kHorizontal, {u"e", u"", u"", u""})};
    normaliseCaptionTable(table);
    EXPECT_EQ(table[0].texts, (Texts{u"$Hab$Rc$h", u"", u"$H$Rd$h", u""}));
    EXPECT_EQ(table[1].texts, (Texts{u"$He$h", u"", u"", u""}));
}

TEST(TableNormalise, BorderColoursStayInTheirRow) {
    CaptionTable table{row(1, kHorizontal, {u"$r$Ga", u"", u"b", u""}),
                       row(2, kHorizontal, {u"c", u"", u"", u""})};
    normaliseCaptionTable(table);
    EXPECT_EQ(table[0].texts[2], u"$G$rb");
    EXPECT_EQ(table[1].texts[0], u"c");
}

TEST(TableNormalise, ChangeOfOrientationDropsCarriedEffects) {
    CaptionTable table{row(1, kHorizontal, {u"$Ha", u"", u"", u""}),
                       row(2, kVertical, {u"b$I", u"", u"", u""}),
                       row(3, kVertical, {u"c", u"", u"", u""}),
                       row(4, kHorizontal, {u"d", u"", u"", u""})};
    normaliseCaptionTable(table);
    EXPECT_EQ(table[0].texts[0], u"$Ha$h");
    EXPECT_EQ(table[1].texts[0], u"b$I$i");
    EXPECT_EQ(table[2].texts[0], u"$Ic$i");
    EXPECT_EQ(table[3].texts[0], u"d");
}

TEST(TableNormalise, EmptySlotsAndEmptyTextsAreSkipped) {
    CaptionTable table{row(1, kHorizontal, {u"$Ha", u"", u"", u""}),
                       row(0, kVertical, {u"$H$Hx", u"", u"", u""}),
                       row(-3, kVertical, {u"y", u"", u"", u""}),
                       row(2, kHorizontal, {u"", u"", u"b", u""})};
    normaliseCaptionTable(table);
    EXPECT_EQ(table[1].texts[0], u"$H$Hx");  // untouched, and its orientation does not count
    EXPECT_EQ(table[2].texts[0], u"y");
    EXPECT_EQ(table[3].texts, (Texts{u"", u"", u"$Hb$h", u""}));
}

TEST(TableNormalise, RubyTakesTheCarriedStateWithoutChangingIt) {
    EXPECT_EQ(normalised({u"$H$Ra", u"あ$K(い)", u"b", u"(う$I)"}),
              (Texts{u"$H$Ra$h", u"あ($H$Rい$h$W$k)", u"$H$Rb$h", u"($H$Rう$I$h$i$W$k)"}));
    CaptionTable table{row(1, kHorizontal, {u"$Hx", u"", u"", u""}), row(2, kHorizontal, {u"", u"(a)", u"", u""})};
    normaliseCaptionTable(table);
    EXPECT_EQ(table[1].texts[1], u"($Ha$h$W$k)");
}

TEST(TableNormalise, SampleRowIsAlreadyNormal) {
    const Texts sample{u"$W$kカブレン", u"", u"$W$k$C字幕付加$Wシステム", u"字幕($W$k $Cじまく$W)付加(  $Cふか$W)"};
    EXPECT_EQ(normalised(sample), sample);
    EXPECT_NE(kCaptionSampleRow.find(sample[3]), std::u16string_view::npos);
}

TEST(TableNormalise, LongBodyLeavesTheRestOfItsRowAsRead) {
    const std::u16string body1001 = u"$H" + std::u16string(999, u'a');
    const std::u16string body1002 = u"$I" + std::u16string(1000, u'b');
    CaptionTable table{row(1, kHorizontal, {body1001, u"", u"", u""}),
                       row(2, kHorizontal, {body1002, u"$R(x)", u"$R$Rc", u""}),
                       row(3, kHorizontal, {u"$Ux", u"", body1002, u"(a)"}),
                       row(4, kHorizontal, {u"d", u"", u"", u""})};
    normaliseCaptionTable(table);
    EXPECT_EQ(table[0].texts[0], body1001 + u"$h");
    EXPECT_EQ(table[1].texts, (Texts{body1002, u"$R(x)", u"$R$Rc", u""}));
    EXPECT_EQ(table[2].texts, (Texts{u"$H$Ux$h$u", u"", body1002, u"(a)"}));
    EXPECT_EQ(table[3].texts[0], u"$H$Ud$h$u");
}

TEST(TableNormalise, LoneDollarStaysAtTheEnd) {
    CaptionTable table{row(1, kHorizontal, {u"$Ha$", u"", u"", u""}), row(2, kHorizontal, {u"b", u"", u"", u""})};
    normaliseCaptionTable(table);
    EXPECT_EQ(table[0].texts[0], u"$Ha$h$");
    EXPECT_EQ(checkMarkup(table[0].texts[0]), MarkupFault::TrailingDollar);
    EXPECT_EQ(table[1].texts[0], u"$Hb$h");
}

TEST(TableNormalise, KeepsInvalidCodesForTheChecks) {
    const Texts texts = normalised({u"$Za", u"b($Q)", u"", u""});
    EXPECT_EQ(texts[0], u"$Za");
    EXPECT_EQ(texts[1], u"b($Q$W$k)");
}

TEST(TableNormalise, OddTextsStayWithinACaptionText) {
    const std::u16string noise = [] {
        std::u16string text;
        for (int i = 0; i < 1023; ++i) text += u"($H)$$R("[i % 8];
        return text;
    }();
    CaptionTable table;
    for (int n = 1; n <= 6; ++n)
        table.push_back(row(n, n % 3 ? kHorizontal : kVertical,
                            {std::u16string(1001, u'$'), noise, u")(" + noise.substr(2), std::u16string(1023, u'(')}));
    normaliseCaptionTable(table);
    for (const CaptionRow& r : table)
        for (const std::u16string& text : r.texts) EXPECT_LE(text.size(), 1023u);
}

}  // namespace
}  // namespace qucap
