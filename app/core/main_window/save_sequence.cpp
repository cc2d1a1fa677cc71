#include "app/core/main_window/save_sequence.h"

#include <array>

namespace qucap {

int runSaveSequence(const SaveSteps& steps, bool stopAtFirstFailure) {
    int status = 0;
    if (steps.saveSettings && steps.saveSettings() != 0) status = -1;
    if (steps.commitEdit) steps.commitEdit();
    for (const auto* writer : std::array{&steps.captionInfo, &steps.boxInfo, &steps.colourInfo}) {
        if (!*writer || (*writer)() == 0) continue;
        status = -1;
        if (stopAtFirstFailure) break;
    }
    return status;
}

bool saveBeforeClosingProject(const std::function<int()>& saveAll, Ui& ui) {
    return saveAll() == 0 || ui.askYesNo(kCloseProjectWithoutSavingQuestion, kProgramTitle);
}

EndAction endAction(PlayState state, bool synthesisRunning, bool projectLoaded) {
    if (isPreviewActive(state) || synthesisRunning) return EndAction::Refuse;
    return projectLoaded ? EndAction::SaveAllThenEnd : EndAction::EndWithoutSaving;
}

}  // namespace qucap
