#pragma once
// Where the filter's time goes, sample by sample: the time of each step of
// the per-sample path summed over a run. Kept only when a benchmark asks;
// otherwise a step's lap is one test of a flag and no clock is read.
#include <array>
#include <cstdint>
#include <string_view>

namespace qucap {

enum class SampleStep : uint8_t {
    Arrival,       // from the last sample's return to the next one's arrival: the upstream's time
    OutputSample,  // a free output sample from the downstream allocator, its properties
    Properties,    // the samples' properties, pointers and types
    SharedBlock,   // the seek offset read from the shared control block
    Surface,       // the frame bitmap found and GDI flushed before the conversion
    Conversion,    // the input picture converted into the output frame
    Overlays,      // time display and watermark (GDI)
    RowLookup,     // the caption and box rows of the sample time
    Boxes,
    Layout,        // the caption row's layout (the cache, or a new layout)
    Rings,         // the outline effect (rings or black box)
    Glyphs,
    FinalFlush,    // GDI's last flush and, off the direct path, the copy out
    Delivery,      // the hand-on downstream and the output sample's release
};
inline constexpr std::size_t kSampleStepCount = std::size_t(SampleStep::Delivery) + 1;

// Short English names for the benchmark's table, in step order.
inline constexpr std::array<std::string_view, kSampleStepCount> kSampleStepNames = {
    "upstream until the sample arrives", "output sample (allocator)", "sample properties and types",
    "shared control block",              "frame bitmap and GDI flush", "conversion",
    "time display and watermark",        "row lookup",                "boxes",
    "caption layout (cache)",            "outline effect",            "glyphs",
    "last GDI flush",                    "delivery downstream",
};

struct SampleStepTimes {
    std::array<int64_t, kSampleStepCount> nanoseconds{};
    int64_t samples = 0;
};

class StepStopwatch {
public:
    using Clock = int64_t (*)();  // nanoseconds from any fixed point
    explicit StepStopwatch(Clock clock = steadyNanoseconds) : clock_(clock) {}

    // Starts (with sums cleared) or stops keeping times; the first lap counts from here.
    void enable(bool on);
    bool enabled() const { return enabled_; }
    // The time since the last lap (or the start) added to `step`.
    void lap(SampleStep step) {
        if (enabled_) addLap(step);
    }
    void countSample() {
        if (enabled_) ++times_.samples;
    }
    const SampleStepTimes& times() const { return times_; }

    static int64_t steadyNanoseconds();

private:
    void addLap(SampleStep step);

    Clock clock_;
    bool enabled_ = false;
    int64_t mark_ = 0;
    SampleStepTimes times_;
};

}  // namespace qucap
