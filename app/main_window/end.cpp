// Saving the loaded project, ending the program and the teardown.
#include "app/core/box_display/box_list.h"
#include "app/core/caption_list/caption_load.h"
#include "app/core/main_window/main_window_texts.h"
#include "app/core/main_window/save_sequence.h"
#include "app/core/project/project_colours.h"
#include "app/main_window/app_state.h"
#include "app/main_window/main_window.h"
#include "app/main_window/movie_analysis_worker.h"
#include "app/main_window/parts.h"
#include "app/media/preview_control.h"
#include "app/preview/preview.h"
#include "app/tabs/page.h"
#include "captiondata/text/paths.h"

namespace qucap {
namespace {

BoxMovie boxMovie() {
    const MediaFacts& movie = app().movie;
    return BoxMovie{movie.frameDuration, movie.width};
}

// Runs `save` for the data file at `path`: a new name is proposed in the
// project's folder and recorded in its project file.
template <typename Save>
int saveDataFile(std::u16string& path, const Save& save) {
    const std::u16string folder = folderOf(app().projectFile);
    DataFileProject project{path, folder, app().projectFile};
    return save(project);
}

}  // namespace

SaveSteps projectSaveSteps() {
    AppState& state = app();
    SaveSteps steps;
    steps.saveSettings = [&state] { return SaveProjectSettings(state.io, state.projectFile, state.settings); };
    steps.commitEdit = [] { commitPendingEdit(); };
    steps.captionInfo = [&state] {
        return saveDataFile(state.settings.captionInfoPath,
                            [&](DataFileProject& project) { return saveCaptionList(state.io, state.captions, project); });
    };
    steps.boxInfo = [&state] {
        if (Page* page = state.pages[std::size_t(kBoxDisplayTab)].get()) page->commitEdit();
        return saveDataFile(state.settings.boxInfoPath, [&](DataFileProject& project) {
            return saveBoxList(state.io, state.boxes, boxMovie(), project, state.boxListShown, state.unreadBoxFile);
        });
    };
    steps.colourInfo = [&state] {
        return saveDataFile(state.settings.colourInfoPath,
                            [&](DataFileProject& project) { return saveChangedColours(state.io, state.colours, project); });
    };
    return steps;
}

void endProgram() {
    AppState& state = app();
    switch (endAction(state.playState, state.synthesisRunning, state.projectLoaded)) {
        case EndAction::Refuse: return;
        case EndAction::SaveAllThenEnd:
            if (saveAll(false) != 0 && !state.ui.askYesNo(kEndWithoutSavingQuestion, kProgramTitle)) return;
            break;
        case EndAction::EndWithoutSaving: break;
    }
    tearDownMainWindow();
}

void tearDownMainWindow() {
    AppState& state = app();
    // No preview thread may outlive the graph it runs: the graph stops, the
    // thread sees it and ends.
    stopMovieAnalysis();
    stopGraph(state.graph);
    joinPreviewThread();
    state.graph.releaseGraph();
    for (auto& page : state.pages) page.reset();
    state.initialised = false;
    if (state.comInitialised) CoUninitialize();
    state.comInitialised = false;
    state.fontNames.clear();
    state.encoders = {};
    state.drawing = SharedDrawing{};
    HWND main = state.mainWindow;
    state.mainWindow = nullptr;
    state.ui.setOwner(nullptr);
    if (main) DestroyWindow(main);
}

}  // namespace qucap
