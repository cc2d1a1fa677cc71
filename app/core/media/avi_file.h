#pragma once
// Offers: the count of the video frames an AVI file really holds, against
// the count its headers claim: from the file's own index where it lists
// every frame claimed (a few reads), else from the chunk headers one by one.
// A movie is gigabytes, so the file is read in small pieces at offsets
// through a ByteSource and the frame data itself is never read.
#include <cstddef>
#include <cstdint>
#include <optional>

namespace qucap {

// Bytes read at offsets: a file, or memory in the tests.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual uint64_t size() const = 0;
    // Fills `data` with the `length` bytes at `offset`; false when they cannot all be read.
    virtual bool readAt(uint64_t offset, void* data, std::size_t length) const = 0;
};

// How the walk of the file's chunks ended.
enum class AviEnding {
    // Every chunk lies whole inside its list and the file ends where its last
    // RIFF chunk ends. An odd-sized chunk at the end of a list or of the file
    // may lack its pad byte when the sizes around it do not count one.
    Whole,
    // The file ends inside a chunk: a RIFF, LIST or data chunk declares more
    // bytes than the file still holds. Only the whole chunks before are counted.
    Cut,
    // The walk cannot go on before the file ends: a list too small to hold
    // its type, a chunk running past the end of its list, a header in the
    // last few bytes of a list, bytes after the RIFF chunks that start no
    // 'RIFF AVIX' extension, lists nested too deep, or a failed read.
    Broken,
};

struct AviVideoFrames {
    int stream = 0;             // the number of the video stream's chunks ('00dc' → 0)
    uint64_t present = 0;       // its whole 'NNdc' and 'NNdb' chunks in the 'movi' lists of every RIFF chunk
    uint64_t claimed = 0;       // the 'dmlh' total of an OpenDML file, else the 'avih' total
    uint64_t riffChunks = 0;    // 'RIFF AVI ' and the 'RIFF AVIX' extensions walked
    AviEnding ending = AviEnding::Whole;

    bool operator==(const AviVideoFrames&) const = default;
};

// Walks the RIFF structure of an AVI file. The video stream is the first
// stream list whose 'strh' type is 'vids'. Nothing when the bytes do not
// start with 'RIFF' … 'AVI ' or no video stream header could be read (a file
// cut inside its first stream headers included). A movie written whole ends
// Whole and holds every frame written to it.
std::optional<AviVideoFrames> countAviVideoFrames(const ByteSource& source);

}  // namespace qucap
