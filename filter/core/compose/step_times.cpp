#include "filter/core/compose/step_times.h"

#include <chrono>

namespace qucap {

int64_t StepStopwatch::steadyNanoseconds() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void StepStopwatch::enable(bool on) {
    enabled_ = on;
    if (!on) return;
    times_ = {};
    mark_ = clock_();
}

void StepStopwatch::addLap(SampleStep step) {
    const int64_t now = clock_();
    times_.nanoseconds[std::size_t(step)] += now - mark_;
    mark_ = now;
}

}  // namespace qucap
