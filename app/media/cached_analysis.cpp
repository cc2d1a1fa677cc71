#include "app/media/cached_analysis.h"

#include <windows.h>

#include "win32/wide.h"

namespace qucap {
namespace {

std::optional<std::string> cachedBody(FileSystem& files, std::u16string_view projectFile, AnalysisKind kind,
                                      const MovieStamp& movie) {
    const ReadResult read = files.readFile(analysisCachePath(projectFile, kind));
    if (read.status != ReadStatus::Ok) return std::nullopt;
    const std::optional<std::string_view> body = stampedBody(read.bytes, kind, movie);
    return body ? std::optional(std::string(*body)) : std::nullopt;
}

void keep(FileSystem& files, std::u16string_view projectFile, AnalysisKind kind, const MovieStamp& movie,
          std::string_view body) {
    files.writeFile(analysisCachePath(projectFile, kind), stampedBytes(kind, movie, body));
}

}  // namespace

std::optional<MovieStamp> movieStampOf(std::u16string_view moviePath) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(wide(std::u16string(moviePath)), GetFileExInfoStandard, &data)) return std::nullopt;
    return MovieStamp{std::u16string(moviePath), uint64_t(data.nFileSizeHigh) << 32 | data.nFileSizeLow,
                      uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32 | data.ftLastWriteTime.dwLowDateTime};
}

CachedAnalysis analysedWithCache(FileSystem& files, std::u16string_view projectFile, std::u16string_view moviePath,
                                 const AnalysisParts& parts, const AnalysisControl& control) {
    CachedAnalysis result;
    const std::optional<MovieStamp> movie = movieStampOf(moviePath);
    if (!movie) return result;
    AnalysisParts missing;
    if (parts.shots) {
        const std::optional<std::string> body = cachedBody(files, projectFile, AnalysisKind::Shots, *movie);
        const std::optional<CutList> cuts = body ? cutListFromBytes(*body) : std::nullopt;
        if (cuts) result.shots = {AnalysisOutcome::Done, *cuts};
        missing.shots = !cuts;
    }
    if (parts.sound) {
        const std::optional<std::string> body = cachedBody(files, projectFile, AnalysisKind::Peaks, *movie);
        std::optional<PeakTable> peaks = body ? peakTableFromBytes(*body) : std::nullopt;
        if (peaks) result.peaks = {AnalysisOutcome::Done, std::move(*peaks)};
        missing.sound = !peaks;
    }
    if (!missing.shots && !missing.sound) return result;
    MovieAnalysis analysis = analyseMovie(moviePath, missing, control);
    if (missing.shots) {
        result.shots = std::move(analysis.shots);
        if (result.shots.outcome == AnalysisOutcome::Done)
            keep(files, projectFile, AnalysisKind::Shots, *movie, cutListBytes(result.shots.cuts));
    }
    if (missing.sound) {
        result.peaks = {analysis.sound.outcome, analysis.sound.peaks ? analysis.sound.peaks->table() : PeakTable{}};
        // A movie without sound keeps its empty table too.
        if (result.peaks.outcome == AnalysisOutcome::NoStream) result.peaks.outcome = AnalysisOutcome::Done;
        if (result.peaks.outcome == AnalysisOutcome::Done)
            keep(files, projectFile, AnalysisKind::Peaks, *movie, peakTableBytes(result.peaks.peaks));
    }
    return result;
}

ShotAnalysis shotsWithCache(FileSystem& files, std::u16string_view projectFile, std::u16string_view moviePath,
                            const AnalysisControl& control) {
    return analysedWithCache(files, projectFile, moviePath, {.shots = true}, control).shots;
}

}  // namespace qucap
