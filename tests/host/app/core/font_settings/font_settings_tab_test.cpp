#include "app/core/font_settings/font_tab.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <map>
#include <set>
#include <tuple>

#include "captiondata/text/u16.h"

namespace qucap {
namespace {

using Names = std::vector<std::u16string>;

const Names kInstalled = {u"メイリオ", u"ＭＳ 明朝", u"ＭＳ ゴシック", u"游ゴシック"};

struct ShellFontTab : ::testing::Test {
    ProjectSettings settings;
    std::set<std::u16string> listed = {u"メイリオ", u"ＭＳ ゴシック", u"游ゴシック"};
    FontListedQuery isListed = [this](std::u16string_view name) { return listed.count(std::u16string(name)) > 0; };
    FontTab tab{settings};

    ShellFontTab() {
        settings.mainFontName = u"メイリオ";
        settings.rubyFontName = u"ＭＳ ゴシック";
        tab.initialise(kInstalled, isListed);
    }
    ComboShown combo(int id) const {
        for (const ComboShown& shown : tab.combos())
            if (shown.id == id) return shown;
        ADD_FAILURE() << id;
        return {id, &tab.fontNames(), -1};
    }
    std::u16string selectedText(int id) const {
        const ComboShown shown = combo(id);
        return shown.selected >= 0 ? (*shown.items)[std::size_t(shown.selected)] : u"<none>";
    }
};

TEST_F(ShellFontTab, TheFontListsOfferTheListedInstalledFontsAndTheFallbackOnce) {
    EXPECT_EQ(tab.fontNames(), (Names{u"メイリオ", u"ＭＳ ゴシック", u"游ゴシック"}));
    EXPECT_EQ(settings.rewindSeconds, 3);

    // Without it among the listed fonts the fallback comes last.
    listed = {u"游ゴシック", u"ＭＳ 明朝"};
    tab.refillFontNames(kInstalled, isListed);
    EXPECT_EQ(tab.fontNames(), (Names{u"ＭＳ 明朝", u"游ゴシック", u"ＭＳ ゴシック"}));
    // A listed name that is not installed is not offered; names match exactly.
    listed = {u"消えたフォント", u"めいりお"};
    tab.refillFontNames(kInstalled, isListed);
    EXPECT_EQ(tab.fontNames(), (Names{u"ＭＳ ゴシック"}));
}

TEST_F(ShellFontTab, TheNumberListsHoldEveryValueOfTheirRange) {
    const ComboShown size = combo(kBodySizeCombo);
    ASSERT_EQ(size.items->size(), 125u);
    EXPECT_EQ(size.items->front(), u"4");
    EXPECT_EQ(size.items->back(), u"128");
    EXPECT_EQ(size.selected, 28);  // 32
    EXPECT_EQ(combo(kRubySizeCombo).selected, 12);  // 16
    EXPECT_EQ(*combo(kBodyBorderWidthCombo).items, (Names{u"1", u"2", u"3", u"4", u"5", u"6", u"7", u"8", u"9"}));
    EXPECT_EQ(combo(kBodyBorderWidthCombo).selected, 2);  // 3
    EXPECT_EQ(combo(kRubyBorderWidthCombo).selected, 0);  // 1
    EXPECT_EQ(combo(kBodyFontNameCombo).selected, 0);
    EXPECT_EQ(combo(kRubyFontNameCombo).selected, 1);
}

TEST_F(ShellFontTab, ShowingMendsValuesTheListsDoNotOfferAndSelectsEveryValue) {
    struct Case {
        std::u16string body, ruby;
        std::array<int32_t, 6> numbers;  // sizes, widths, layout, border
        std::u16string shownBody, shownRuby;
        std::array<int32_t, 6> shownNumbers;
        bool mended;
    };
    const Case cases[] = {
        {u"游ゴシック", u"メイリオ", {128, 4, 9, 1, 2, 4}, u"游ゴシック", u"メイリオ", {128, 4, 9, 1, 2, 4}, false},
        // Hidden, not installed, the reader's "設定なし" and empty.
        {u"ＭＳ 明朝", u"無いフォント", {32, 16, 3, 1, 1, 1}, u"ＭＳ ゴシック", u"ＭＳ ゴシック", {32, 16, 3, 1, 1, 1}, true},
        {u"設定なし", u"", {32, 16, 3, 1, 1, 1}, u"ＭＳ ゴシック", u"ＭＳ ゴシック", {32, 16, 3, 1, 1, 1}, true},
        // Numbers out of range take their own defaults, and that entry is shown.
        {u"メイリオ", u"メイリオ", {200, 3, 0, 10, 3, 5}, u"メイリオ", u"メイリオ", {32, 16, 3, 1, 1, 1}, true},
        {u"メイリオ", u"メイリオ", {-1, 129, 10, 0, 0, 0}, u"メイリオ", u"メイリオ", {32, 16, 3, 1, 1, 1}, true},
    };
    for (const Case& c : cases) {
        settings.mainFontName = c.body;
        settings.rubyFontName = c.ruby;
        std::tie(settings.mainSize, settings.rubySize, settings.mainBorderWidth, settings.rubyBorderWidth,
                 settings.layoutType, settings.borderType) =
            std::tuple_cat(c.numbers);
        const std::string name = std::to_string(c.numbers[0]);
        EXPECT_EQ(tab.mendValues(), c.mended) << name;
        EXPECT_EQ(settings.mainFontName, c.shownBody) << name;
        EXPECT_EQ(settings.rubyFontName, c.shownRuby) << name;
        EXPECT_EQ((std::array{settings.mainSize, settings.rubySize, settings.mainBorderWidth, settings.rubyBorderWidth,
                              settings.layoutType, settings.borderType}),
                  c.shownNumbers)
            << name;
        EXPECT_EQ(selectedText(kBodyFontNameCombo), c.shownBody) << name;
        EXPECT_EQ(selectedText(kRubyFontNameCombo), c.shownRuby) << name;
        EXPECT_EQ(selectedText(kBodySizeCombo), toDecimal(c.shownNumbers[0])) << name;
        EXPECT_EQ(selectedText(kRubySizeCombo), toDecimal(c.shownNumbers[1])) << name;
        EXPECT_EQ(selectedText(kBodyBorderWidthCombo), toDecimal(c.shownNumbers[2])) << name;
        EXPECT_EQ(selectedText(kRubyBorderWidthCombo), toDecimal(c.shownNumbers[3])) << name;
        EXPECT_EQ(tab.layoutRadio(), c.shownNumbers[4] == 1 ? kRubyOnBothSidesRadio : kRubyBetweenLinesRadio) << name;
        EXPECT_EQ(tab.borderRadio(), kBorderOutlineRadio + c.shownNumbers[5] - 1) << name;
    }
}

// Which changes move the unlocked rows' default positions: a font, size,
// layout, fill or side value that really changed; never a border setting.
TEST_F(ShellFontTab, OnlyAChangedFontSizeLayoutFillOrSideMovesThePositions) {
    struct Case {
        const char* what;
        std::function<FontTabChange(FontTab&)> change;
        FontTabChange expected;
    };
    const FontTabChange moves{true, false};
    const FontTabChange stays{false, false};
    const Case cases[] = {
        {"body font", [](FontTab& t) { return t.chooseEntry(kBodyFontNameCombo, 2); }, moves},
        {"same body font", [](FontTab& t) { return t.chooseEntry(kBodyFontNameCombo, 2); }, stays},
        {"ruby font", [](FontTab& t) { return t.chooseEntry(kRubyFontNameCombo, 0); }, moves},
        {"body size", [](FontTab& t) { return t.chooseEntry(kBodySizeCombo, 0); }, moves},
        {"ruby size", [](FontTab& t) { return t.chooseEntry(kRubySizeCombo, 124); }, moves},
        {"layout 2", [](FontTab& t) { return t.chooseRadio(kRubyBetweenLinesRadio); }, moves},
        {"layout 2 again", [](FontTab& t) { return t.chooseRadio(kRubyBetweenLinesRadio); }, stays},
        {"fill", [](FontTab& t) { return t.setChecked(kFillCheck, true); }, moves},
        {"side", [](FontTab& t) { return t.setChecked(kSideCheck, true); }, moves},
        {"side again", [](FontTab& t) { return t.setChecked(kSideCheck, true); }, stays},
        {"border type", [](FontTab& t) { return t.chooseRadio(kBlackBoxRadio); }, stays},
        {"gradation", [](FontTab& t) { return t.setChecked(kGradationCheck, true); }, stays},
        {"body width", [](FontTab& t) { return t.chooseEntry(kBodyBorderWidthCombo, 8); }, stays},
        {"ruby width", [](FontTab& t) { return t.chooseEntry(kRubyBorderWidthCombo, 4); }, stays},
        {"rewind", [](FontTab& t) { return t.typeRewind(u"7"); }, stays},
        {"not a control", [](FontTab& t) { return t.chooseEntry(1001, 0); }, stays},
    };
    for (const Case& c : cases) EXPECT_EQ(c.change(tab), c.expected) << c.what;

    EXPECT_EQ(settings.mainFontName, u"游ゴシック");
    EXPECT_EQ(settings.rubyFontName, u"メイリオ");
    EXPECT_EQ((std::array{settings.mainSize, settings.rubySize, settings.layoutType, settings.fillFlag,
                          settings.sideFlag, settings.borderType, settings.gradationFlag, settings.mainBorderWidth,
                          settings.rubyBorderWidth, settings.rewindSeconds}),
              (std::array<int32_t, 10>{4, 128, 2, 1, 1, 4, 1, 9, 5, 7}));
    EXPECT_EQ(tab.checkBoxes(), (std::vector<std::pair<int, bool>>{{kFillCheck, true}, {kSideCheck, true},
                                                                    {kGradationCheck, true}}));
}

TEST_F(ShellFontTab, AListWithoutASelectionStoresItsDefaultAndShowsItAgain) {
    settings.mainSize = 64;
    settings.rubyBorderWidth = 5;
    settings.rubyFontName = u"メイリオ";
    EXPECT_EQ(tab.chooseEntry(kBodySizeCombo, -1), (FontTabChange{true, true}));
    EXPECT_EQ(settings.mainSize, 32);
    EXPECT_EQ(tab.chooseEntry(kRubyBorderWidthCombo, 9), (FontTabChange{false, true}));
    EXPECT_EQ(settings.rubyBorderWidth, 1);
    EXPECT_EQ(tab.chooseEntry(kRubyFontNameCombo, -1), (FontTabChange{true, true}));
    EXPECT_EQ(settings.rubyFontName, u"ＭＳ ゴシック");
    // Already the default: shown again, nothing moves.
    EXPECT_EQ(tab.chooseEntry(kRubyFontNameCombo, -1), (FontTabChange{false, true}));
}

TEST_F(ShellFontTab, TheRewindFieldTakesZeroToNinetyNineAndShowsZeroForAnythingElse) {
    const std::map<std::u16string, std::pair<int32_t, bool>> cases = {
        {u"0", {0, false}},    {u"7", {7, false}},    {u"99", {99, false}}, {u"07", {7, false}},
        {u"12a", {12, false}}, {u"", {0, false}},     {u"100", {0, true}},  {u"150", {0, true}},
        {u"-5", {0, true}},    {u"abc", {0, true}},   {u"-", {0, true}},    {u"1234", {0, true}},
        {u"a5", {0, true}},    {u"+5", {0, true}},
        {u"0991", {99, false}},  // only three characters are read
    };
    for (const auto& [text, expected] : cases) {
        settings.rewindSeconds = 42;
        EXPECT_EQ(tab.typeRewind(text), (FontTabChange{false, expected.second})) << toUtf8(text);
        EXPECT_EQ(settings.rewindSeconds, expected.first) << toUtf8(text);
        EXPECT_EQ(tab.rewindText(), toDecimal(expected.first)) << toUtf8(text);
    }
}

TEST_F(ShellFontTab, RefillingAfterAFontWasHiddenFallsBackAndMovesThePositions) {
    listed.erase(u"メイリオ");
    EXPECT_EQ(tab.refillFontNames(kInstalled, isListed), (FontTabChange{true, false}));
    EXPECT_EQ(settings.mainFontName, u"ＭＳ ゴシック");
    EXPECT_EQ(combo(kBodyFontNameCombo).selected, 0);
    // The same lists again change nothing.
    EXPECT_EQ(tab.refillFontNames(kInstalled, isListed), (FontTabChange{false, false}));
}

TEST_F(ShellFontTab, BorderControlsAndHelpFollowTheBorderTypeAndThePlayState) {
    const auto enabled = [this](PlayState state, int id) {
        for (const ControlEnabling& control : tab.controlStates(state))
            if (control.id == id) return control.enabled;
        ADD_FAILURE() << id;
        return false;
    };
    constexpr PlayState kStates[] = {PlayState::NoMedia, PlayState::Playing, PlayState::Paused,
                                     PlayState::Stopped, PlayState::Synthesizing, PlayState::SynthesisDone};
    // One string of 0 and 1 per control over the six states, per border type.
    const auto row = [&](int id) {
        std::string cells;
        for (PlayState state : kStates) cells += enabled(state, id) ? '1' : '0';
        return cells;
    };
    for (int32_t border : {1, 2, 3, 4}) {
        settings.borderType = border;
        const std::string borderRow = border <= 2 ? "100111" : "000000";
        for (int id : {kBodyFontNameCombo, kBodySizeCombo, kRubyFontNameCombo, kRubySizeCombo, kRubyOnBothSidesRadio,
                       kRubyBetweenLinesRadio, kFillCheck, kSideCheck, kBorderOutlineRadio, kBorderShadowRadio,
                       kBorderNoneRadio, kBlackBoxRadio, kRewindEdit})
            EXPECT_EQ(row(id), "100111") << id << " border " << border;
        for (int id : {kGradationCheck, kBodyBorderWidthCombo, kRubyBorderWidthCombo})
            EXPECT_EQ(row(id), borderRow) << id << " border " << border;
        EXPECT_EQ(row(kFontTabHelp), "100101");
        EXPECT_EQ(tab.controlStates(PlayState::Stopped).size(), 17u);
    }
}

}  // namespace
}  // namespace qucap
