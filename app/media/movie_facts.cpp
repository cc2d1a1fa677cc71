#include "app/media/movie_facts.h"

#include <cstdlib>

#include "app/media/media_type.h"
#include "app/media/movie_source.h"
#include "app/media/sample_grabber.h"

namespace qucap {
namespace {

// The duration the pin feeding the grabber tells: the graph itself tells
// none without a renderer.
int64_t streamDuration(IBaseFilter* grabber) {
    ComPtr<IEnumPins> pins;
    ComPtr<IPin> input, feeder;
    ComPtr<IMediaSeeking> seeking;
    LONGLONG duration = 0;
    if (FAILED(grabber->EnumPins(pins.put())) || pins->Next(1, input.put(), nullptr) != S_OK ||
        input->ConnectedTo(feeder.put()) != S_OK || FAILED(feeder.query(IID_IMediaSeeking, seeking)) ||
        FAILED(seeking->GetDuration(&duration)))
        return 0;
    return duration;
}

}  // namespace

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
    return MovieFacts{format->averageTimePerFrame, format->width, std::abs(format->height),
                      streamDuration(grabberFilter.get())};
}

}  // namespace qucap
