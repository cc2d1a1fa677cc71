#pragma once
// One synthesis after its start was prepared (prepareSynthesis), as the
// program's start button and "Qucapcmd render" both run it: the graph built
// with the output checks, the warning of a movie too large for the fallback
// writer, the worker thread, and the finished movie put in place.
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/core/media/synthesis_start.h"
#include "app/media/movie_facts.h"
#include "app/media/synthesis_graph.h"
#include "app/media/synthesis_run.h"

namespace qucap {

struct SynthesisJobRequest {
    std::u16string inputPath;
    std::u16string outputPath;  // as prepareSynthesis left it
    const EncoderTables* encoders = nullptr;
    std::u16string videoEncoder;  // empty: uncompressed video
    std::u16string audioEncoder;  // empty: the audio as it is
    FilterMaker makeCaptionFilter;
};

class SynthesisJob {
public:
    explicit SynthesisJob(FilterGraph& graph) : graph_(graph), synthesis_(graph) {}
    SynthesisJob(const SynthesisJob&) = delete;
    SynthesisJob& operator=(const SynthesisJob&) = delete;

    // Builds the graph; the output checks run through `io` and may change
    // `overwriteConfirmed` (checkSynthesisOutput).
    SynthesisBuild build(const Io& io, const SynthesisJobRequest& request, bool& overwriteConfirmed);
    // Why the output checks refused (build gave OutputRefused).
    SynthesisRefusal refusal() const { return checked_ ? checked_->refusal : SynthesisRefusal::None; }
    // What to tell of a failed build other than a refusal, which told its own.
    std::u16string buildFailureMessage(SynthesisBuild built) const;
    // Warns when the fallback writer would have to write more than its 2 GiB.
    void warnOfLargeMovie(Ui& ui) const;

    // Starts the worker thread; `setup` gets the graph, multiplexer, output
    // and input duration filled in. False when it could not start.
    bool start(SynthesisRunSetup setup);
    SynthesisRun& run() { return *run_; }

    // After the thread's end: the movie finished (completed) or discarded.
    // The problem to tell, empty when the finished movie is in place or the
    // run did not complete.
    std::u16string finish(bool completed);
    const std::u16string& outputPath() const { return synthesis_.outputPath(); }

private:
    FilterGraph& graph_;
    SynthesisGraph synthesis_;
    std::optional<SynthesisStartResult> checked_;
    std::optional<MovieFacts> movie_;
    std::unique_ptr<SynthesisRun> run_;
};

}  // namespace qucap
