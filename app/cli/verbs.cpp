#include "app/cli/verbs.h"

#include "app/cli/movie_input.h"
#include "app/cli/reading_check.h"

#include "app/core/caption_list/caption_validation.h"
#include "app/core/caption_list/filter_captions.h"
#include "app/export/subtitles.h"
#include "captiondata/project/project_settings.h"
#include "captiondata/text/u16.h"
#include "win32/program_folder.h"
#include "win32/win32_file_system.h"

namespace qucap {
namespace {

// Without a movie the box-info sample row is made for a 720-pixel-wide
// movie at 29.97 frames per second, the size new projects usually have.
constexpr BoxMovie kMovieAssumedWithoutInput{333'667, 720};

int exitCodeOf(int result) { return result == 0 ? kExitSuccess : kExitFailed; }

int openProject(CliContext& context, std::u16string_view argument, OpenedProject& project) {
    return openBatchProject(context.io, fullPathOf(argument), project) == 0 ? kExitSuccess : kExitFailed;
}

// The subtitle exports: the project's captions written to OUT by `write`.
template <typename Write>
int exportVerb(const std::vector<std::u16string>& args, CliContext& context, PathField outField, Write write) {
    const std::optional<std::u16string> out = pathArgument(context, args[1], outField);
    OpenedProject project;
    if (!out || openProject(context, args[0], project) != kExitSuccess) return kExitFailed;
    return exitCodeOf(write(*out, project));
}

}  // namespace

std::optional<std::u16string> pathArgument(CliContext& context, std::u16string_view argument, PathField field,
                                           std::size_t limit) {
    std::u16string path = fullPathOf(argument);
    if (!pathFits(context.ui, field, path, limit)) return std::nullopt;
    return path;
}

int openProjectForFilter(CliContext& context, std::u16string_view argument, OpenedProject& project) {
    if (openProject(context, argument, project) != kExitSuccess) return kExitFailed;
    const std::optional<std::u16string> fault = filterCaptionFault(context.io, project.settings.captionInfoPath);
    if (!fault) return kExitSuccess;
    context.err.writeLine(*fault);
    return kExitFailed;
}

int newProjectVerb(const std::vector<std::u16string>& args, CliContext& context) {
    NewProject request;
    request.name = args[0];
    if (args.size() > 1) request.saveLocation = fullPathOf(args[1]);
    request.settingsFile = settingsFilePath(programFolder());
    request.movie = kMovieAssumedWithoutInput;
    if (context.optionValue) {
        // --movie FILE: the project's input movie, which also sizes the box-info sample row.
        const auto inputMovie = pathArgument(context, *context.optionValue, PathField::InputMovie);
        if (!inputMovie) return kExitFailed;
        request.inputMovie = *inputMovie;
        const std::optional<BoxMovie> movie = readInputMovie(context, request.inputMovie);
        if (!movie) return kExitFailed;
        request.movie = *movie;
    }
    const std::u16string projectFile = createBatchProject(context.io, request);
    if (projectFile.empty()) return kExitFailed;
    context.out.writeLine(projectFile);
    return kExitSuccess;
}

// Both readers' faults are results of the check: the program's validation
// line, then the message with which the caption filter would drop the file.
// With --reading the table of the reading check follows, whatever the
// validation found.
int checkVerb(const std::vector<std::u16string>& args, CliContext& context) {
    std::optional<ReadingLimits> limits;
    if (readingCheckAsked(context) && !(limits = readingLimitsOf(context))) return kExitBadArguments;
    OpenedProject project;
    if (openProject(context, args[0], project) != kExitSuccess) return kExitFailed;
    const bool listValid = validateCaptionList(project.captions, context.ui) == 0;
    if (!listValid) context.out.writeLine(context.ui.lastMessage());
    const std::optional<std::u16string> filterFault = filterCaptionFault(context.io, project.settings.captionInfoPath);
    if (filterFault) context.out.writeLine(*filterFault);
    const bool valid = listValid && !filterFault;
    if (valid) context.out.writeLine(toDecimal(project.captions.rowCount()) + u"行の字幕に誤りはありません");
    const int readingCode = limits ? printReadingCheck(context, project, *limits) : kExitSuccess;
    return valid ? readingCode : kExitFailed;
}

int exportSrtVerb(const std::vector<std::u16string>& args, CliContext& context) {
    return exportVerb(args, context, PathField::SrtFile, [&](const std::u16string& out, const OpenedProject& project) {
        return exportSrt(context.io, out, project.captions);
    });
}

int exportWebVttVerb(const std::vector<std::u16string>& args, CliContext& context) {
    return exportVerb(args, context, PathField::WebVttFile, [&](const std::u16string& out, const OpenedProject& project) {
        return exportWebVtt(context.io, out, project.captions, cueStyleOf(context.io, project.settings));
    });
}

int exportTtmlVerb(const std::vector<std::u16string>& args, CliContext& context) {
    return exportVerb(args, context, PathField::TtmlFile, [&](const std::u16string& out, const OpenedProject& project) {
        return exportTtml(context.io, out, project.captions, cueStyleOf(context.io, project.settings));
    });
}

int exportSamiVerb(const std::vector<std::u16string>& args, CliContext& context) {
    return exportVerb(args, context, PathField::SamiFile, [&](const std::u16string& out, const OpenedProject& project) {
        return exportSami(context.io, out, project.captions, samiSettingsOf(project.settings));
    });
}

}  // namespace qucap
