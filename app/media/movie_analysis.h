#pragma once
// The movie decoded as fast as it comes, for the timing analyses: its sound
// into the peak table, its pictures into the cut detector. Each run is a
// graph of its own without a clock (source, splitter, decoder where one is
// needed, Sample Grabber, Null Renderer), on the calling thread, which must
// be in a COM apartment.
#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "app/timing/shot_detector.h"
#include "app/timing/sound_peaks.h"

namespace qucap {

enum class AnalysisOutcome {
    Done,
    NoStream,  // the movie has no sound (or no picture)
    Failed,    // it could not be read
    Stopped,   // `stop` was set
};

struct AnalysisControl {
    const std::atomic<bool>* stop = nullptr;            // checked between waits
    std::function<void(int percent)> progress = {};     // called on the calling thread
};

struct SoundAnalysis {
    AnalysisOutcome outcome = AnalysisOutcome::Failed;
    std::optional<PeakBuilder> peaks;  // with the sound, when it was decoded
};
// The sound as 16-bit-or-other linear PCM; `keepFrames` as PeakBuilder's.
SoundAnalysis analyseSound(std::u16string_view moviePath, bool keepFrames, const AnalysisControl& control = {});

struct ShotAnalysis {
    AnalysisOutcome outcome = AnalysisOutcome::Failed;
    CutList cuts;  // its frame duration from the picture's type
};
ShotAnalysis analyseShots(std::u16string_view moviePath, const AnalysisControl& control = {});

struct AnalysisParts {
    bool shots = false;
    bool sound = false;
    bool keepFrames = false;  // of the sound, as PeakBuilder's
};
struct MovieAnalysis {
    ShotAnalysis shots;  // each part's outcome Failed when it was not asked for
    SoundAnalysis sound;
};
// The parts asked for in one graph, so the movie is read once for both.
MovieAnalysis analyseMovie(std::u16string_view moviePath, const AnalysisParts& parts, const AnalysisControl& control = {});

}  // namespace qucap
