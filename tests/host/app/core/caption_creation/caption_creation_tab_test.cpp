#include "app/core/caption_creation/caption_tab.h"

#include <gtest/gtest.h>

#include <map>

#include "captiondata/markup/rich_format.h"

namespace qucap {
namespace {

constexpr PlayState kAllStates[] = {PlayState::NoMedia, PlayState::Playing, PlayState::Paused,
                                    PlayState::Stopped, PlayState::Synthesizing, PlayState::SynthesisDone};

// The enabling of one control in the six states, as a string of 0 and 1.
std::string row(int id, bool rowSelected, EditorKind focused) {
    std::string cells;
    for (PlayState state : kAllStates) {
        int found = -1;
        for (const ControlEnabling& control : captionTabControlStates({state, rowSelected, focused}))
            if (control.id == id) found = control.enabled;
        EXPECT_NE(found, -1) << id;
        cells += found == 1 ? '1' : '0';
    }
    return cells;
}

TEST(ShellCaptionTab, ControlsFollowThePlayStateTheSelectionAndTheLastFocusedEditor) {
    struct Case {
        int id;
        bool rowSelected;
        EditorKind focused;
        const char* cells;  // NoMedia Playing Paused Stopped Synthesizing SynthesisDone
    };
    const Case cases[] = {
        {1069, true, EditorKind::None, "101111"},   {1069, false, EditorKind::Text, "000000"},
        {1084, true, EditorKind::Border, "101111"}, {1085, true, EditorKind::Text, "101111"},
        {1085, true, EditorKind::Border, "000000"}, {1085, true, EditorKind::None, "000000"},
        {1091, true, EditorKind::Border, "101111"}, {1098, false, EditorKind::Text, "000000"},
        {1001, false, EditorKind::None, "100101"},  {1005, false, EditorKind::None, "101011"},
        {1006, false, EditorKind::None, "100111"},  {1007, false, EditorKind::None, "000000"},
        {1007, true, EditorKind::None, "100111"},   {1008, true, EditorKind::None, "100111"},
        {1400, true, EditorKind::None, "101111"},   {1400, false, EditorKind::Text, "000000"},
    };
    for (const Case& c : cases) EXPECT_EQ(row(c.id, c.rowSelected, c.focused), c.cells) << c.id;
    // 18 editor controls, 4 boxes, 8 radios, 6 buttons.
    EXPECT_EQ(captionTabControlStates({}).size(), 36u);
}

TEST(ShellCaptionTab, TablesFindTheirControls) {
    EXPECT_EQ(editorPairOfText(1078)->textIndex, Line2Body);
    EXPECT_EQ(editorPairOfBorder(1075)->text, 1073);
    EXPECT_EQ(editorPairOfText(1071), nullptr);
    EXPECT_EQ(effectBoxOf(1087)->bit, kUnderline);
    EXPECT_EQ(effectBoxOf(1089), nullptr);
    EXPECT_EQ(colourRadioOf(1095)->letter, u'M');
    EXPECT_EQ(colourRadioOfLetter(u'k'), 1097);
    EXPECT_EQ(colourRadioOfLetter(u'W'), 1098);
    EXPECT_EQ(colourRadioOfLetter(u'X'), 0);
}

TEST(ShellCaptionTab, AnEffectBoxIsMixedWhenTheSelectionDisagrees) {
    EXPECT_EQ(effectBoxState(kBold, kBold | kItalic, kBold), BoxState::Checked);
    EXPECT_EQ(effectBoxState(kItalic, kBold | kItalic, kBold), BoxState::Unchecked);
    EXPECT_EQ(effectBoxState(kBold, kItalic, kItalic), BoxState::Mixed);
}

TEST(ShellCaptionTab, RepeatStartsTheRewindBeforeTheRowOrTheCurrentTime) {
    EXPECT_EQ(repeatStart(10'000, 99'000, 3), 70'000'000);  // 7 s in 100-ns units
    EXPECT_EQ(repeatStart(2'000, 99'000, 3), 10'000);       // never before 1 ms
    EXPECT_EQ(repeatStart(0, 5'000, 3), 20'000'000);        // a row at 0: from the current time
    EXPECT_EQ(repeatStart(0, 0, 0), 10'000);
}

TEST(ShellCaptionTab, TypedAndPastedTextStaysWithinTheEditorLimit) {
    EXPECT_EQ(editorLimitFor(10), 255u);
    EXPECT_EQ(editorLimitFor(300), 300u);
    EXPECT_EQ(firstLineOf(u"一行目\r\n二行目"), u"一行目");
    EXPECT_EQ(firstLineOf(u"改行なし"), u"改行なし");
    const CaptionEditorPair& ruby = kCaptionEditors[1];
    EXPECT_FALSE(pasteRefusal(ruby, 250, 0, 5, 255));
    EXPECT_FALSE(pasteRefusal(ruby, 255, 10, 10, 255));  // the selection is replaced
    EXPECT_EQ(pasteRefusal(ruby, 250, 0, 6, 255), u"貼り付けると1行目ルビが255文字を超えるため、貼り付けませんでした");
    EXPECT_EQ(typingLimitMessage(kCaptionEditors[2], 255), u"2行目本文に入力できるのは255文字までです");
}

TEST(ShellCaptionTab, ARowTheFileCannotHoldIsRefusedNotCut) {
    WorkingRow row;
    row.number = 1;
    row.start = row.duration = std::u16string(kZeroTime);
    std::array<std::u16string, kTextCount> typed;
    row.texts[Line1Body] = u"$W$k字幕";
    typed[Line1Body] = u"字幕";
    EXPECT_FALSE(commitRefusal(row, typed));

    // The conversion stopped before the last characters: their formats did not fit.
    typed[Line1Body] = u"字幕です";
    EXPECT_EQ(commitRefusal(row, typed),
              u"1行目本文の文字と書式が多すぎるため、リストに保存できません。文字か書式を減らして下さい");

    // Four full texts of quotes: every quote is doubled in the file's line.
    const std::u16string quotes(1000, u'"');
    for (int i = 0; i < kTextCount; ++i) row.texts[std::size_t(i)] = typed[std::size_t(i)] = quotes;
    EXPECT_EQ(commitRefusal(row, typed),
              u"字幕の行が字幕情報ファイルの1行（4607文字）を超えるため、リストに保存できません。文字か書式を減らして下さい");
}

// What the editors give for a typed line: white text on black borders,
// with `formatted` characters from `from` on in red and bold.
std::vector<EditorCharacter> typedLine(std::u16string_view text, std::size_t from = 0, std::size_t count = 0) {
    std::vector<EditorCharacter> line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool formatted = i >= from && i < from + count;
        line.push_back({text[i], {formatted ? unsigned(kBold) : 0u, formatted ? Rgb{255, 0, 0} : Rgb{255, 255, 255}},
                        Rgb{0, 0, 0}});
    }
    return line;
}

TEST(ShellCaptionTab, TheTypedRowOfTheUserFlowGivesItsMarkup) {
    EXPECT_EQ(markupFromEditor(typedLine(u"今日は字幕", 3, 2), TextKind::Body), u"$W$k今日は$H$R字幕$h");
    EXPECT_EQ(markupFromEditor(typedLine(u"字幕(じまく)"), TextKind::Ruby), u"字幕($W$kじまく)");
    EXPECT_EQ(markupFromEditor(typedLine(u"1$"), TextKind::Body), u"$W$k1$$");
}

}  // namespace
}  // namespace qucap
