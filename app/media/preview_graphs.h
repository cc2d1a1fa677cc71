#pragma once
// The two preview layouts of the graph record: the plain preview (source ->
// video renderer and DirectSound renderer), which also reads the movie's
// media facts, and the preview with captions (source -> caption filter ->
// video renderer, source -> DirectSound renderer). Building only; nothing
// is run here.
#include <string_view>

#include "app/core/media/media_facts.h"
#include "app/media/caption_filter.h"
#include "app/media/filter_graph.h"

namespace qucap {

// Where a build stopped.
enum class PreviewBuild {
    Built,
    NoGraph,           // the graph manager or one of its interfaces is missing
    NoCaptureBuilder,  // the capture graph builder cannot be made or attached
    NoSource,          // the movie cannot be added as "Source Filter"
    NoCaptionFilter,   // the caption filter cannot be created; nothing is connected
    NoFrameDuration,   // the graph tells no average time per frame
};

// The plain preview graph: releaseGraph, createGraph, the capture graph
// builder, the movie as "Source Filter", "Video Renderer" (DirectShow filters
// category) rendered from the source, "Default DirectSound Device" (audio
// renderers) rendered from it when that device exists. Then the media facts:
// duration and earliest position when the graph seeks in media time, the
// frame duration and frame count from the average time per frame, and the
// picture size. `facts` is written only when the build succeeds.
PreviewBuild buildPlainPreview(FilterGraph& graph, std::u16string_view moviePath, MediaFacts& facts);

// The preview graph with captions: releaseGraph, createGraph, the capture
// graph builder, the caption filter added first (as "Kavren Caption
// Synthesize Filter"), the movie as "Source Filter" connected to it, the
// video renderer behind it and the DirectSound renderer from the source. The
// media facts of the last plain preview stay in force.
PreviewBuild buildCaptionPreview(FilterGraph& graph, std::u16string_view moviePath, const FilterMaker& makeCaptionFilter);

// Lets the capture graph builder render from `from` into `target`. Where the
// builder cannot (Wine's builder does not render from a file source), the
// first free output offering `majorType` on `from` or on any filter of the
// graph (the splitter's audio stream) is connected to the target's free
// input with the graph's intelligent connect, and where there is none yet,
// the movie's source is connected to the target as connectMovieTo does.
HRESULT renderInto(FilterGraph& graph, IBaseFilter* from, IBaseFilter* target, const GUID& majorType);

}  // namespace qucap
