#pragma once
// The analyses of a movie kept beside the project, so a second load is
// instant: "NAME.peaks" and "NAME.shots" for the project "NAME.mcc". A file
// names the movie it was made from (path, size, last write) and is used only
// for that movie as it is.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qucap {

struct MovieStamp {
    std::u16string path;
    uint64_t size = 0;
    uint64_t writeTime = 0;
    bool operator==(const MovieStamp&) const = default;
};

enum class AnalysisKind { Peaks, Shots };

// The cache file of the project for the analysis.
std::u16string analysisCachePath(std::u16string_view projectFile, AnalysisKind kind);

// The file's bytes: a heading with the kind and the movie, then the body.
std::string stampedBytes(AnalysisKind kind, const MovieStamp& movie, std::string_view body);
// The body, when the bytes are a file of that kind for that movie.
std::optional<std::string_view> stampedBody(std::string_view bytes, AnalysisKind kind, const MovieStamp& movie);

}  // namespace qucap
