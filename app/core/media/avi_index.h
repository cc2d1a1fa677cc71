#pragma once
// The video frames an AVI file's own index lists, so a movie's frames can be
// counted in a few reads instead of one read per chunk: the 'idx1' index
// at the end of a plain file, or the OpenDML super index ('indx' in the
// video stream's headers) with the standard indexes ('ix00') it points at,
// which cover every RIFF part. An entry counts when its chunk lies whole in
// the file (or in its 'movi' list) after the one before it; the last one's
// chunk header is read back, so an index that points at no frame is no
// answer.
#include <cstdint>
#include <optional>

#include "app/core/media/avi_file.h"

namespace qucap {

// Bytes [begin, end) of the file.
struct ByteRange {
    uint64_t begin = 0;
    uint64_t end = 0;
};

// The frames of stream `stream` in the 'idx1' chunk's data `index`, whose
// offsets count from the 'movi' fourcc (or from the file's start, as some
// writers have it) and must lie in `movie` (the 'movi' list's chunks).
// Nothing when the index cannot be read or its last frame is not where it says.
std::optional<uint64_t> framesInLegacyIndex(const ByteSource& source, ByteRange index, ByteRange movie, int stream);

// The frames of stream `stream` listed by the standard indexes of the super
// index whose chunk data is `superIndex`. Nothing when an index cannot be
// read, is of another kind or its last frame is not where it says.
std::optional<uint64_t> framesInSuperIndex(const ByteSource& source, ByteRange superIndex, int stream);

}  // namespace qucap
