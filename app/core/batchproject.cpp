#include "app/core/batchproject.h"

#include "app/core/captionload.h"
#include "captiondata/caption/captionfile.h"
#include "captiondata/colour/colourinfo.h"
#include "captiondata/project/projectfiles.h"
#include "captiondata/text/paths.h"

namespace qucap {

namespace {

bool holdsAny(std::u16string_view text, std::u16string_view characters) {
    return text.find_first_of(characters) != std::u16string_view::npos;
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
    if (!io.files.isFile(projectFile)) {
        io.ui.warn(kProjectFileMissing, Deliverable::Program);
        return -1;
    }
    project.projectFile = std::u16string(projectFile);
    if (LoadProjectSettings(io, projectFile, project.settings) != 0) return -1;
    const std::u16string& captions = project.settings.captionInfoPath;
    if (namesFile(captions) && !io.files.isFile(captions)) {
        io.ui.warn(kCaptionInfoMissing, Deliverable::Program);
        return -1;
    }
    return loadCaptionInfo(io, captions, project.captions);
}

}  // namespace qucap
