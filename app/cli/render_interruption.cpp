#include "app/cli/render_interruption.h"

#include "app/cli/console_break.h"

namespace qucap {

void RenderInterruption::request() {
    const std::lock_guard<std::mutex> held(lock_);
    requested_ = true;
    if (run_) run_->abort();
}

bool RenderInterruption::requested() const { return requested_ || consoleBreakRequested(); }

void RenderInterruption::attach(SynthesisRun& run) {
    const std::lock_guard<std::mutex> held(lock_);
    run_ = &run;
    if (requested()) run.abort();
}

void RenderInterruption::detach() {
    const std::lock_guard<std::mutex> held(lock_);
    run_ = nullptr;
}

}  // namespace qucap
