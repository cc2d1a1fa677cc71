#include "app/cli/render_verb.h"

#include <algorithm>
#include <optional>

#include "app/cli/console_break.h"
#include "app/cli/filter_message_relay.h"
#include "app/cli/movie_input.h"
#include "app/cli/render_interruption.h"
#include "app/cli/still_verb.h"
#include "app/core/media/media_facts.h"
#include "app/core/media/synthesis_progress.h"
#include "app/core/media/synthesis_start.h"
#include "app/core/project/batch_project.h"
#include "app/media/com_apartment.h"
#include "app/media/encoders.h"
#include "app/media/synthesis_job.h"
#include "captiondata/text/paths.h"
#include "captiondata/text/u16.h"
#include "win32/program_folder.h"
#include "win32/project_handover.h"
#include "win32/win32_file_system.h"

namespace qucap {
namespace {

// The movie is written as FILE.avi.part first; that name must fit as well.
std::size_t outputPathLimit() { return kPathMax - temporaryOutputName(u"").size(); }

bool listed(const std::vector<std::u16string>& table, std::u16string_view name) {
    return std::find(table.begin(), table.end(), name) != table.end();
}

class RenderJob {
public:
    RenderJob(CliContext& context, FilterMessageRelay& relay, RenderInterruption& interruption,
              ProjectHandOver& handOver)
        : context_(context), relay_(relay), interruption_(interruption), handOver_(handOver) {}

    int refuse(std::u16string_view message) {
        relay_.flushTo(context_.err);
        if (!message.empty()) context_.ui.warn(message, Deliverable::Program);
        return kExitFailed;
    }

    // The message line of a refused start (a validation error, a disk
    // query) is printed, since a console has no message line.
    int refuseStart(std::u16string_view ownMessage) {
        if (context_.ui.hasMessage()) context_.err.writeLine(context_.ui.lastMessage());
        return refuse(ownMessage);
    }

    // A break before the run: the job ends where it stands.
    int interrupted() {
        relay_.flushTo(context_.err);
        context_.err.writeLine(kProcessingInterrupted);
        return kExitFailed;
    }

    int run(OpenedProject& project, const std::optional<EncoderTables>& encoders) {
        bool overwriteConfirmed = false;
        const std::u16string projectFolder = folderOf(project.projectFile);
        // The caption-info file on disk is the one the filter reads and the
        // one just validated; the console leaves it, and the box and colour
        // files, as the user wrote them.
        SynthesisProject start{project.projectFile, project.settings, project.captions, projectFolder, false,
                               nullptr, BoxMovie{}, nullptr};
        if (interruption_.requested()) return interrupted();
        const SynthesisStartResult started = prepareSynthesis(context_.io, start, overwriteConfirmed);
        if (!started.go())
            return refuseStart(started.refusal == SynthesisRefusal::NoOutputName ? kOutputNameMissing : u"");
        if (interruption_.requested()) return interrupted();

        FilterGraph graph;
        SynthesisJob job(graph);
        SynthesisJobRequest request;
        request.inputPath = project.settings.inputMoviePath;
        request.outputPath = started.outputPath;
        request.encoders = encoders ? &*encoders : nullptr;
        request.videoEncoder = context_.valueOf(kVideoEncoderOption).value_or(u"");
        request.audioEncoder = context_.valueOf(kAudioEncoderOption).value_or(u"");
        request.makeCaptionFilter = captionFilterMaker(programFolder());
        const SynthesisBuild built = job.build(context_.io, request, overwriteConfirmed);
        // The filter has read the project: another run may hand over its own.
        handOver_.release();
        if (built == SynthesisBuild::OutputRefused)
            return refuseStart(job.refusal() == SynthesisRefusal::NoOutputName ? kOutputKept : u"");
        if (built == SynthesisBuild::OutputNotCreated) return refuse(job.buildFailureMessage(built));
        if (built == SynthesisBuild::NoCaptionFilter) {
            relay_.flushTo(context_.err);
            context_.ui.warn(job.buildFailureMessage(built), Deliverable::Program);
        }
        if (built != SynthesisBuild::Built) return refuse(kRenderingFailed);
        // The graph is released, and the temporary file removed, on the way out.
        if (interruption_.requested()) return interrupted();
        job.warnOfLargeMovie(context_.ui);
        return runGraph(job);
    }

private:
    int runGraph(SynthesisJob& job) {
        // Nobody sits at a console to set the encoders up again: the
        // interruption question is answered Yes.
        context_.ui.setAnswer(YesNoAnswer::Yes);
        ProgressBar bar(context_.err);
        SynthesisRunSetup setup;
        setup.ui = &context_.ui;
        setup.progress = [&bar](int percent) { bar.show(percent); };
        if (!job.start(std::move(setup))) return refuse(kRenderingFailed);
        interruption_.attach(job.run());
        const SynthesisOutcome outcome = job.run().wait();
        interruption_.detach();
        if (outcome == SynthesisOutcome::Completed) bar.show(100);
        bar.finish();
        const bool completed = outcome == SynthesisOutcome::Completed;
        const std::u16string problem = job.finish(completed);
        if (!completed) {
            relay_.flushTo(context_.err);
            context_.err.writeLine(context_.ui.lastMessage());
            return kExitFailed;
        }
        if (!problem.empty()) return refuse(problem);
        relay_.flushTo(context_.err);
        context_.out.writeLine(job.outputPath());
        context_.out.writeLine(finishedText(job.run().elapsed()));
        return kExitSuccess;
    }

