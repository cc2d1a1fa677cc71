#include "app/core/synthesis/synthesis_tab.h"

#include <gtest/gtest.h>

#include <set>

#include "captiondata/project/project_keys.h"

namespace qucap {
namespace {

using Names = std::vector<std::u16string>;

struct SynthesisTabModel : ::testing::Test {
    ProjectSettings settings;
    EncoderTables tables{{u"Cinepak Codec", u"Intel IYUV"}, {u"WMV Encoder", u"Qucap Test Lossless Video Encoder"},
                         {u"MPEG Layer-3", u"PCM"}, {u"AAC Audio Encoder"}};
    std::set<std::u16string> videoListed = {u"Intel IYUV", u"Qucap Test Lossless Video Encoder", u"無い"};
    std::set<std::u16string> audioListed = {u"PCM", u"AAC Audio Encoder"};
    EncoderListedQuery video = [this](std::u16string_view n) { return videoListed.count(std::u16string(n)) > 0; };
    EncoderListedQuery audio = [this](std::u16string_view n) { return audioListed.count(std::u16string(n)) > 0; };
    SynthesisTab tab{settings};

    SynthesisTabModel() { tab.initialise(tables, video, audio); }

    // "1" per enabled control of `ids`, in order.
    std::string enabled(PlayState state, bool running, std::initializer_list<int> ids) const {
        const std::vector<ControlEnabling> states = tab.controlStates(state, running);
        std::string result;
        for (int id : ids) {
            char c = '?';
            for (const ControlEnabling& s : states)
                if (s.id == id) c = s.enabled ? '1' : '0';
            result += c;
        }
        return result;
    }
};

TEST_F(SynthesisTabModel, TheListsOfferTheFirstItemThenTheListedCompressorsThenTheListedFilters) {
    EXPECT_EQ(tab.videoItems(), (Names{u" 選択して下さい", u"Intel IYUV", u"Qucap Test Lossless Video Encoder"}));
    EXPECT_EQ(tab.audioItems(), (Names{u" 標準のエンコーダを使う", u"PCM", u"AAC Audio Encoder"}));
    EXPECT_EQ(tab.videoSelection(), 0);
    EXPECT_EQ(settings.watermarkText, kMakerWebAddress) << "an empty watermark text gets the maker's address";

    // Choosing: the item's text; item 0 and no selection choose nothing.
    EXPECT_EQ(tab.chooseVideo(2), u"Qucap Test Lossless Video Encoder");
    EXPECT_TRUE(tab.videoChosen());
    EXPECT_EQ(tab.chooseAudio(1), u"PCM");
    for (int none : {0, -1, 3}) {
        EXPECT_EQ(tab.chooseVideo(none), u"") << none;
        EXPECT_FALSE(tab.videoChosen()) << none;
    }
    EXPECT_EQ(tab.chooseAudio(0), u"") << "the standard audio: no encoder, the audio as it is";

    // A saved display list fills both lists anew and clears the choice.
    tab.chooseVideo(1);
    tab.chooseAudio(2);
    videoListed = {u"Cinepak Codec"};
    tab.fillEncoders(tables, video, audio);
    EXPECT_EQ(tab.videoItems(), (Names{u" 選択して下さい", u"Cinepak Codec"}));
    EXPECT_EQ(tab.videoEncoder(), u"");
    EXPECT_EQ(tab.audioEncoder(), u"");
    EXPECT_EQ(tab.audioSelection(), 0);
    EXPECT_FALSE(tab.videoChosen());
}

TEST_F(SynthesisTabModel, AfterASynthesisTheRefreshAsksForANewChoice) {
    for (PlayState state : {PlayState::Stopped, PlayState::Synthesizing, PlayState::Paused}) {
        tab.chooseVideo(1);
        EXPECT_FALSE(tab.refreshClearsChoice(state));
        EXPECT_TRUE(tab.videoChosen());
    }
    EXPECT_TRUE(tab.refreshClearsChoice(PlayState::SynthesisDone));
    EXPECT_FALSE(tab.videoChosen());
    EXPECT_EQ(tab.videoEncoder(), u"");
}

TEST_F(SynthesisTabModel, EnablingFollowsTheStateTheRunningFlagAndTheVideoChoice) {
    // help, exports, filter buttons, watermark, encoder lists | start | abort
    const std::initializer_list<int> ids = {kSynthesisHelp,        kExportSamiButton,   kFilterListButton,
                                            kWatermarkWhiteRadio,  kVideoEncoderCombo,  kAudioEncoderProperties,
                                            kStartSynthesisButton, kAbortSynthesisButton};
    struct Case {
        PlayState state;
        bool running, chosen;
        std::string expected;
    };
    const Case cases[] = {
        {PlayState::Stopped, false, false, "11111100"},
        {PlayState::Stopped, false, true, "11111110"},
        {PlayState::SynthesisDone, false, true, "11111110"},
        {PlayState::Synthesizing, true, true, "00000001"},
        // After the abort the thread asks its question: nothing to press.
        {PlayState::Paused, false, true, "00000000"},
        {PlayState::Playing, false, true, "00000000"},
        {PlayState::Paused, true, true, "00000000"},
    };
    for (const Case& c : cases) {
        tab.chooseVideo(c.chosen ? 1 : 0);
        EXPECT_EQ(enabled(c.state, c.running, ids), c.expected) << int(c.state) << c.running << c.chosen;
    }
    EXPECT_EQ(tab.controlStates(PlayState::Stopped, false).size(), 24u) << "every control but the labels' hints";
}

TEST_F(SynthesisTabModel, TheWatermarkTextIsCutAndTheColourRadiosMapToIndexesOneToEight) {
    tab.typeWatermarkText(std::u16string(300, u'字'));
    EXPECT_EQ(settings.watermarkText, std::u16string(255, u'字'));

    EXPECT_EQ(tab.colourRadio(), kWatermarkRedRadio + 5) << "cyan by default";
    tab.chooseColourRadio(kWatermarkRedRadio);
    EXPECT_EQ(settings.watermarkColour, 1);
    tab.chooseColourRadio(kWatermarkWhiteRadio);
    EXPECT_EQ(settings.watermarkColour, 8);
    EXPECT_EQ(tab.colourRadio(), kWatermarkWhiteRadio);
    tab.chooseColourRadio(kWatermarkWhiteRadio + 1);
    EXPECT_EQ(settings.watermarkColour, 8) << "not a colour radio";
    settings.watermarkColour = 42;
    EXPECT_EQ(tab.colourRadio(), kWatermarkRedRadio + 5);
}

TEST(OverwriteConfirmation, OnlyTheConfirmedFileIsReplacedWithoutAsking) {
    OverwriteConfirmation confirmation;
    EXPECT_FALSE(confirmation.confirmedFor(u"C:\\動画\\出力.avi"));
    confirmation.confirm(u"C:\\動画\\出力.avi");
    EXPECT_TRUE(confirmation.confirmedFor(u"C:\\動画\\出力.avi"));
    EXPECT_TRUE(confirmation.confirmedFor(u"c:\\動画\\出力.AVI")) << "Windows paths ignore case";
    EXPECT_FALSE(confirmation.confirmedFor(u"C:\\動画\\別の.avi"));
    EXPECT_FALSE(confirmation.confirmedFor(u""));
    confirmation.clear();
    EXPECT_FALSE(confirmation.confirmedFor(u"C:\\動画\\出力.avi"));
}

}  // namespace
}  // namespace qucap
