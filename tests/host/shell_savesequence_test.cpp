#include <gtest/gtest.h>

#include <string>

#include "app/core/shell/savesequence.h"

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

}  // namespace
}  // namespace qucap
