#include "app/core/media/avi_file.h"

#include <algorithm>
#include <array>
#include <limits>

#include "app/core/media/avi_index.h"
#include "app/core/media/riff_fields.h"

namespace qucap {
namespace {

constexpr uint32_t kRiff = fourCc("RIFF"), kList = fourCc("LIST");
constexpr uint32_t kAvi = fourCc("AVI "), kAviExtension = fourCc("AVIX");
constexpr uint32_t kHeaderList = fourCc("hdrl"), kStreamList = fourCc("strl"), kOpenDmlList = fourCc("odml");
constexpr uint32_t kMovieList = fourCc("movi"), kRecordList = fourCc("rec ");
constexpr uint32_t kMainHeader = fourCc("avih"), kStreamHeader = fourCc("strh"), kOpenDmlHeader = fourCc("dmlh");
constexpr uint32_t kVideoType = fourCc("vids");
constexpr uint32_t kSuperIndex = fourCc("indx"), kLegacyIndex = fourCc("idx1");

constexpr std::size_t kChunkHeader = 8;  // id and size
constexpr std::size_t kListHeader = 12;  // id, size and list type
constexpr uint64_t kAvihTotalFramesAt = 16;
constexpr int kStreamNumbers = 100;      // chunk ids carry the stream as two digits
constexpr int kRecordDepth = 4;          // 'rec ' lists nest once in practice

uint64_t saturatingAdd(uint64_t a, uint64_t b) {
    return b > std::numeric_limits<uint64_t>::max() - a ? std::numeric_limits<uint64_t>::max() : a + b;
}

// A chunk whose header lies inside the file. For a list, `begin` is where
// its chunks start; `end` is where its declared size ends, which lies past
// the end of the file when `whole` is false.
struct Chunk {
    uint32_t id = 0;
    uint32_t listType = 0;
    uint64_t begin = 0;
    uint64_t end = 0;
    bool whole = true;
};

class AviWalk {
public:
    explicit AviWalk(const ByteSource& source) : source_(source), fileEnd_(source.size()) {}

    std::optional<AviVideoFrames> run() {
        if (!walkRiffChunks() || videoStream_ < 0) return std::nullopt;
        AviVideoFrames frames;
        frames.stream = videoStream_;
        frames.present = framesOfStream_[std::size_t(videoStream_)];
        frames.claimed = claimed();
        frames.riffChunks = riffChunks_;
        frames.ending = ending_;
        return frames;
    }

private:
    bool stopped() const { return ending_ != AviEnding::Whole; }
    uint64_t claimed() const { return openDmlTotal_.value_or(mainHeaderTotal_); }
    void stop(AviEnding ending) {
        if (!stopped()) ending_ = ending;
    }

    bool read(uint64_t at, void* data, std::size_t length) {
        if (at > fileEnd_ || length > fileEnd_ - at || !source_.readAt(at, data, length)) {
            stop(AviEnding::Broken);
            return false;
        }
        return true;
    }

    std::optional<uint32_t> read32(uint64_t at) {
        uint8_t bytes[4];
        if (!read(at, bytes, sizeof bytes)) return std::nullopt;
        return little32(bytes);
    }

    // The file: 'RIFF AVI ', then any 'RIFF AVIX' extensions up to its end.
    // False when it does not start as an AVI file.
    bool walkRiffChunks() {
        for (uint64_t at = 0; at < fileEnd_ && !stopped();) {
            const bool first = at == 0;
            uint8_t header[kListHeader] = {};
            const std::size_t length = std::size_t(std::min<uint64_t>(kListHeader, fileEnd_ - at));
            if (!read(at, header, length)) return !first;
            const bool riff = little32(header) == kRiff;
            const uint32_t size = little32(header + 4);
            const uint32_t form = little32(header + 8);
            if (first && (length < kListHeader || !riff || form != kAvi)) return false;
            const bool aviOrExtension = riff && (first || length < kListHeader || form == kAviExtension);
            const AviEnding fault = !aviOrExtension ? AviEnding::Broken
                                    : length < kListHeader ? AviEnding::Cut
                                    : size < 4 ? AviEnding::Broken
                                    : AviEnding::Whole;
            if (fault != AviEnding::Whole) {
                stop(fault);
                break;
            }

            ++riffChunks_;
            const uint64_t begin = at + kListHeader;
            const uint64_t end = saturatingAdd(at + kChunkHeader, size);
            riffEnd_ = end;
            walkChunks(begin, end, [&](const Chunk& chunk) { riffChild(chunk, first); });
            at = saturatingAdd(end, size & 1);
        }
        return true;
    }

