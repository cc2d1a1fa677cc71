#include "app/media/synthesis_job.h"

#include <utility>

#include "app/core/file_selection/file_selection_tab.h"
#include "app/core/media/media_facts.h"
#include "app/core/media/movie_size.h"

namespace qucap {

SynthesisBuild SynthesisJob::build(const Io& io, const SynthesisJobRequest& request, bool& overwriteConfirmed) {
    // Read before the synthesis graph holds the movie open.
    movie_ = readMovieFacts(request.inputPath);
    SynthesisRequest graphRequest;
    graphRequest.inputPath = request.inputPath;
    graphRequest.encoders = request.encoders;
    graphRequest.videoEncoder = request.videoEncoder;
    graphRequest.audioEncoder = request.audioEncoder;
    graphRequest.makeCaptionFilter = request.makeCaptionFilter;
    graphRequest.checkOutput = [&]() -> std::optional<std::u16string> {
        checked_ = checkSynthesisOutput(io, request.inputPath, request.outputPath, overwriteConfirmed);
        if (!checked_->go()) return std::nullopt;
        return checked_->outputPath;
    };
    return synthesis_.build(graphRequest);
}

std::u16string SynthesisJob::buildFailureMessage(SynthesisBuild built) const {
    switch (built) {
        case SynthesisBuild::Built:
        case SynthesisBuild::OutputRefused: return {};
        case SynthesisBuild::OutputNotCreated: return outputNotCreatedMessage(synthesis_.outputPath());
        case SynthesisBuild::NoCaptionFilter: return std::u16string(kCaptionFilterUnavailable);
        default: return std::u16string(kRenderingFailed);
    }
}

void SynthesisJob::warnOfLargeMovie(Ui& ui) const {
    if (!synthesis_.usesOwnFileWriter() || !movie_) return;
    if (passesPlainAviLimit(totalFrameCount(movie_->duration, movie_->frameDuration), movie_->width, movie_->height))
        ui.warn(kLargeMovieWarning, Deliverable::Program);
}

bool SynthesisJob::start(SynthesisRunSetup setup) {
    int64_t inputDuration = 0;
    if (FAILED(graph_.duration(inputDuration))) inputDuration = 0;
    setup.graph = &graph_;
    setup.multiplexer = synthesis_.multiplexer();
    setup.outputPath = synthesis_.outputPath();
    setup.inputDuration = inputDuration;
    run_ = std::make_unique<SynthesisRun>(std::move(setup));
    return run_->start();
}

std::u16string SynthesisJob::finish(bool completed) {
    const SynthesisFinish finished = synthesis_.finish(completed);
    if (!completed) return {};
    switch (finished) {
        case SynthesisFinish::Replaced: return {};
        case SynthesisFinish::KeptUnderTemporaryName: return outputNotReplacedMessage(synthesis_.writtenPath());
        case SynthesisFinish::CutShort: return std::u16string(kMovieCutShort);
        default: return std::u16string(kOutputNotCreated);
    }
}

}  // namespace qucap
