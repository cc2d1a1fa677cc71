#pragma once
// The synthesis graph: the movie's source, the caption filter, the chosen
// encoders and the AVI multiplexer writing the output file.
//
// The movie is written under a temporary name beside the output file and
// renamed to the output name only when the synthesis completed, so an
// interrupted or failed run never leaves a file that looks like a finished
// movie, and an old output file agreed to be replaced is gone only then.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "app/core/media/encoder_tables.h"
#include "app/media/caption_filter.h"
#include "app/media/filter_graph.h"
#include "app/media/stream_file_writer.h"

namespace qucap {

// Where building stopped.
enum class SynthesisBuild {
    Built,
    NoGraph,           // no graph manager, or no capture graph builder for it
    OutputRefused,     // the output checks refused (they said why)
    OutputNotCreated,  // the movie's file cannot be created (a name the system refuses, a folder not writable)
    NoOutputFile,      // neither the capture graph builder nor the own writer took the output file
    NoCaptionFilter,   // the caption filter cannot be created
    NoSource,          // the movie cannot be added as a source
    NotConnected,      // no stream reaches the multiplexer
};

struct SynthesisRequest {
    std::u16string inputPath;
    const EncoderTables* encoders = nullptr;  // needed when an encoder is chosen
    std::u16string videoEncoder;              // empty: uncompressed video
    std::u16string audioEncoder;              // empty: the audio as it is
    FilterMaker makeCaptionFilter;
    // The output checks, made after the encoders are added: the final
    // output path, or nothing when they refused.
    std::function<std::optional<std::u16string>()> checkOutput;
    // Whether the file writer times its system calls (for the benchmark).
    bool timeFileWrites = false;
};

// What became of the written movie after the run.
enum class SynthesisFinish {
    Replaced,                // the finished movie took the output name
    Discarded,               // the run did not complete: its file was deleted
    KeptUnderTemporaryName,  // finished, but the output name could not be replaced
    NotWritten,              // the run completed but no movie file was written
    CutShort,                // the written movie holds fewer frames than the multiplexer took: deleted
};

// The temporary name the movie is written under: the output path followed
// by ".part".
std::u16string temporaryOutputName(std::u16string_view outputPath);

// The seconds each step of a finish took, for the synthesis benchmark.
struct FinishTimes {
    double stop = 0;      // the graph stopped: the multiplexer writes its headers and index
    double close = 0;     // the file writer's last block and the close
    double emptying = 0;  // the graph's filters released
    double count = 0;     // the frame count of the written movie
    double rename = 0;    // the move over the output name
};

class SynthesisGraph {
public:
    // Builds in `graph`, which it empties first (a graph manager is created
    // when the record has none).
    explicit SynthesisGraph(FilterGraph& graph) : graph_(graph) {}
    ~SynthesisGraph();
    SynthesisGraph(const SynthesisGraph&) = delete;
    SynthesisGraph& operator=(const SynthesisGraph&) = delete;

    SynthesisBuild build(const SynthesisRequest& request);
    // The result of the last failed step of build.
    HRESULT lastResult() const { return lastResult_; }

    IBaseFilter* multiplexer() const { return graph_.multiplexer().get(); }
    const std::u16string& outputPath() const { return outputPath_; }
    const std::u16string& writtenPath() const { return writtenPath_; }
    // Whether the own file writer stands in for the system's.
    bool usesOwnFileWriter() const { return ownWriter_ != nullptr; }
    // What the own file writer did, kept after finish (zero for the system's writer).
    FileWriteStats writerStats() const { return ownWriter_ ? ownWriter_->stats() : writerStats_; }

    // After the run: stops and empties the graph, so the file is closed; a
    // completed movie is checked (a file that lost frames, as a multiplexer
    // without OpenDML loses those past 2 GiB, is deleted) and then replaces
    // the output name in one move, an incomplete one is deleted. A finished movie that cannot take the output
    // name stays under writtenPath() and the old file is left as it was.
    SynthesisFinish finish(bool completed);
    FinishTimes finishTimes() const { return finishTimes_; }

private:
    SynthesisBuild fail(SynthesisBuild step, HRESULT result);
    HRESULT tryCreatingWrittenFile() const;
    HRESULT setOutputFile();
    HRESULT addOwnAviWriter(bool timeFileWrites);
    HRESULT renderVideo();
    HRESULT renderAudio();

    FilterGraph& graph_;
    StreamFileWriter* ownWriter_ = nullptr;  // kept alive by ownWriterFilter_
    ComPtr<IBaseFilter> ownWriterFilter_;
    FileWriteStats writerStats_;
    std::u16string outputPath_;
    std::u16string writtenPath_;
    bool finished_ = true;
    HRESULT lastResult_ = S_OK;
    FinishTimes finishTimes_;
};

}  // namespace qucap