    // Calls visit for each chunk in [begin, end), a list's chunks. A data
    // chunk is visited when it lies whole inside the file, a list even when
    // the file ends inside it, so that the whole chunks it holds count.
    template <class Visit>
    void walkChunks(uint64_t begin, uint64_t end, Visit visit) {
        for (uint64_t at = begin; at < end && !stopped();) {
            if (at >= fileEnd_) return stop(AviEnding::Cut);
            const uint64_t available = std::min(end, fileEnd_) - at;
            if (available < kChunkHeader) return stop(end > fileEnd_ ? AviEnding::Cut : AviEnding::Broken);
            uint8_t header[kListHeader] = {};
            const std::size_t length = std::size_t(std::min<uint64_t>(kListHeader, available));
            if (!read(at, header, length)) return;

            Chunk chunk;
            chunk.id = little32(header);
            const uint32_t size = little32(header + 4);
            const uint64_t dataBegin = at + kChunkHeader;
            if (size > end - dataBegin && end <= fileEnd_) return stop(AviEnding::Broken);  // past its list
            chunk.whole = size <= fileEnd_ - dataBegin;
            chunk.begin = dataBegin;
            chunk.end = saturatingAdd(dataBegin, size);
            if (chunk.id == kList) {
                if (size < 4) return stop(AviEnding::Broken);
                if (length < kListHeader) return stop(AviEnding::Cut);
                chunk.listType = little32(header + 8);
                chunk.begin += 4;
            } else if (!chunk.whole) {
                return stop(AviEnding::Cut);
            }
            visit(chunk);
            if (!chunk.whole) return stop(AviEnding::Cut);
            // Chunks are padded to an even size; a missing pad byte at the end of a list is taken.
            at = std::min(end, saturatingAdd(chunk.end, size & 1));
        }
    }

    void riffChild(const Chunk& chunk, bool firstRiff) {
        if (chunk.id != kList) return;
        if (chunk.listType == kMovieList && !(chunk.whole && countedByIndex(chunk, firstRiff))) walkMovie(chunk, 0);
        if (chunk.listType == kHeaderList && firstRiff && !headersRead_) {
            headersRead_ = true;
            walkChunks(chunk.begin, chunk.end, [&](const Chunk& child) { headerChild(child); });
        }
    }

    void headerChild(const Chunk& chunk) {
        if (chunk.id == kMainHeader && chunk.end - chunk.begin >= kAvihTotalFramesAt + 4)
            mainHeaderTotal_ = read32(chunk.begin + kAvihTotalFramesAt).value_or(0);
        if (chunk.id != kList) return;
        if (chunk.listType == kStreamList) {
            const int stream = streamLists_;
            streamLists_ = std::min(streamLists_ + 1, kStreamNumbers);
            walkChunks(chunk.begin, chunk.end, [&](const Chunk& child) {
                if (child.id == kSuperIndex && videoStream_ == stream && !superIndex_)
                    superIndex_ = ByteRange{child.begin, child.end};
                if (child.id != kStreamHeader || child.end - child.begin < 4 || videoStream_ >= 0) return;
                if (read32(child.begin) == kVideoType && stream < kStreamNumbers) videoStream_ = stream;
            });
        }
        if (chunk.listType == kOpenDmlList) {
            walkChunks(chunk.begin, chunk.end, [&](const Chunk& child) {
                if (child.id == kOpenDmlHeader && child.end - child.begin >= 4) openDmlTotal_ = read32(child.begin);
            });
        }
    }

    // Whether the file's own index counted the frames, so that the 'movi'
    // lists need not be walked chunk by chunk: the OpenDML super index, or
    // the 'idx1' after the list of a file that has no extensions. An index
    // that lists fewer frames than the headers claim is no proof of a loss:
    // the chunks themselves are counted then.
    bool countedByIndex(const Chunk& movie, bool firstRiff) {
        if (indexTried_ || videoStream_ < 0) return indexCounted_;
        indexTried_ = true;
        std::optional<uint64_t> listed;
        if (superIndex_) listed = framesInSuperIndex(source_, *superIndex_, videoStream_);
        else if (firstRiff && riffEnd_ >= fileEnd_) listed = legacyIndexAfter(movie);
        indexCounted_ = listed && *listed >= claimed();
        if (indexCounted_) framesOfStream_[std::size_t(videoStream_)] = *listed;
        return indexCounted_;
    }

    std::optional<uint64_t> legacyIndexAfter(const Chunk& movie) {
        const uint64_t at = movie.end + ((movie.end - movie.begin) & 1);
        uint8_t header[kChunkHeader];
        if (at > fileEnd_ || fileEnd_ - at < kChunkHeader || !source_.readAt(at, header, sizeof header) ||
            little32(header) != kLegacyIndex)
            return std::nullopt;
        const uint64_t begin = at + kChunkHeader;
        return framesInLegacyIndex(source_, {begin, begin + little32(header + 4)}, {movie.begin, movie.end},
                                   videoStream_);
    }

    // Frame chunks of a 'movi' list, inside its 'rec ' groups too.
    void walkMovie(const Chunk& list, int depth) {
        walkChunks(list.begin, list.end, [&](const Chunk& chunk) {
            if (chunk.id == kList && chunk.listType == kRecordList) {
                if (depth + 1 >= kRecordDepth) return stop(AviEnding::Broken);
                return walkMovie(chunk, depth + 1);
            }
            const int stream = videoChunkStream(chunk.id);
            if (stream >= 0) ++framesOfStream_[std::size_t(stream)];
        });
    }

    const ByteSource& source_;
    const uint64_t fileEnd_;
    AviEnding ending_ = AviEnding::Whole;
    uint64_t riffChunks_ = 0;
    bool headersRead_ = false;
    int streamLists_ = 0;
    int videoStream_ = -1;
    uint32_t mainHeaderTotal_ = 0;
    std::optional<uint32_t> openDmlTotal_;
    uint64_t riffEnd_ = 0;                 // of the RIFF chunk being walked
    std::optional<ByteRange> superIndex_;  // the video stream's 'indx'
    bool indexTried_ = false, indexCounted_ = false;
    std::array<uint64_t, kStreamNumbers> framesOfStream_{};
};

}  // namespace

std::optional<AviVideoFrames> countAviVideoFrames(const ByteSource& source) { return AviWalk(source).run(); }

}  // namespace qucap
