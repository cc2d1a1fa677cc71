#pragma once
// The model behind the file-selection tab: its two modes, its fields, the
// data-loaded flag, the effects of edits, browses and "クリア", which of its
// controls are usable, and the load ("データ読込") over the Io seams. Building
// the preview graph and reading the data files are left to the caller's steps.
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/core/file_selection/file_selection_browse.h"
#include "app/core/file_selection/file_selection_fields.h"
#include "app/core/main_window/main_controls.h"
#include "app/core/main_window/play_state.h"
#include "captiondata/box/box_info.h"
#include "captiondata/project/project_files.h"
#include "captiondata/project/project_settings.h"

namespace qucap {

inline constexpr std::u16string_view kRenderingFailed = u"レンダリングに失敗しました";
inline constexpr std::u16string_view kNewProjectFileMissing = u"プロジェクトファイルが見つかりません";

// Controls of dialog 103 besides the fields.
enum FileSelectionControl : int {
    kNewProjectRadio = 1021,
    kOpenProjectRadio = 1022,
    kFileSelectionHelp = 1001,
    kClearButton = 1002,
    kLoadButton = 1003,
};

// What the load leaves to the other parts of the program. An empty step is
// skipped as if it had succeeded; each step reports its own failure.
struct LoadSteps {
    // The plain preview graph of the input movie; 0 or -1.
    std::function<int(std::u16string_view inputMovie)> buildPreviewGraph;
    // The files a new project starts with, once the graph knows the movie.
    std::function<DataFileWriters(const ProjectSettings& settings)> newProjectWriters;
    std::function<int()> readCaptionInfo;
    std::function<int()> readColourInfo;
    std::function<int()> readBoxInfo;
    std::function<void()> resetPositionRanges;
};

// The writers of a new project's files: no caption rows, the sample box row
// for the movie, the default palette. Paths naming no file are skipped.
DataFileWriters emptyProjectWriters(const Io& io, const ProjectSettings& settings, const BoxMovie& movie);

struct LoadResult {
    int status = -1;                 // 0 when the project is loaded
    std::optional<FileField> focus;  // the field whose check failed
};

class FileSelectionTab {
public:
    // `settings` holds the five paths shown here and every other project
    // setting; `playState` is the program's; `emptyCaptionList` empties the
    // caption list.
    FileSelectionTab(const Io& io, DriveTypeQuery driveTypeOf, std::u16string settingsFile, ProjectSettings& settings,
                     SharedPlayState& playState, std::function<void()> emptyCaptionList);

    // Asked before a loaded project is forgotten (an edit, a mode change,
    // "クリア" or a browse): the caller saves the project; false keeps the
    // project loaded and the change is not applied.
    void setBeforeForgettingLoad(std::function<bool()> saveLoadedProject) {
        saveLoadedProject_ = std::move(saveLoadedProject);
    }

    // When the tab is created: open mode with the last-opened path as it
    // stands (even when that file is gone), new mode with empty fields when
    // there is none.
    void initialise(std::u16string_view lastOpened);

    SelectionMode mode() const { return mode_; }
    bool dataLoaded() const { return dataLoaded_; }
    const std::u16string& text(FileField field) const { return *fields_[std::size_t(field)]; }
    const NewProjectPaths& derivedPaths() const { return derived_; }
    const std::u16string& lastOpened() const { return lastOpened_; }

    // Each change below first lets go of a loaded project (see
    // setBeforeForgettingLoad) and returns false, changing nothing, when it
    // is kept.

    // A radio button: every field cleared and the list emptied; new mode
    // offers the default name, location and file names, open mode the
    // last-opened project.
    bool changeMode(SelectionMode mode);
    // The user changed a field's text.
    bool edit(FileField field, std::u16string_view text);
    // "クリア": every field cleared and the list emptied (focus to the name).
    bool clear();

    // The folder a browse dialog starts in: that of the last file chosen, at
    // first the documents folder.
    std::u16string browseFolder() const;
    // The dialog's answer; nothing when it was cancelled.
    bool applyBrowse(const BrowseDialog& dialog, const std::optional<std::u16string>& chosen);

    // Every control of the tab with its state, for the current PlayState.
    std::vector<ControlEnabling> controlStates() const;

    // "データ読込".
    LoadResult load(const LoadSteps& steps);

private:
    std::u16string& field(FileField f) { return *fields_[std::size_t(f)]; }
    void clearFields();
    void forgetLoad();
    // True when no project is loaded or the loaded one may be forgotten.
    bool releaseLoad();
    void showDerivedPaths();
    int checkField(FileField field);
    int createNewProject(const LoadSteps& steps);

    const Io& io_;
    DriveTypeQuery driveTypeOf_;
    std::u16string settingsFile_;
    ProjectSettings& settings_;
    SharedPlayState& playState_;
    std::function<void()> emptyCaptionList_;
    std::function<bool()> saveLoadedProject_;

    SelectionMode mode_ = SelectionMode::NewProject;
    bool dataLoaded_ = false;
    std::u16string projectName_;
    std::u16string saveLocation_;
    std::u16string projectFile_;
    NewProjectPaths derived_;
    std::u16string lastOpened_;
    std::u16string lastBrowseFolder_;
    std::array<std::u16string*, kFileFieldCount> fields_;
};

}  // namespace qucap
