#pragma once
// The main window's save sequence and the rules for ending the program.
#include <functional>
#include <string_view>

#include "app/core/main_window/play_state.h"
#include "captiondata/io/ui.h"

namespace qucap {

// The steps of a save, in the order they run. Each returns 0 on success; an
// empty step is skipped.
struct SaveSteps {
    std::function<int()> saveSettings;  // the project settings into the project file
    std::function<void()> commitEdit;   // the page's edited row into the caption list
    std::function<int()> captionInfo;
    std::function<int()> boxInfo;
    std::function<int()> colourInfo;
};

// Settings, commit, then the three data files. With `stopAtFirstFailure`
// (play with captions, synthesis) the sequence ends at the first data file
// that fails. 0 when every step succeeded, else -1.
int runSaveSequence(const SaveSteps& steps, bool stopAtFirstFailure);

// Asked when a file of the project could not be written while ending, so
// the program never ends with the user's work unsaved without being told.
inline constexpr std::u16string_view kEndWithoutSavingQuestion =
    u"保存できなかったファイルがあります。\n保存せずに終了しますか？";

// Asked when a file of the project could not be written while the
// file-selection tab lets go of the loaded project.
inline constexpr std::u16string_view kCloseProjectWithoutSavingQuestion =
    u"保存できなかったファイルがあります。\n保存せずにプロジェクトを閉じますか？";

// Before the file-selection tab forgets a loaded project: the whole save
// sequence runs; when a file could not be written the user is asked, and No
// (false) keeps the project loaded.
bool saveBeforeClosingProject(const std::function<int()>& saveAll, Ui& ui);

// What a request to end the program does.
enum class EndAction {
    Refuse,             // a preview plays or is paused, or a synthesis runs
    EndWithoutSaving,   // no project is loaded: nothing is written
    SaveAllThenEnd,     // the whole save sequence, then the teardown
};

// The same for the frame's close box, "終了", the exit item and a cancel
// command: a loaded project is saved whole (settings, commit and all three
// files), so rows committed to the list, box rows and colours edited since
// the last save are never lost by closing the window.
EndAction endAction(PlayState state, bool synthesisRunning, bool projectLoaded);

}  // namespace qucap
