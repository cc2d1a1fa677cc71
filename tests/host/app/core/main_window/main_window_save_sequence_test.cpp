#include <gtest/gtest.h>

#include <string>

#include "app/core/main_window/save_sequence.h"
#include "tests/support/recording_ui.h"

namespace qucap {
namespace {

// Records the order of the steps; each file writer fails when its letter is in `failing`.
struct Recorder {
    std::string order;
    std::string failing;
    SaveSteps steps() {
        auto writer = [this](char letter) {
            return [this, letter] {
                order += letter;
                return failing.find(letter) == std::string::npos ? 0 : -1;
            };
        };
        return {writer('s'), [this] { order += 'e'; }, writer('c'), writer('b'), writer('k')};
    }
};

TEST(SaveSequence, RunsSettingsCommitThenTheThreeFilesInOrder) {
    Recorder r;
    EXPECT_EQ(runSaveSequence(r.steps(), false), 0);
    EXPECT_EQ(r.order, "secbk");
}

TEST(SaveSequence, StopsAtTheFirstFailingFileOnlyWhenAsked) {
    Recorder all{.order = {}, .failing = "c"};
    EXPECT_EQ(runSaveSequence(all.steps(), false), -1);
    EXPECT_EQ(all.order, "secbk");

    Recorder stopping{.order = {}, .failing = "b"};
    EXPECT_EQ(runSaveSequence(stopping.steps(), true), -1);
    EXPECT_EQ(stopping.order, "secb");
}

TEST(SaveSequence, AFailedSettingsWriteStillSavesTheFilesButReportsFailure) {
    Recorder r{.order = {}, .failing = "s"};
    EXPECT_EQ(runSaveSequence(r.steps(), true), -1);
    EXPECT_EQ(r.order, "secbk");
}

TEST(SaveSequence, EmptyStepsAreSkipped) {
    EXPECT_EQ(runSaveSequence({}, true), 0);
}

TEST(EndAction, RefusedWhilePreviewActiveOrSynthesisRuns) {
    EXPECT_EQ(endAction(PlayState::Playing, false, true), EndAction::Refuse);
    EXPECT_EQ(endAction(PlayState::Paused, false, false), EndAction::Refuse);
    EXPECT_EQ(endAction(PlayState::Stopped, true, true), EndAction::Refuse);
}

TEST(EndAction, LoadedProjectIsSavedWholeOtherwiseNothingIsWritten) {
    for (PlayState s : {PlayState::NoMedia, PlayState::Stopped, PlayState::SynthesisDone}) {
        EXPECT_EQ(endAction(s, false, true), EndAction::SaveAllThenEnd);
        EXPECT_EQ(endAction(s, false, false), EndAction::EndWithoutSaving);
    }
}

TEST(SaveBeforeClosingProject, AsksOnlyWhenAFileWasNotWrittenAndNoKeepsTheProject) {
    struct Case {
        int saved;
        std::deque<bool> answers;
        bool released;
        std::size_t questions;
    };
    for (const Case& c : {Case{0, {}, true, 0}, Case{-1, {true}, true, 1}, Case{-1, {false}, false, 1}}) {
        test::RecordingUi ui;
        ui.answers = c.answers;
        int saves = 0;
        EXPECT_EQ(saveBeforeClosingProject([&] { return ++saves, c.saved; }, ui), c.released);
        EXPECT_EQ(saves, 1);
        ASSERT_EQ(ui.questions.size(), c.questions);
        if (c.questions == 0) continue;
        EXPECT_EQ(ui.questions[0].text, u"保存できなかったファイルがあります。\n保存せずにプロジェクトを閉じますか？");
        EXPECT_EQ(ui.questions[0].title, u"カブレン字幕付加システム");
    }
}

}  // namespace
}  // namespace qucap
