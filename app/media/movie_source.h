#pragma once
// Connecting a movie's source to the filter that takes its pictures.
#include <functional>

#include "app/media/filter_graph.h"

namespace qucap {

// Connects the source's free output pin to the target's free input pin.
// First through an AVI Splitter connected by hand, whose video output is
// then connected to the target with the graph's intelligent connect (which
// adds a decoder only when the target does not take the movie's own
// format): uncompressed YUY2 and RGB reach the filter as the file holds
// them. Wine's intelligent connect would choose its GStreamer splitter for
// an AVI file, which turns YUY2 into RGB by formulas of its own. A file the
// AVI Splitter cannot read is connected by the intelligent connect from the
// source, as the program does, and where that fails (Wine finds no splitter
// for some files by itself) through the GStreamer splitter. The result of
// the last attempt. `majorType` picks the splitter's stream (the sound for
// an analysis of it).
HRESULT connectMovieTo(FilterGraph& graph, IBaseFilter* source, IBaseFilter* target,
                       const GUID& majorType = MEDIATYPE_Video);

// As connectMovieTo, for a target that takes one of several types:
// `acceptType(i)` makes it take its i-th and is false past the last. Each way
// of reading the movie is tried with every type before the next way, so an
// uncompressed movie keeps its AVI Splitter whichever type is asked first.
HRESULT connectMovieToAnyType(FilterGraph& graph, IBaseFilter* source, IBaseFilter* target, const GUID& majorType,
                              const std::function<bool(int)>& acceptType);

}  // namespace qucap
