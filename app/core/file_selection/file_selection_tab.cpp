#include "app/core/file_selection/file_selection_tab.h"

#include "app/core/project/path_fields.h"
#include "captiondata/caption/caption_file.h"
#include "captiondata/colour/colour_info.h"
#include "captiondata/profile/ini_profile.h"
#include "captiondata/text/paths.h"

namespace qucap {
namespace {

// The fields checked by the load after the project's own fields, in order.
constexpr std::array<FileField, 5> kLoadedFileOrder = {
    FileField::InputMovie, FileField::CaptionInfo, FileField::ColourInfo, FileField::BoxInfo, FileField::OutputMovie,
};

// The five paths a project-file change clears.
constexpr std::array<FileField, 5> kProjectPathFields = {
    FileField::InputMovie, FileField::ColourInfo, FileField::CaptionInfo, FileField::BoxInfo, FileField::OutputMovie,
};

// In which mode a field can be edited.
enum class Availability { Always, NewMode, OpenMode };

constexpr std::array<Availability, kFileFieldCount> kFieldAvailability = {
    Availability::NewMode, Availability::NewMode, Availability::OpenMode, Availability::Always,
    Availability::Always,  Availability::Always,  Availability::Always,   Availability::Always,
};

bool availableIn(Availability availability, SelectionMode mode) {
    if (availability == Availability::NewMode) return mode == SelectionMode::NewProject;
    if (availability == Availability::OpenMode) return mode == SelectionMode::OpenProject;
    return true;
}

int runStep(const std::function<int()>& step) { return step ? step() : 0; }

// A path longer than the system holds would be cut when it is read and name
// another file (or none): it is refused as too long, not reported missing.
// A project file that cannot be read is left to the settings' own read.
bool projectFilePathsFit(const Io& io, std::u16string_view projectFile) {
    const IniRead read = IniProfile(io).read(projectFile);
    return read.status != ReadStatus::Ok || projectPathsFit(io.ui, read.document);
}

// A writer for a path that names a file; none (skipped) for "設定なし".
std::function<int()> writerFor(const std::u16string& path, std::function<int(const std::u16string&)> write) {
    if (!namesFile(path)) return {};
    return [path, write = std::move(write)] { return write(path); };
}

}  // namespace

DataFileWriters emptyProjectWriters(const Io& io, const ProjectSettings& settings, const BoxMovie& movie) {
    return {
        writerFor(settings.captionInfoPath, [&io](const std::u16string& path) { return writeCaptionInfo(io, path, {}); }),
        writerFor(settings.boxInfoPath,
                  [&io, movie](const std::u16string& path) { return writeBoxInfo(io, path, {}, movie); }),
        writerFor(settings.colourInfoPath,
                  [&io](const std::u16string& path) { return writeColourInfo(io, path, defaultColourTable()); }),
    };
}

FileSelectionTab::FileSelectionTab(const Io& io, DriveTypeQuery driveTypeOf, std::u16string settingsFile,
                                   ProjectSettings& settings, SharedPlayState& playState,
                                   std::function<void()> emptyCaptionList)
    : io_(io),
      driveTypeOf_(std::move(driveTypeOf)),
      settingsFile_(std::move(settingsFile)),
      settings_(settings),
      playState_(playState),
      emptyCaptionList_(std::move(emptyCaptionList)),
      fields_{&projectName_,           &saveLocation_,           &projectFile_,
              &settings.inputMoviePath, &settings.colourInfoPath, &settings.captionInfoPath,
              &settings.boxInfoPath,    &settings.outputMoviePath} {}

void FileSelectionTab::initialise(std::u16string_view lastOpened) {
    clearFields();
    lastOpened_ = std::u16string(lastOpened);
    projectFile_ = lastOpened_;
    mode_ = lastOpened_.empty() ? SelectionMode::NewProject : SelectionMode::OpenProject;
    dataLoaded_ = false;
}

void FileSelectionTab::clearFields() {
    for (std::u16string* text : fields_) text->clear();
    derived_ = {};
}

void FileSelectionTab::forgetLoad() {
    dataLoaded_ = false;
    playState_ = PlayState::NoMedia;
}

bool FileSelectionTab::releaseLoad() {
    return !dataLoaded_ || !saveLoadedProject_ || saveLoadedProject_();
}

void FileSelectionTab::showDerivedPaths() {
    settings_.colourInfoPath = derived_.colourInfo;
    settings_.captionInfoPath = derived_.captionInfo;
    settings_.boxInfoPath = derived_.boxInfo;
    settings_.outputMoviePath = derived_.outputMovie;
}

bool FileSelectionTab::changeMode(SelectionMode mode) {
    if (!releaseLoad()) return false;
    clearFields();
    if (emptyCaptionList_) emptyCaptionList_();
    mode_ = mode;
    if (mode == SelectionMode::NewProject) {
        projectName_ = std::u16string(kDefaultProjectName);
        saveLocation_ = defaultSaveLocation(io_.files);
        derived_ = newProjectPaths(saveLocation_, projectName_);
        showDerivedPaths();
    } else {
        projectFile_ = lastOpened_;
    }
    forgetLoad();
    return true;
}

bool FileSelectionTab::edit(FileField changed, std::u16string_view text) {
    if (!releaseLoad()) return false;
    field(changed) = std::u16string(text);
    const bool newMode = mode_ == SelectionMode::NewProject;
    if (newMode && (changed == FileField::ProjectName || changed == FileField::SaveLocation))
        derived_ = newProjectPaths(saveLocation_, projectNameOrDefault(projectName_));
    if (newMode && changed == FileField::SaveLocation) showDerivedPaths();
    if (!newMode && changed == FileField::ProjectFile)
        for (FileField path : kProjectPathFields) field(path).clear();
    forgetLoad();
    return true;
}

bool FileSelectionTab::clear() {
    if (!releaseLoad()) return false;
    clearFields();
    if (emptyCaptionList_) emptyCaptionList_();
    forgetLoad();
    return true;
}

std::u16string FileSelectionTab::browseFolder() const {
    return lastBrowseFolder_.empty() ? io_.files.documentsFolder() : lastBrowseFolder_;
}

bool FileSelectionTab::applyBrowse(const BrowseDialog& dialog, const std::optional<std::u16string>& chosen) {
    if (!chosen) {
        // Only the folder dialog changes its field when cancelled: the location is emptied.
        return dialog.kind != BrowseDialogKind::Folder || edit(dialog.field, u"");
    }
    if (!releaseLoad()) return false;
    forgetLoad();
    if (dialog.kind != BrowseDialogKind::Folder) lastBrowseFolder_ = folderOf(*chosen);
    if (dialog.effect == BrowseEffect::ClearsEverything) clearFields();
    if (dialog.effect != BrowseEffect::FieldOnly && emptyCaptionList_) emptyCaptionList_();
    return edit(dialog.field, *chosen);
}

std::vector<ControlEnabling> FileSelectionTab::controlStates() const {
    const bool previewing = isPreviewActive(playState_);
    std::vector<ControlEnabling> states{{kNewProjectRadio, !previewing}, {kOpenProjectRadio, !previewing}};
    for (const FileFieldControls& controls : kFileFieldControls) {
        const bool enabled = !previewing && availableIn(kFieldAvailability[std::size_t(controls.field)], mode_);
        states.push_back({controls.edit, enabled});
        if (controls.browse != 0) states.push_back({controls.browse, enabled});
    }
    states.push_back({kFileSelectionHelp, !previewing && playState_ != PlayState::Synthesizing});
    states.push_back({kClearButton, !previewing});
    states.push_back({kLoadButton, !previewing && !dataLoaded_});
    return states;
}

int FileSelectionTab::checkField(FileField checked) {
    const FieldCheck check{io_, driveTypeOf_, mode_, settings_.inputMoviePath};
    return validateField(check, checked, text(checked));
}

int FileSelectionTab::createNewProject(const LoadSteps& steps) {
    derived_ = newProjectPaths(saveLocation_, projectNameOrDefault(projectName_));
    const DataFileWriters writers = steps.newProjectWriters ? steps.newProjectWriters(settings_) : DataFileWriters{};
    // A declined question or a failed data file does not stop the load: the
    // folder's existing files are loaded as they are.
    CreateProjectFiles(io_, {settingsFile_, saveLocation_, derived_.projectFile, settings_.captionInfoPath}, writers);
    if (!io_.files.isFile(derived_.projectFile)) {
        // Without a project file there is nothing to load or to remember.
        io_.ui.warn(kNewProjectFileMissing, Deliverable::Program);
        return -1;
    }
    SaveProjectPaths(io_, derived_.projectFile, settings_);
    projectFile_ = derived_.projectFile;
    mode_ = SelectionMode::OpenProject;
    return 0;
}

LoadResult FileSelectionTab::load(const LoadSteps& steps) {
    if (mode_ == SelectionMode::NewProject) {
        for (FileField own : {FileField::ProjectName, FileField::SaveLocation})
            if (checkField(own) != 0) return {-1, own};
    } else {
        if (checkField(FileField::ProjectFile) != 0) return {-1, FileField::ProjectFile};
        if (!projectFilePathsFit(io_, projectFile_)) return {};
        if (LoadProjectSettings(io_, projectFile_, settings_) != 0) return {};
    }
    for (FileField path : kLoadedFileOrder)
        if (checkField(path) != 0) return {-1, path};
    if (steps.buildPreviewGraph && steps.buildPreviewGraph(settings_.inputMoviePath) != 0) {
        io_.ui.setMessage(kRenderingFailed);
        return {};
    }
    if (mode_ == SelectionMode::NewProject && createNewProject(steps) != 0) return {};
    for (const std::function<int()>* read : {&steps.readCaptionInfo, &steps.readColourInfo, &steps.readBoxInfo})
        if (runStep(*read) != 0) return {};
    if (steps.resetPositionRanges) steps.resetPositionRanges();
    lastOpened_ = projectFile_;
    recordLastProject(io_, settingsFile_, projectFile_);
    dataLoaded_ = true;
    playState_ = PlayState::Stopped;
    io_.ui.setMessage(u"");
    return {0, std::nullopt};
}

}  // namespace qucap
