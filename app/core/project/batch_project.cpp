#include "app/core/project/batch_project.h"

#include "app/core/caption_list/caption_load.h"
#include "app/core/project/path_fields.h"
#include "captiondata/caption/caption_file.h"
#include "captiondata/colour/colour_info.h"
#include "captiondata/profile/ini_profile.h"
#include "captiondata/project/project_files.h"
#include "captiondata/text/paths.h"

namespace qucap {

namespace {

bool holdsAny(std::u16string_view text, std::u16string_view characters) {
    return text.find_first_of(characters) != std::u16string_view::npos;
}

// Every path a new project records: its folder, the files in it (the
// project file's name holds the project name), then the input movie.
bool newProjectPathsFit(Ui& ui, std::u16string_view location, const NewProjectPaths& paths,
                        std::u16string_view inputMovie) {
    return pathFits(ui, PathField::SaveLocation, location) && pathFits(ui, PathField::ProjectFile, paths.projectFile) &&
           pathFits(ui, PathField::CaptionInfo, paths.captionInfo) &&
           pathFits(ui, PathField::ColourInfo, paths.colourInfo) && pathFits(ui, PathField::BoxInfo, paths.boxInfo) &&
           pathFits(ui, PathField::OutputMovie, paths.outputMovie) && pathFits(ui, PathField::InputMovie, inputMovie);
}

}  // namespace

std::u16string createBatchProject(const Io& io, const NewProject& request) {
    if (request.name.empty()) {
        io.ui.warn(kProjectNameMissing, Deliverable::Program);
        return {};
    }
    if (holdsAny(request.name, u"\\*?")) {
        io.ui.warn(kProjectNameInvalid, Deliverable::Program);
        return {};
    }
    const std::u16string location =
        request.saveLocation.empty() ? defaultSaveLocation(io.files) : request.saveLocation;
    if (holdsAny(location, u"*?")) {
        io.ui.warn(kSaveLocationInvalid, Deliverable::Program);
        return {};
    }
    const NewProjectPaths paths = newProjectPaths(location, request.name);
    if (!newProjectPathsFit(io.ui, location, paths, request.inputMovie)) return {};
    const DataFileWriters writers{
        [&] { return writeCaptionInfo(io, paths.captionInfo, {}); },
        [&] { return writeBoxInfo(io, paths.boxInfo, {}, request.movie); },
        [&] { return writeColourInfo(io, paths.colourInfo, defaultColourTable()); },
    };
    // As on the tab, a declined question still loads whatever the folder holds.
    CreateProjectFiles(io, {request.settingsFile, location, paths.projectFile, paths.captionInfo}, writers);
    if (!io.files.isFile(paths.projectFile)) return {};
    ProjectSettings settings;
    settings.inputMoviePath = request.inputMovie;
    settings.colourInfoPath = paths.colourInfo;
    settings.captionInfoPath = paths.captionInfo;
    settings.boxInfoPath = paths.boxInfo;
    settings.outputMoviePath = paths.outputMovie;
    SaveProjectPaths(io, paths.projectFile, settings);
    recordLastProject(io, request.settingsFile, paths.projectFile);
    return paths.projectFile;
}

int openBatchProject(const Io& io, std::u16string_view projectFile, OpenedProject& project) {
    if (!pathFits(io.ui, PathField::ProjectFile, projectFile)) return -1;
    if (!io.files.isFile(projectFile)) {
        io.ui.warn(kProjectFileMissing, Deliverable::Program);
        return -1;
    }
    const IniRead read = IniProfile(io).read(projectFile);
    if (read.status != ReadStatus::Ok) {
        io.ui.warn(kConfReadFailed, Deliverable::Program);
        return -1;
    }
    // Any bytes read as a profile; without the section of the paths they are
    // not a project, and reading on would take them for an empty one.
    if (!read.document.hasSection(kInpCapName.key.section)) {
        io.ui.warn(kNotAProjectFile, Deliverable::Program);
        return -1;
    }
    if (!projectPathsFit(io.ui, read.document)) return -1;
    project.projectFile = std::u16string(projectFile);
    applyProjectSettings(read.document, project.settings);
    const std::u16string& captions = project.settings.captionInfoPath;
    if (namesFile(captions) && !io.files.isFile(captions)) {
        io.ui.warn(kCaptionInfoMissing, Deliverable::Program);
        return -1;
    }
    if (loadCaptionInfo(io, captions, project.captions) != 0) return -1;
    // A batch job has no list to edit: captions it could not read end it.
    return project.captions.unreadFile().empty() ? 0 : -1;
}

}  // namespace qucap
