#include "app/cli/verbs.h"

#include "app/cli/movie_input.h"

#include "app/core/batchproject.h"
#include "app/core/captionvalidation.h"
#include "app/export/subtitles.h"
#include "captiondata/project/projectsettings.h"
#include "captiondata/text/u16.h"
#include "win32/program_folder.h"
#include "win32/win32_filesystem.h"

namespace qucap {
namespace {

// Without a movie the box-info sample row is made for a 720-pixel-wide
// movie at 29.97 frames per second, the size new projects usually have.
constexpr BoxMovie kMovieAssumedWithoutInput{333'667, 720};

int exitCodeOf(int result) { return result == 0 ? kExitSuccess : kExitFailed; }

SamiSettings samiSettingsOf(const ProjectSettings& settings) {
    return {settings.inputMoviePath, settings.mainFontName, settings.mainSize, settings.sideFlag};
}

}  // namespace

int newProjectVerb(const std::vector<std::u16string>& args, CliContext& context) {
    NewProject request;
    request.name = args[0];
    if (args.size() > 1) request.saveLocation = fullPathOf(args[1]);
    request.settingsFile = settingsFilePath(programFolder());
    request.movie = kMovieAssumedWithoutInput;
    if (context.optionValue) {
        // --movie FILE: the project's input movie, which also sizes the box-info sample row.
        request.inputMovie = fullPathOf(*context.optionValue);
        const std::optional<BoxMovie> movie = readInputMovie(context, request.inputMovie);
        if (!movie) return kExitFailed;
        request.movie = *movie;
    }
    const std::u16string projectFile = createBatchProject(context.io, request);
    if (projectFile.empty()) return kExitFailed;
    context.out.writeLine(projectFile);
    return kExitSuccess;
}

int checkVerb(const std::vector<std::u16string>& args, CliContext& context) {
    OpenedProject project;
    if (openBatchProject(context.io, fullPathOf(args[0]), project) != 0) return kExitFailed;
    if (validateCaptionList(project.captions, context.ui) != 0) {
        context.out.writeLine(context.ui.lastMessage());
        return kExitFailed;
    }
    context.out.writeLine(toDecimal(project.captions.rowCount()) + u"行の字幕に誤りはありません");
    return kExitSuccess;
}

int exportSrtVerb(const std::vector<std::u16string>& args, CliContext& context) {
    OpenedProject project;
    if (openBatchProject(context.io, fullPathOf(args[0]), project) != 0) return kExitFailed;
    return exitCodeOf(exportSrt(context.io, fullPathOf(args[1]), project.captions));
}

int exportSamiVerb(const std::vector<std::u16string>& args, CliContext& context) {
    OpenedProject project;
    if (openBatchProject(context.io, fullPathOf(args[0]), project) != 0) return kExitFailed;
    return exitCodeOf(exportSami(context.io, fullPathOf(args[1]), project.captions, samiSettingsOf(project.settings)));
}

}  // namespace qucap
