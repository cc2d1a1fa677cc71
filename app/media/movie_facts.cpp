#include "app/media/movie_facts.h"

#include <cstdlib>

#include "app/media/media_type.h"
#include "app/media/movie_source.h"
#include "app/media/sample_grabber.h"

namespace qucap {

std::optional<MovieFacts> readMovieFacts(std::u16string_view moviePath) {
    FilterGraph graph;
    if (graph.createGraph() != 0) return std::nullopt;
    ComPtr<IBaseFilter> source, grabberFilter;
    ComPtr<ISampleGrabber> grabber;
    if (FAILED(graph.addSourceFilter(moviePath, source)) ||
        FAILED(addVideoSampleGrabber(graph, grabberFilter, grabber)) ||
        FAILED(connectMovieTo(graph, source.get(), grabberFilter.get())))
        return std::nullopt;
    ReceivedMediaType connected;
    if (FAILED(grabber->GetConnectedMediaType(connected.put()))) return std::nullopt;
    const std::optional<VideoFormat> format = videoFormatOf(connected.get());
    if (!format || format->averageTimePerFrame <= 0 || format->width <= 0 || format->height == 0) return std::nullopt;
    return MovieFacts{format->averageTimePerFrame, format->width, std::abs(format->height)};
}

}  // namespace qucap
