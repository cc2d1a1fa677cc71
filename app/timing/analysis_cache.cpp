#include "app/timing/analysis_cache.h"

#include "captiondata/text/u16.h"

namespace qucap {
namespace {

constexpr std::string_view kHeadings[] = {"QUCAP-PEAKS 1\n", "QUCAP-SHOTS 1\n"};
constexpr std::u16string_view kExtensions[] = {u".peaks", u".shots"};

std::string stampLines(AnalysisKind kind, const MovieStamp& movie) {
    return std::string(kHeadings[int(kind)]) + toUtf8(movie.path) + "\n" + std::to_string(movie.size) + " " +
           std::to_string(movie.writeTime) + "\n";
}

}  // namespace

std::u16string analysisCachePath(std::u16string_view projectFile, AnalysisKind kind) {
    const std::size_t slash = projectFile.find_last_of(u"\\/");
    const std::size_t dot = projectFile.find_last_of(u'.');
    const bool hasExtension = dot != std::u16string_view::npos && (slash == std::u16string_view::npos || dot > slash);
    return std::u16string(projectFile.substr(0, hasExtension ? dot : projectFile.size())) +
           std::u16string(kExtensions[int(kind)]);
}

std::string stampedBytes(AnalysisKind kind, const MovieStamp& movie, std::string_view body) {
    return stampLines(kind, movie) + std::string(body);
}

std::optional<std::string_view> stampedBody(std::string_view bytes, AnalysisKind kind, const MovieStamp& movie) {
    const std::string lines = stampLines(kind, movie);
    if (bytes.substr(0, lines.size()) != lines) return std::nullopt;
    return bytes.substr(lines.size());
}

}  // namespace qucap
