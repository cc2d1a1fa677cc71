#include "app/core/media/avi_index.h"

#include <algorithm>
#include <vector>

#include "app/core/media/riff_fields.h"

namespace qucap {
namespace {

constexpr uint64_t kChunkHeader = 8;
constexpr uint64_t kEntriesARead = 4096;  // index entries read at once

// 'idx1': ckid, flags, offset, size.
constexpr uint64_t kLegacyEntry = 16;
// 'indx': wLongsPerEntry, bIndexSubType, bIndexType, nEntriesInUse,
// dwChunkId, three reserved; entries of qwOffset, dwSize, dwDuration.
constexpr uint64_t kSuperHeader = 24, kSuperEntry = 16;
constexpr int kSuperLongs = 4, kIndexOfIndexes = 0;
// 'ix00': the chunk header, wLongsPerEntry, bIndexSubType, bIndexType,
// nEntriesInUse, dwChunkId, qwBaseOffset, one reserved; entries of
// dwOffset, dwSize (its top bit marks a frame that is no key frame).
constexpr uint64_t kStandardHeader = kChunkHeader + 24, kStandardEntry = 8;
constexpr int kStandardLongs = 2, kIndexOfChunks = 1;
constexpr uint32_t kSizeBits = 0x7FFFFFFF;

// The frames an index lists, taken in file order: each frame's chunk must
// lie in the bounds after the chunk before it.
class FrameRun {
public:
    explicit FrameRun(ByteRange bounds) : bounds_(bounds), next_(bounds.begin) {}

    // A frame whose data is [data, data + size); false when it is out of place.
    bool take(uint64_t data, uint64_t size) {
        if (data < next_ || data - next_ < kChunkHeader || data > bounds_.end || size > bounds_.end - data) return false;
        lastData_ = data;
        lastSize_ = size;
        next_ = data + size + (size & 1);
        ++count_;
        return true;
    }
    uint64_t count() const { return count_; }

    // Whether the last frame's chunk header names the stream and the size
    // the index gives: an index that points at no frame is no answer.
    bool lastConfirmed(const ByteSource& source, int stream) const {
        if (count_ == 0) return true;
        uint8_t header[kChunkHeader];
        return source.readAt(lastData_ - kChunkHeader, header, sizeof header) &&
               videoChunkStream(little32(header)) == stream && little32(header + 4) == lastSize_;
    }

private:
    ByteRange bounds_;
    uint64_t next_;
    uint64_t lastData_ = 0, lastSize_ = 0;
    uint64_t count_ = 0;
};

// Calls take(entry bytes) for `count` entries of `size` bytes from `at`, in
// reads of a few thousand; false when a read fails or take refuses one.
template <class Take>
bool forEachEntry(const ByteSource& source, uint64_t at, uint64_t count, uint64_t size, Take take) {
    std::vector<uint8_t> block;
    for (uint64_t done = 0; done < count;) {
        const uint64_t entries = std::min(kEntriesARead, count - done);
        block.resize(std::size_t(entries * size));
        if (!source.readAt(at + done * size, block.data(), block.size())) return false;
        for (uint64_t i = 0; i < entries; ++i)
            if (!take(block.data() + i * size)) return false;
        done += entries;
    }
    return true;
}

bool fits(const ByteSource& source, uint64_t at, uint64_t length) {
    return at <= source.size() && length <= source.size() - at;
}

}  // namespace

std::optional<uint64_t> framesInLegacyIndex(const ByteSource& source, ByteRange index, ByteRange movie, int stream) {
    if (index.end < index.begin || !fits(source, index.begin, index.end - index.begin) || movie.begin < 4)
        return std::nullopt;
    const uint64_t entries = (index.end - index.begin) / kLegacyEntry;
    if (entries == 0) return 0;
    // Offsets count from the 'movi' fourcc, or from the file's start where
    // the first one lies in the list.
    uint8_t first[kLegacyEntry];
    if (!source.readAt(index.begin, first, sizeof first)) return std::nullopt;
    const uint64_t base = little32(first + 8) >= movie.begin ? 0 : movie.begin - 4;
    FrameRun frames(movie);
    const bool read = forEachEntry(source, index.begin, entries, kLegacyEntry, [&](const uint8_t* entry) {
        if (videoChunkStream(little32(entry)) != stream) return true;
        return frames.take(base + little32(entry + 8) + kChunkHeader, little32(entry + 12));
    });
    if (!read || !frames.lastConfirmed(source, stream)) return std::nullopt;
    return frames.count();
}

std::optional<uint64_t> framesInSuperIndex(const ByteSource& source, ByteRange superIndex, int stream) {
    uint8_t header[kStandardHeader];
    if (superIndex.end < superIndex.begin || superIndex.end - superIndex.begin < kSuperHeader ||
        !source.readAt(superIndex.begin, header, kSuperHeader))
        return std::nullopt;
    const uint64_t indexes = little32(header + 4);
    if (little16(header) != kSuperLongs || header[2] != 0 || header[3] != kIndexOfIndexes ||
        videoChunkStream(little32(header + 8)) != stream ||
        indexes > (superIndex.end - superIndex.begin - kSuperHeader) / kSuperEntry)
        return std::nullopt;
    FrameRun frames({0, source.size()});
    uint64_t nextIndex = 0;  // the standard indexes lie in file order too
    const bool read = forEachEntry(source, superIndex.begin + kSuperHeader, indexes, kSuperEntry, [&](const uint8_t* entry) {
        const uint64_t at = little64(entry);
        if (at < nextIndex || !fits(source, at, kStandardHeader) || !source.readAt(at, header, sizeof header))
            return false;
        const uint64_t size = little32(header + 4), count = little32(header + 12), base = little64(header + 20);
        if (!fits(source, at + kChunkHeader, size) || size < kStandardHeader - kChunkHeader ||
            little16(header + 8) != kStandardLongs || header[10] != 0 || header[11] != kIndexOfChunks ||
            videoChunkStream(little32(header + 16)) != stream ||
            count > (size - (kStandardHeader - kChunkHeader)) / kStandardEntry)
            return false;
        nextIndex = at + kChunkHeader + size;
        return forEachEntry(source, at + kStandardHeader, count, kStandardEntry, [&](const uint8_t* frame) {
            const uint64_t offset = little32(frame);
            return base <= source.size() && offset <= source.size() - base &&
                   frames.take(base + offset, little32(frame + 4) & kSizeBits);
        });
    });
    if (!read || !frames.lastConfirmed(source, stream)) return std::nullopt;
    return frames.count();
}

}  // namespace qucap
