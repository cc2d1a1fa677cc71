#include "app/cli/still_verb.h"

#include <algorithm>
#include <limits>

#include "app/cli/filter_message_relay.h"
#include "app/core/project/batch_project.h"
#include "app/media/bmp_file.h"
#include "app/media/com_apartment.h"
#include "app/media/still_graph.h"
#include "captiondata/project/project_settings.h"
#include "captiondata/time/time_text.h"
#include "win32/program_folder.h"
#include "win32/project_handover.h"
#include "win32/shared_block_writer.h"
#include "win32/win32_file_system.h"

namespace qucap {
namespace {

bool isDigits(std::u16string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

// What each way a grab can fail tells the user.
struct GrabFailure {
    StillGrab grab;
    std::u16string_view message;
};

constexpr GrabFailure kGrabFailures[] = {
    {StillGrab::StreamEnded, kNoFrameAtTime},
    {StillGrab::GraphFailed, kMovieFailed},
    {StillGrab::TimedOut, kNoFrameInTime},
};

class StillJob {
public:
    StillJob(CliContext& context, FilterMessageRelay& relay, ProjectHandOver& handOver)
        : context_(context), relay_(relay), handOver_(handOver) {}

    // Refuses the job with a message; the filter's messages come first, as they came first.
    int refuse(std::u16string_view message) {
        relay_.flushTo(context_.err);
        context_.ui.warn(message, Deliverable::Program);
        return kExitFailed;
    }

    int run(const std::u16string& movie, int32_t milliseconds, const std::u16string& outputFile) {
        StillGraph graph;
        const StillBuild built = graph.build(movie, programFolder());
        // The filter has read the project: another run may hand over its own.
        handOver_.release();
        if (built == StillBuild::NoCaptionFilter) {
            relay_.flushTo(context_.err);
            context_.ui.warn(kCaptionFilterUnavailable, Deliverable::Program);
        }
        if (built != StillBuild::Built) return refuse(kRenderingFailed);

        const int64_t position = millisecondsToPosition(milliseconds);
        const std::optional<int64_t> duration = graph.duration();
        if (duration && position >= *duration) return refuse(timeBeyondMovieMessage(milliseconds, *duration));
        // As the captioned preview does: the filter learns the position before the seek.
        if (writeSeekPosition(context_.ui, milliseconds) != 0) return refuse(kSeekPositionNotGiven);
        if (FAILED(graph.seekTo(position))) return refuse(kSeekFailed);

        const StillGrab grabbed = graph.grab(kStillFrameTimeoutMs);
        for (const GrabFailure& failure : kGrabFailures)
            if (grabbed == failure.grab) return refuse(failure.message);
        const std::optional<RgbPicture> picture = graph.picture();
        const std::string bitmap = picture ? bmpFileBytes(*picture) : std::string();
        if (bitmap.empty()) return refuse(kMovieFailed);
        if (context_.io.files.writeFile(outputFile, bitmap) != WriteStatus::Ok) return refuse(kBitmapWriteFailed);
        relay_.flushTo(context_.err);
        context_.out.writeLine(outputFile);
        return kExitSuccess;
    }

private:
    CliContext& context_;
    FilterMessageRelay& relay_;
    ProjectHandOver& handOver_;
};

}  // namespace

std::optional<int32_t> parseStillTime(std::u16string_view text) {
    int64_t milliseconds = 0;
    if (isDigits(text)) {
        for (char16_t c : text) {
            milliseconds = milliseconds * 10 + (c - u'0');
            if (milliseconds > kLargestShownTime) return std::nullopt;
        }
    } else if (isValidCaptionTime(text, TimeChecker::Program)) {
        milliseconds = parseTime(text);
    } else {
        return std::nullopt;
    }
    if (milliseconds > kLargestShownTime) return std::nullopt;
    return int32_t(milliseconds);
}

std::u16string timeBeyondMovieMessage(int32_t milliseconds, int64_t duration) {
    const int64_t durationMs = std::min<int64_t>(duration / 10'000, std::numeric_limits<int32_t>::max());
    return u"指定した時間（" + formatTime(milliseconds, TimeForm::Millisecond) + u"）が動画の長さ（" +
           formatTime(int32_t(durationMs), TimeForm::Millisecond) + u"）を超えています";
}

int stillVerb(const std::vector<std::u16string>& args, CliContext& context) {
    const std::optional<int32_t> milliseconds = parseStillTime(args[1]);
    if (!milliseconds) {
        context.err.writeLine(std::u16string(kStillTimeInvalid) + args[1]);
        return kExitBadArguments;
    }
    const std::optional<std::u16string> outputFile = pathArgument(context, args[2], PathField::BitmapFile);
    OpenedProject project;
    if (!outputFile || openProjectForFilter(context, args[0], project) != kExitSuccess) return kExitFailed;
    const std::u16string& movie = project.settings.inputMoviePath;
    if (!namesFile(movie) || !context.io.files.isFile(movie)) {
        context.ui.warn(kInputMovieMissing, Deliverable::Program);
        return kExitFailed;
    }
    // The filter created in the graph reads the project named as the last
    // one opened; from here until it has, no other run hands over a project.
    ProjectHandOver handOver;
    if (!handOver.held()) {
        context.ui.warn(kProjectHandOverBusy, Deliverable::Program);
        return kExitFailed;
    }
    if (recordLastProject(context.io, settingsFilePath(programFolder()), project.projectFile) != 0) return kExitFailed;

    const ComApartment com;
    if (!com.ready()) {
        context.ui.warn(kRenderingFailed, Deliverable::Program);
        return kExitFailed;
    }
    FilterMessageRelay relay;
    return StillJob(context, relay, handOver).run(movie, *milliseconds, *outputFile);
}

}  // namespace qucap
