#include "captiondata/markup/rich_format.h"

#include <gtest/gtest.h>

#include "captiondata/text/u16.h"

namespace qucap {
namespace {

constexpr Rgb kRed{255, 0, 0}, kWhite{255, 255, 255}, kBlack{0, 0, 0}, kCyan{0, 255, 255};

// An editor line of the given characters, all in one format.
std::vector<EditorCharacter> line(std::u16string_view characters, CharFormat format = {0, kWhite},
                                  std::optional<Rgb> border = kBlack) {
    std::vector<EditorCharacter> result;
    for (char16_t c : characters) result.push_back({c, format, border});
    return result;
}

// What the tab reads back after showing a marked-up text.
std::vector<EditorCharacter> shown(std::u16string_view marked) {
    const std::u16string plain = plainText(marked);
    const auto formats = textControlFormats(marked);
    const auto borders = borderControlColours(marked);
    std::vector<EditorCharacter> result;
    for (std::size_t i = 0; i < plain.size(); ++i) result.push_back({plain[i], formats[i], borders[i]});
    return result;
}

TEST(EditorColours, EveryShadeMapsToTheSlotOfItsChannels) {
    const std::pair<Rgb, char16_t> cases[] = {
        {{0, 0, 0}, u'K'},    {{128, 0, 0}, u'R'},   {{0, 1, 0}, u'G'},     {{0, 0, 9}, u'B'},
        {{1, 1, 0}, u'Y'},    {{200, 0, 3}, u'M'},   {{0, 7, 255}, u'C'},   {{10, 20, 30}, u'W'},
    };
    for (const auto& [colour, letter] : cases) EXPECT_EQ(colourToCode(colour), letter);
    EXPECT_EQ(colourToCode(std::nullopt), std::nullopt);
    for (const EditorColour& slot : kEditorColours) {
        EXPECT_EQ(colourToCode(slot.colour), slot.letter);
        EXPECT_EQ(editorColourOf(char16_t(slot.letter - u'A' + u'a')), slot.colour);
    }
    EXPECT_EQ(editorColourOf(u'Y'), (Rgb{255, 255, 0}));
    EXPECT_EQ(editorColourOf(u'x'), std::nullopt);
}

TEST(MarkupToEditor, TextControlGetsEffectsAndTextColours) {
    const auto formats = textControlFormats(u"a$H$r$Rb$hc$U$$$Z$Kd$");
    ASSERT_EQ(formats.size(), 5u);  // a b c $ d: the lone "$" shows nothing
    EXPECT_EQ(formats[0], (CharFormat{0, kWhite}));
    EXPECT_EQ(formats[1], (CharFormat{kBold, kRed}));
    EXPECT_EQ(formats[2], (CharFormat{0, kRed}));
    EXPECT_EQ(formats[3], (CharFormat{kUnderline, kRed}));
    EXPECT_EQ(formats[4], (CharFormat{kUnderline, kBlack}));
    EXPECT_TRUE(textControlFormats(u"").empty());
}

TEST(MarkupToEditor, BorderControlGetsBorderColoursOnly) {
    EXPECT_EQ(borderControlColours(u"a$c$R$Hb$$$kc"), (std::vector<Rgb>{kBlack, kCyan, kCyan, kBlack}));
    EXPECT_EQ(borderControlColours(u"字幕($W$k $cじ)").size(), plainText(u"字幕($W$k $cじ)").size());
}

TEST(EditorToMarkup, UniformTextStartsWithItsColoursAndNoEffectCodes) {
    EXPECT_EQ(markupFromEditor(line(u"abc", {0, kRed}), TextKind::Body), u"$R$kabc");
    EXPECT_EQ(markupFromEditor(line(u"あい", {0, Rgb{128, 0, 0}}, Rgb{10, 20, 30}), TextKind::Body), u"$R$wあい");
    EXPECT_EQ(markupFromEditor({}, TextKind::Body), u"");
    EXPECT_EQ(markupFromEditor({}, TextKind::Ruby), u"");
}

TEST(EditorToMarkup, BodyEndsWithItsEffectsOff) {
    auto chars = line(u"abc", {kBold | kStrikeOut, kWhite});
    chars[0].format.effects = kStrikeOut;
    EXPECT_EQ(markupFromEditor(chars, TextKind::Body), u"$S$W$ka$Hbc$h$s");
}

TEST(EditorToMarkup, ChangesOfColourAndAutomaticColours) {
    auto chars = line(u"abc");
    chars[1].borderColour = kRed;  // the border editor's 赤色 on one character
    EXPECT_EQ(markupFromEditor(chars, TextKind::Body), u"$W$ka$rb$kc");
    chars[1].format.colour = std::nullopt;  // automatic colour keeps the one before
    chars[2].borderColour = std::nullopt;
    EXPECT_EQ(markupFromEditor(chars, TextKind::Body), u"$W$ka$rbc");
    EXPECT_EQ(markupFromEditor(line(u"x", {0, std::nullopt}, std::nullopt), TextKind::Body), u"x");
}

TEST(EditorToMarkup, TypedDollarIsEscaped) {
    EXPECT_EQ(markupFromEditor(line(u"a$h"), TextKind::Body), u"$W$ka$$h");
    EXPECT_EQ(plainText(markupFromEditor(line(u"$$"), TextKind::Ruby)), u"$$");
}

TEST(EditorToMarkup, RubyDropsBaseFormattingAndFramesReadings) {
    EXPECT_EQ(markupFromEditor(line(u"漢字(かんじ)"), TextKind::Ruby), u"漢字($W$kかんじ)");
    auto chars = line(u"漢字(かんじ)文字(もじ)");
    chars[0].format = {kBold, kRed};     // base characters carry no codes
    chars[11].format = {kItalic, kCyan};  // "じ" of もじ
    EXPECT_EQ(markupFromEditor(chars, TextKind::Ruby), u"漢字($W$kかんじ)文字(も$I$Cじ$i$W)");
    // Each reading starts as the one before ended.
    chars[3].format = {kUnderline, kRed};  // "か"
    EXPECT_EQ(markupFromEditor(chars, TextKind::Ruby), u"漢字($U$R$kか$u$Wんじ)文字(も$I$Cじ$i$W)");
}

TEST(EditorToMarkup, StopsTakingCharactersAt1010) {
    const std::u16string white = markupFromEditor(line(std::u16string(2000, u'a')), TextKind::Body);
    EXPECT_EQ(white, u"$W$k" + std::u16string(1006, u'a'));
    const std::u16string bold = markupFromEditor(line(std::u16string(2000, u'a'), {kBold, kWhite}), TextKind::Body);
    EXPECT_EQ(bold, u"$H$W$k" + std::u16string(1004, u'a') + u"$h");
}

TEST(EditorToMarkup, ClosingOffCodesStayUnder1016) {
    constexpr unsigned kAll = kBold | kItalic | kUnderline | kStrikeOut;
    const std::u16string text = markupFromEditor(line(std::u16string(2000, u'a'), {kAll, kWhite}), TextKind::Body);
    EXPECT_EQ(text, u"$H$I$U$S$W$k" + std::u16string(998, u'a') + u"$h$i");
    // Changing formats make every character long; the last one still fits a caption text.
    std::vector<EditorCharacter> changing;
    for (int i = 0; i < 400; ++i)
        changing.push_back({u'$', {i % 2 ? kAll : 0u, i % 2 ? kRed : kWhite}, i % 2 ? kCyan : kBlack});
    const std::u16string busy = markupFromEditor(changing, TextKind::Body);
    EXPECT_GE(busy.size(), 1010u);
    EXPECT_LE(busy.size(), 1023u);
    EXPECT_LE(markupFromEditor(changing, TextKind::Ruby).size(), 1023u);
}

TEST(EditorRoundTrip, ShowingAndReadingBackKeepsTheFormatting) {
    for (std::u16string_view marked : {u"$W$k$C字幕付加$Wシステム", u"$H$Ra$I$cb$h$ic$$d$U$Se", u"$Ba$K$wb"}) {
        const std::u16string back = markupFromEditor(shown(marked), TextKind::Body);
        EXPECT_EQ(textControlFormats(back), textControlFormats(marked)) << toUtf8(marked);
        EXPECT_EQ(borderControlColours(back), borderControlColours(marked));
        EXPECT_EQ(plainText(back), plainText(marked));
    }
    const std::u16string sampleRuby = u"字幕($W$k $Cじまく$W)付加(  $Cふか$W)";
    EXPECT_EQ(markupFromEditor(shown(sampleRuby), TextKind::Ruby), sampleRuby);
}

}  // namespace
}  // namespace qucap
