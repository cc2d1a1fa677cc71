#pragma once
// The analyses of the project's movie through their cache files beside the
// project: read when the file is there for the movie as it is, else the
// movie analysed and the file written (a cache that cannot be written only
// costs the next load the analysis again).
#include <optional>
#include <string_view>

#include "app/media/movie_analysis.h"
#include "app/timing/analysis_cache.h"
#include "captiondata/io/file_system.h"

namespace qucap {

// The movie's path, size and last write; nothing when it cannot be read.
std::optional<MovieStamp> movieStampOf(std::u16string_view moviePath);

struct PeakAnalysis {
    AnalysisOutcome outcome = AnalysisOutcome::Failed;
    PeakTable peaks;  // empty for a movie without sound, which is Done
};

struct CachedAnalysis {
    ShotAnalysis shots;
    PeakAnalysis peaks;
};

// The parts asked for (`keepFrames` aside): those without a cache file in
// one pass over the movie.
CachedAnalysis analysedWithCache(FileSystem& files, std::u16string_view projectFile, std::u16string_view moviePath,
                                 const AnalysisParts& parts, const AnalysisControl& control = {});

ShotAnalysis shotsWithCache(FileSystem& files, std::u16string_view projectFile, std::u16string_view moviePath,
                            const AnalysisControl& control = {});

}  // namespace qucap
