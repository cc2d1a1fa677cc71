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

ShotAnalysis shotsWithCache(FileSystem& files, std::u16string_view projectFile, std::u16string_view moviePath,
                            const AnalysisControl& control) {
    const std::optional<MovieStamp> movie = movieStampOf(moviePath);
    if (!movie) return {};
    if (const std::optional<std::string> body = cachedBody(files, projectFile, AnalysisKind::Shots, *movie))
        if (const std::optional<CutList> cuts = cutListFromBytes(*body)) return {AnalysisOutcome::Done, *cuts};
    ShotAnalysis analysis = analyseShots(moviePath, control);
    if (analysis.outcome == AnalysisOutcome::Done)
        keep(files, projectFile, AnalysisKind::Shots, *movie, cutListBytes(analysis.cuts));
    return analysis;
}

PeakAnalysis peaksWithCache(FileSystem& files, std::u16string_view projectFile, std::u16string_view moviePath,
                            const AnalysisControl& control) {
    const std::optional<MovieStamp> movie = movieStampOf(moviePath);
    if (!movie) return {};
    if (const std::optional<std::string> body = cachedBody(files, projectFile, AnalysisKind::Peaks, *movie))
        if (std::optional<PeakTable> peaks = peakTableFromBytes(*body)) return {AnalysisOutcome::Done, std::move(*peaks)};
    const SoundAnalysis sound = analyseSound(moviePath, false, control);
    PeakAnalysis analysis{sound.outcome, sound.peaks ? sound.peaks->table() : PeakTable{}};
    if (analysis.outcome == AnalysisOutcome::NoStream) analysis.outcome = AnalysisOutcome::Done;
    if (analysis.outcome == AnalysisOutcome::Done)
        keep(files, projectFile, AnalysisKind::Peaks, *movie, peakTableBytes(analysis.peaks));
    return analysis;
}

}  // namespace qucap
