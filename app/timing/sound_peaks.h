#pragma once
// The sound's peaks: the loudest absolute sample of each slice of the sound,
// at 16 bits (0 to 32768), the waveform the timeline draws. Level 0 has a
// slice per 10 ms; each further level halves the slices, so a zoomed-out
// strip reads few values per pixel.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qucap {

// Linear PCM as a decoder hands it on: 8-bit unsigned, 16/24/32-bit signed
// little-endian, or 32-bit floating point; channels interleaved.
struct PcmFormat {
    int64_t sampleRate = 0;
    int channels = 0;
    int bitsPerSample = 0;
    bool floating = false;

    int frameBytes() const { return channels * (bitsPerSample / 8); }
    // Whether the sound can be read: a rate, 1 to 8 channels, a size above.
    bool readable() const;
};

class PeakTable {
public:
    static constexpr int64_t kSliceMs = 10;
    static constexpr int kLevels = 8;  // slices of 10 ms to 1.28 s

    PeakTable() = default;
    // From the level-0 slices; the other levels are built from them.
    explicit PeakTable(std::vector<uint16_t> slices);

    bool empty() const { return levels_[0].empty(); }
    const std::vector<uint16_t>& level(int n) const { return levels_[std::size_t(n)]; }
    static int64_t sliceMs(int level) { return kSliceMs << level; }
    // The loudest value in the milliseconds [from, to), read at the coarsest
    // level whose slices are no longer than `resolutionMs`.
    uint16_t peakOver(int64_t from, int64_t to, int64_t resolutionMs) const;

    bool operator==(const PeakTable&) const = default;

private:
    std::vector<uint16_t> levels_[kLevels];
};

// Takes the decoded sound block by block and gives the table; with
// `keepFrames` it keeps each sample frame's loudest channel too, for the
// loudest of equal parts.
class PeakBuilder {
public:
    explicit PeakBuilder(const PcmFormat& format, bool keepFrames = false);

    // Any number of bytes; a sample frame cut by the block's end is completed by the next.
    void add(const uint8_t* bytes, std::size_t size);
    int64_t frames() const { return frames_; }
    PeakTable table() const { return PeakTable(slices_); }
    // The loudest of each of `count` equal parts of the sound: part i holds
    // the sample frames from i*T/count to (i+1)*T/count (rounded down).
    std::vector<uint16_t> parts(int count) const;

private:
    void addFrame(const uint8_t* frame);

    PcmFormat format_;
    bool keepFrames_;
    int64_t frames_ = 0;
    std::vector<uint16_t> slices_;
    int64_t nextSliceFrame_ = 0;  // the first frame of the slice after the last one
    std::vector<uint16_t> frameLoudness_;
    std::vector<uint8_t> partial_;  // the start of a sample frame the last block cut
};

// The loudest channel of one sample frame, as a 16-bit magnitude.
uint16_t frameLoudness(const uint8_t* frame, const PcmFormat& format);

// The table as a cache file's body, and back; nothing for a body that is none.
std::string peakTableBytes(const PeakTable& table);
std::optional<PeakTable> peakTableFromBytes(std::string_view body);

}  // namespace qucap