    CliContext& context_;
    FilterMessageRelay& relay_;
    RenderInterruption& interruption_;
    ProjectHandOver& handOver_;
};

// The chosen encoders must be installed: a name typed wrong would
// otherwise write the stream uncompressed without a word.
bool encodersInstalled(CliContext& context, const EncoderTables& tables) {
    const std::optional<std::u16string> video = context.valueOf(kVideoEncoderOption);
    if (video && !listed(tables.videoCompressors, *video) && !listed(tables.videoEncoderFilters, *video)) {
        context.ui.warn(encoderMissingMessage(true, *video), Deliverable::Program);
        return false;
    }
    const std::optional<std::u16string> audio = context.valueOf(kAudioEncoderOption);
    if (audio && !listed(tables.audioCompressors, *audio) && !listed(tables.audioEncoderFilters, *audio)) {
        context.ui.warn(encoderMissingMessage(false, *audio), Deliverable::Program);
        return false;
    }
    return true;
}

}  // namespace

std::u16string encoderMissingMessage(bool video, std::u16string_view name) {
    return std::u16string(video ? u"映像" : u"音声") + u"エンコーダ「" + std::u16string(name) + u"」が見つかりません";
}

std::u16string ProgressBar::text(int percent) const {
    const int p = std::clamp(percent, 0, 100);
    const int filled = p * width_ / 100;
    return u"[" + std::u16string(std::size_t(filled), u'#') + std::u16string(std::size_t(width_ - filled), u' ') +
           u"] " + toDecimal(p) + u"%";
}

void ProgressBar::show(int percent) {
    const int p = std::min(percent, 100);
    if (p <= 0 || p == shown_) return;
    shown_ = p;
    sink_.write(u"\r" + text(p));
}

void ProgressBar::finish() {
    if (shown_ > 0) sink_.write(u"\n");
    shown_ = -1;
}

int renderVerb(const std::vector<std::u16string>& args, CliContext& context) {
    // Ctrl+C is taken from the first step on: a break while the project is
    // read or the graph is built ends the job with exit 1 like the abort.
    RenderInterruption interruption;
    const ConsoleBreak breaker([&interruption] { interruption.request(); });
    OpenedProject project;
    if (openProjectForFilter(context, args[0], project) != kExitSuccess) return kExitFailed;
    if (const std::optional<std::u16string> out = context.valueOf(kOutOption))
        project.settings.outputMoviePath = fullPathOf(*out);
    if (!pathFits(context.ui, PathField::OutputMovie, project.settings.outputMoviePath, outputPathLimit()))
        return kExitFailed;
    const std::u16string& movie = project.settings.inputMoviePath;
    if (!namesFile(movie) || !context.io.files.isFile(movie)) {
        context.ui.warn(kInputMovieMissing, Deliverable::Program);
        return kExitFailed;
    }
    const ComApartment com;
    if (!com.ready()) {
        context.ui.warn(kRenderingFailed, Deliverable::Program);
        return kExitFailed;
    }
    std::optional<EncoderTables> encoders;
    if (context.valueOf(kVideoEncoderOption) || context.valueOf(kAudioEncoderOption)) {
        encoders = buildEncoderTables();
        if (!encodersInstalled(context, *encoders)) return kExitFailed;
    }
    // The filter created in the graph reads the project named as the last
    // one opened; from here until it has, no other run hands over a project.
    ProjectHandOver handOver;
    if (!handOver.held()) {
        context.ui.warn(kProjectHandOverBusy, Deliverable::Program);
        return kExitFailed;
    }
    if (recordLastProject(context.io, settingsFilePath(programFolder()), project.projectFile) != 0) return kExitFailed;
    FilterMessageRelay relay;
    return RenderJob(context, relay, interruption, handOver).run(project, encoders);
}

}  // namespace qucap
