#include "app/cli/timing_verbs.h"

#include "app/cli/import_verb.h"
#include "app/cli/movie_input.h"
#include "app/cli/reading_check.h"
#include "app/core/caption_list/caption_validation.h"
#include "app/media/cached_analysis.h"
#include "app/media/com_apartment.h"
#include "app/timing/list_retime.h"
#include "app/timing/timing_settings.h"
#include "captiondata/project/project_settings.h"
#include "captiondata/text/u16.h"
#include "captiondata/time/time_text.h"
#include "win32/program_folder.h"
#include "win32/win32_file_system.h"

namespace qucap {
namespace {

constexpr std::u16string_view kMovieUnreadable = u"動画を読み込めませんでした";
constexpr std::u16string_view kNoPicture = u"この動画には映像がありません";
constexpr std::u16string_view kNoSound = u"この動画には音声がありません";
constexpr int64_t kBucketsMax = 1'000'000;

// The movie argument as a full path to an existing file, or a message.
std::optional<std::u16string> movieArgument(CliContext& context, std::u16string_view argument) {
    const std::optional<std::u16string> path = pathArgument(context, argument, PathField::InputMovie);
    if (path && !context.io.files.isFile(*path)) {
        context.err.writeLine(kInputMovieMissing);
        return std::nullopt;
    }
    return path;
}

// The message of an analysis that did not finish, and the exit code.
int analysisFailed(CliContext& context, AnalysisOutcome outcome, std::u16string_view noStream) {
    context.err.writeLine(outcome == AnalysisOutcome::NoStream ? noStream : kMovieUnreadable);
    return kExitFailed;
}

template <typename Record, std::size_t N>
bool readSettingOptions(CliContext& context, const TimingSetting<Record> (&settings)[N], Record& record) {
    for (const TimingSetting<Record>& setting : settings)
        if (!readWholeNumberOption(context, setting.option, setting.max, record.*setting.field)) return false;
    return true;
}

// The rules of the settings file beside the program, with the options given.
std::optional<RetimeRules> retimeRulesOf(CliContext& context) {
    RetimeRules rules = readTimingRules(context.io, settingsFilePath(programFolder()));
    if (!readSettingOptions(context, kRetimeSettings, rules) || !readSettingOptions(context, kSnapSettings, rules.snap))
        return std::nullopt;
    if (context.hasFlag(kShotsFlag) && context.hasFlag(kNoShotsFlag)) {
        context.err.writeLine(u"--shots と --no-shots は一緒に指定できません");
        return std::nullopt;
    }
    if (rules.minMs > rules.maxMs) {
        context.err.writeLine(u"--min-ms には --max-ms 以下の値を指定して下さい");
        return std::nullopt;
    }
    rules.shots = !context.hasFlag(kNoShotsFlag);
    return rules;
}

// The cuts of the project's movie (through the cache beside the project)
// and the frame duration they are counted in; nothing, with a message, when
// the movie cannot be read.
std::optional<CutList> projectCuts(CliContext& context, const OpenedProject& project) {
    const std::u16string& movie = project.settings.inputMoviePath;
    if (!context.io.files.isFile(movie)) {
        context.err.writeLine(kInputMovieMissing);
        return std::nullopt;
    }
    const ComApartment com;
    const ShotAnalysis shots = com.ready() ? shotsWithCache(context.io.files, project.projectFile, movie) : ShotAnalysis{};
    if (shots.outcome != AnalysisOutcome::Done || shots.cuts.frameDuration <= 0) {
        analysisFailed(context, shots.outcome, kNoPicture);
        return std::nullopt;
    }
    return shots.cuts;
}

}  // namespace

int shotsVerb(const std::vector<std::u16string>& args, CliContext& context) {
    const std::optional<std::u16string> movie = movieArgument(context, args[0]);
    if (!movie) return kExitFailed;
    const ComApartment com;
    const ShotAnalysis shots = com.ready() ? analyseShots(*movie) : ShotAnalysis{};
    if (shots.outcome != AnalysisOutcome::Done) return analysisFailed(context, shots.outcome, kNoPicture);
    const FrameClock clock{shots.cuts.frameDuration};
    for (const int64_t cut : shots.cuts.cuts)
        context.out.writeLine(toDecimal(cut) + u"\t" + formatTime(int32_t(clock.msOf(cut)), TimeForm::Millisecond));
    return kExitSuccess;
}

int peaksVerb(const std::vector<std::u16string>& args, CliContext& context) {
    const std::optional<std::u16string> text = context.valueOf(kBucketsOption);
    const std::optional<int64_t> buckets = text ? wholeNumber(*text) : std::nullopt;
    if (!buckets || *buckets < 1 || *buckets > kBucketsMax) {
        context.err.writeLine(std::u16string(kBucketsOption) + u" には 1 から " + toDecimal(kBucketsMax) +
                              u" までの整数を指定して下さい");
        return kExitBadArguments;
    }
    const std::optional<std::u16string> movie = movieArgument(context, args[0]);
    if (!movie) return kExitFailed;
    const ComApartment com;
    const SoundAnalysis sound = com.ready() ? analyseSound(*movie, true) : SoundAnalysis{};
    if (sound.outcome == AnalysisOutcome::NoStream) {
        context.err.writeLine(kNoSound);
        return kExitSuccess;
    }
    if (sound.outcome != AnalysisOutcome::Done || !sound.peaks) return analysisFailed(context, sound.outcome, kNoSound);
    for (const uint16_t peak : sound.peaks->parts(int(*buckets))) context.out.writeLine(toDecimal(peak));
    return kExitSuccess;
}

int retimeVerb(const std::vector<std::u16string>& args, CliContext& context) {
    const std::optional<RetimeRules> rules = retimeRulesOf(context);
    if (!rules) return kExitBadArguments;
    OpenedProject project;
    if (openBatchProject(context.io, fullPathOf(args[0]), project) != 0) return kExitFailed;
    if (!context.hasFlag(kDryRunFlag) && !namesFile(project.settings.captionInfoPath)) {
        context.err.writeLine(kImportNoCaptionFile);
        return kExitFailed;
    }
    if (const std::u16string fault = captionListFault(project.captions); !fault.empty()) {
        context.err.writeLine(fault);
        context.err.writeLine(u"字幕情報に誤りがあるため、タイミングを調整できません");
        return kExitFailed;
    }
    CutList cuts;
    if (rules->shots) {
        const std::optional<CutList> found = projectCuts(context, project);
        if (!found) return kExitFailed;
        cuts = *found;
    } else {
        cuts.frameDuration = projectFrameDuration(context, project);
    }
    std::vector<RowTimes> rows = rowTimesOf(project.captions);
    const std::vector<RetimeChange> changes =
        retimeRows(rows, 0, int(rows.size()) - 1, cuts.cuts, FrameClock{cuts.frameDuration}, *rules);
    context.out.write(retimeTable(changes));
    if (context.hasFlag(kDryRunFlag) || changes.empty()) return kExitSuccess;
    CaptionList retimed = project.captions;
    applyRowTimes(retimed, rows, changes);
    // The rules keep the list valid; a list they would break is not written.
    if (const std::u16string fault = captionListFault(retimed); !fault.empty()) {
        context.err.writeLine(fault);
        return kExitFailed;
    }
    return writeCaptionInfo(context.io, project.settings.captionInfoPath, retimed.fileRows()) == 0 ? kExitSuccess
                                                                                                   : kExitFailed;
}

}  // namespace qucap
