#pragma once
// Ctrl+C during "render", from its first step on. Before the synthesis
// runs, a break ends the job at its next step (nothing half-made is left:
// the temporary movie is removed, an old output stays); while it runs, the
// break is the abort button of the run. The break handler's thread and the
// job's thread meet under a lock, so a run is never aborted after it ended.
#include <atomic>
#include <mutex>

#include "app/media/synthesis_run.h"

namespace qucap {

class RenderInterruption {
public:
    // From the break handler's thread.
    void request();
    // Also a break that came before this job took breaks.
    bool requested() const;

    // The run that a break aborts from now on (at once when one came before).
    void attach(SynthesisRun& run);
    // Before the run ends its life.
    void detach();

private:
    std::mutex lock_;
    std::atomic<bool> requested_{false};
    SynthesisRun* run_ = nullptr;
};

}  // namespace qucap
