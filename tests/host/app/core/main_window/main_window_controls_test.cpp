#include "app/core/main_window/main_controls.h"

#include <gtest/gtest.h>

#include <map>

#include "app/core/main_window/main_layout.h"
#include "app/core/main_window/main_window_texts.h"

namespace qucap {
namespace {

constexpr PlayState kAllStates[] = {PlayState::NoMedia, PlayState::Playing, PlayState::Paused,
                                    PlayState::Stopped, PlayState::Synthesizing, PlayState::SynthesisDone};

// The enabling of one control in the six states, as a string of 0 and 1.
std::string row(int id, const MainControlFlags& flags) {
    std::string cells;
    for (PlayState state : kAllStates) {
        int found = -1;
        for (const ControlEnabling& control : mainControlStates(state, flags))
            if (control.id == id) found = control.enabled;
        EXPECT_NE(found, -1) << id;
        cells += found == 1 ? '1' : '0';
    }
    return cells;
}

TEST(ShellMainControls, EveryControlFollowsItsRowInTheSixStates) {
    const MainControlFlags none;
    const std::map<int, std::string> expected = {
        {1111, "000101"}, {1000, "001101"}, {1106, "000101"}, {1004, "000000"}, {1108, "011101"},
        {1110, "011001"}, {1009, "100101"}, {1107, "001000"}, {1109, "001000"}, {1099, "011101"},
        {1103, "011101"}, {1104, "011101"}, {1105, "011101"}, {1102, "011000"},
    };
    for (const auto& [id, cells] : expected) EXPECT_EQ(row(id, none), cells) << id;
    EXPECT_EQ(mainControlStates(PlayState::Stopped, none).size(), expected.size());
}

TEST(ShellMainControls, PendingEditAndLiveTimingOnlyChangeTheirCells) {
    EXPECT_EQ(row(1004, {.pendingEdit = true}), "100111");
    EXPECT_EQ(row(1000, {.liveTiming = true}), "111111");
    EXPECT_EQ(row(1111, {.pendingEdit = true, .liveTiming = true}), "000101");
}

// While a synthesis thread lives (Paused while it asks its question), no
// preview can be started, stepped or moved; the other controls keep their rows.
TEST(ShellMainControls, ASynthesisThreadKeepsTheTransportOff) {
    const MainControlFlags thread{.synthesisThread = true};
    for (int id : {1106, 1108, 1110, 1107, 1109, 1102}) EXPECT_EQ(row(id, thread), "000000") << id;
    EXPECT_EQ(row(1111, thread), "000101");
    EXPECT_EQ(row(1009, thread), "100101");
}

TEST(ShellMainControls, PlayButtonTextResetAndMessageClearing) {
    EXPECT_EQ(playButtonText(PlayState::Playing), u"一時停止(&P)");
    for (PlayState state : {PlayState::NoMedia, PlayState::Paused, PlayState::Stopped, PlayState::SynthesisDone})
        EXPECT_EQ(playButtonText(state), u"再生(&P)");
    std::string resets;
    for (PlayState state : kAllStates) resets += resetsPreviewPosition(state) ? '1' : '0';
    EXPECT_EQ(resets, "000101");
    EXPECT_TRUE(clearsMessageOnEntry(PlayState::Playing, PlayState::Stopped));
    EXPECT_FALSE(clearsMessageOnEntry(PlayState::Stopped, PlayState::Stopped));
    EXPECT_FALSE(clearsMessageOnEntry(PlayState::Stopped, PlayState::SynthesisDone));
}

TEST(ShellMainControls, FixedTextsOfTheWindow) {
    EXPECT_EQ(kWindowTitle, std::u16string(kWindowCaption) + u" Ver " + std::u16string(kProgramVersion));
    EXPECT_EQ(kWindowTitle, u"ｶﾌﾞﾚﾝｷｬﾌﾟｼｮﾝ Ver 3.70");
    EXPECT_EQ(kInitialisationFailed, u"初期化に失敗しました");
    EXPECT_EQ(kPreviewEndedMessage, 0x8066u);
    EXPECT_EQ(kSynthesisEndedMessage, 0x8065u);
    EXPECT_EQ(kTabPages[3].title, u"字幕作成");
    EXPECT_EQ(kTabPages[7].dialogId, 114);
}

std::map<int, bool> menu(const MenuContext& context) {
    std::map<int, bool> items;
    for (const ControlEnabling& item : menuItemStates(context)) items[item.id] = item.enabled;
    return items;
}

TEST(ShellMenuState, PlayingOrSynthesisGreysEverythingButTheListSettings) {
    const std::map<int, bool> greyed = {{40004, false}, {40005, false}, {40006, false}, {40007, false},
                                        {40008, true},  {40009, false}, {40011, false}, {40012, false},
                                        {40013, false}, {40014, false}, {40015, false}, {40016, false},
                                        {40018, false}};
    EXPECT_EQ(menu({.state = PlayState::Playing}), greyed);
    EXPECT_EQ(menu({.state = PlayState::Stopped, .synthesisRunning = true, .currentTab = 3, .focusedControl = 1069,
                    .selectionEmpty = false, .clipboardHasText = true}),
              greyed);
}

TEST(ShellMenuState, PausedLeavesTheEditingItemsAlone) {
    const std::map<int, bool> expected = {{40004, false}, {40008, true},  {40009, false}, {40011, false},
                                          {40012, true},  {40013, true},  {40014, false}, {40015, false},
                                          {40016, false}, {40018, false}};
    EXPECT_EQ(menu({.state = PlayState::Paused, .currentTab = 3, .focusedControl = 1069, .projectLoaded = true}),
              expected);
    // The import and the ruby for all rows wait for the preview to stop; the
    // import's record shows once it has notes.
    const std::map<int, bool> stopped = menu({.state = PlayState::Stopped, .projectLoaded = true, .importNotes = true});
    EXPECT_TRUE(stopped.at(40014) && stopped.at(40015) && stopped.at(40016));
    EXPECT_FALSE(menu({.state = PlayState::Stopped}).at(40016));
    EXPECT_TRUE(menu({.state = PlayState::Stopped, .analysing = true}).at(40018)) << "only while the analysis runs";
}

TEST(ShellMenuState, EditingItemsFollowTheFocusedCaptionField) {
    MenuContext context{.state = PlayState::Stopped, .currentTab = 3, .focusedControl = 1078,
                        .selectionEmpty = false, .clipboardHasText = false};
    auto items = menu(context);
    EXPECT_TRUE(items[40004] && items[40009] && items[40011]);
    EXPECT_TRUE(items[40005] && items[40006]);
    EXPECT_FALSE(items[40007]);
    context.selectionEmpty = true;
    context.clipboardHasText = true;
    items = menu(context);
    EXPECT_FALSE(items[40005] || items[40006]);
    EXPECT_TRUE(items[40007]);
    // Another field of the page, or the same id on another tab, greys all three.
    for (auto [tab, focus] : {std::pair{3, 1070}, std::pair{4, 1069}}) {
        items = menu({.state = PlayState::Stopped, .currentTab = tab, .focusedControl = focus,
                      .selectionEmpty = false, .clipboardHasText = true});
        EXPECT_FALSE(items[40005] || items[40006] || items[40007]) << tab << " " << focus;
    }
}

TEST(ShellMainLayout, ButtonsMoveRightMostFirstWhenGrowing) {
    const std::vector<ResizeRule> growing = mainResizeRules(10);
    ASSERT_EQ(growing.size(), 6u);
    EXPECT_EQ(growing[0], (ResizeRule{1111, 0, 0, 1, 0}));
    EXPECT_EQ(growing[1], (ResizeRule{1000, 0, 0, 1, 1}));
    EXPECT_EQ(growing[2], (ResizeRule{1112, 0, 1, 0, 0}));
    EXPECT_EQ(growing[3], (ResizeRule{1113, 0, 1, 1, 0}));
    EXPECT_EQ(growing[4].id, 1009);
    EXPECT_EQ(growing[5].id, 1004);
    const std::vector<ResizeRule> shrinking = mainResizeRules(-10);
    EXPECT_EQ(shrinking[4], (ResizeRule{1004, 1, 1, 0, 0}));
    EXPECT_EQ(shrinking[5], (ResizeRule{1009, 1, 1, 0, 0}));
    EXPECT_EQ(mainResizeRules(0)[4].id, 1004);
}

TEST(ShellMainLayout, ResizeKeepsTheMinimumAndIgnoresMinimising) {
    const ClientSize minimum{800, 600};
    EXPECT_FALSE(resizeStep({0, 300}, minimum, minimum));
    EXPECT_FALSE(resizeStep({900, -1}, minimum, minimum));
    const auto grown = resizeStep({900, 650}, minimum, minimum);
    ASSERT_TRUE(grown);
    EXPECT_EQ(grown->dx, 100);
    EXPECT_EQ(grown->dy, 50);
    EXPECT_EQ(grown->last, (ClientSize{900, 650}));
    const auto shrunk = resizeStep({500, 620}, minimum, grown->last);
    ASSERT_TRUE(shrunk);
    EXPECT_EQ(shrunk->dx, -100);
    EXPECT_EQ(shrunk->dy, -30);
    EXPECT_EQ(shrunk->last, (ClientSize{800, 620}));
}

TEST(ShellMainLayout, WindowIsCentredSixPixelsHigh) {
    EXPECT_EQ(centredWindowPosition({1024, 768}, {600, 400}), (Point{212, 178}));
}

}  // namespace
}  // namespace qucap
