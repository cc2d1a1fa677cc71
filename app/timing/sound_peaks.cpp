#include "app/timing/sound_peaks.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace qucap {
namespace {

uint16_t magnitude(int32_t sample) { return uint16_t(sample < 0 ? -sample : sample); }

int32_t clip16(int64_t v) { return int32_t(std::clamp<int64_t>(v, -32768, 32767)); }

// One sample in 16 bits, as a decoder to 16-bit PCM would give it.
int32_t sample16(const uint8_t* p, const PcmFormat& format) {
    switch (format.bitsPerSample) {
        case 8: return (int32_t(p[0]) - 128) * 256;
        case 16: return int16_t(uint16_t(p[0] | p[1] << 8));
        case 24: return int16_t(uint16_t(p[1] | p[2] << 8));
        default: break;
    }
    uint32_t bits = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    if (!format.floating) return int16_t(uint16_t(bits >> 16));
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return std::isfinite(value) ? clip16(std::lrint(double(value) * 32768.0)) : 0;
}

}  // namespace

bool PcmFormat::readable() const {
    const bool sizeKnown = floating ? bitsPerSample == 32
                                    : bitsPerSample == 8 || bitsPerSample == 16 || bitsPerSample == 24 || bitsPerSample == 32;
    return sampleRate > 0 && channels >= 1 && channels <= 8 && sizeKnown;
}

uint16_t frameLoudness(const uint8_t* frame, const PcmFormat& format) {
    uint16_t loudest = 0;
    const int sampleBytes = format.bitsPerSample / 8;
    for (int c = 0; c < format.channels; ++c)
        loudest = std::max(loudest, magnitude(sample16(frame + c * sampleBytes, format)));
    return loudest;
}

PeakTable::PeakTable(std::vector<uint16_t> slices) {
    levels_[0] = std::move(slices);
    for (int n = 1; n < kLevels; ++n) {
        const std::vector<uint16_t>& finer = levels_[n - 1];
        std::vector<uint16_t>& level = levels_[n];
        level.resize((finer.size() + 1) / 2);
        for (std::size_t i = 0; i < finer.size(); ++i) level[i / 2] = std::max(level[i / 2], finer[i]);
    }
}

uint16_t PeakTable::peakOver(int64_t from, int64_t to, int64_t resolutionMs) const {
    int n = 0;
    while (n + 1 < kLevels && sliceMs(n + 1) <= resolutionMs) ++n;
    const std::vector<uint16_t>& slices = levels_[n];
    const int64_t first = std::max<int64_t>(0, from / sliceMs(n));
    const int64_t last = std::min<int64_t>(int64_t(slices.size()), (to + sliceMs(n) - 1) / sliceMs(n));
    uint16_t loudest = 0;
    for (int64_t i = first; i < last; ++i) loudest = std::max(loudest, slices[std::size_t(i)]);
    return loudest;
}

PeakBuilder::PeakBuilder(const PcmFormat& format, bool keepFrames) : format_(format), keepFrames_(keepFrames) {}

void PeakBuilder::addFrame(const uint8_t* frame) {
    const uint16_t loudness = frameLoudness(frame, format_);
    // Slice k holds the frames n with n * 100 / rate (rounded down) equal to k:
    // the next one begins at the first frame past the slices made so far.
    constexpr int64_t kSlicesPerSecond = 1000 / PeakTable::kSliceMs;
    while (frames_ >= nextSliceFrame_) {
        slices_.push_back(0);
        nextSliceFrame_ = (int64_t(slices_.size()) * format_.sampleRate + kSlicesPerSecond - 1) / kSlicesPerSecond;
    }
    slices_.back() = std::max(slices_.back(), loudness);
    if (keepFrames_) frameLoudness_.push_back(loudness);
    ++frames_;
}

void PeakBuilder::add(const uint8_t* bytes, std::size_t size) {
    if (!format_.readable()) return;
    const auto frameBytes = std::size_t(format_.frameBytes());
    if (!partial_.empty()) {
        const std::size_t taken = std::min(size, frameBytes - partial_.size());
        partial_.insert(partial_.end(), bytes, bytes + taken);
        bytes += taken;
        size -= taken;
        if (partial_.size() < frameBytes) return;
        addFrame(partial_.data());
        partial_.clear();
    }
    for (; size >= frameBytes; bytes += frameBytes, size -= frameBytes) addFrame(bytes);
    partial_.assign(bytes, bytes + size);
}

std::vector<uint16_t> PeakBuilder::parts(int count) const {
    std::vector<uint16_t> loudest(std::size_t(std::max(count, 0)));
    const auto total = int64_t(frameLoudness_.size());
    for (int i = 0; i < count; ++i) {
        const int64_t from = total * i / count, to = total * (i + 1) / count;
        for (int64_t f = from; f < to; ++f) loudest[std::size_t(i)] = std::max(loudest[std::size_t(i)], frameLoudness_[std::size_t(f)]);
    }
    return loudest;
}

std::string peakTableBytes(const PeakTable& table) {
    const std::vector<uint16_t>& slices = table.level(0);
    std::string body = std::to_string(slices.size()) + "\n";
    for (const uint16_t v : slices) {
        body += char(v & 0xFF);
        body += char(v >> 8);
    }
    return body;
}

std::optional<PeakTable> peakTableFromBytes(std::string_view body) {
    const std::size_t line = body.find('\n');
    if (line == std::string_view::npos || line == 0 || line > 12) return std::nullopt;
    uint64_t count = 0;
    for (const char c : body.substr(0, line)) {
        if (c < '0' || c > '9') return std::nullopt;
        count = count * 10 + uint64_t(c - '0');
    }
    const std::string_view data = body.substr(line + 1);
    if (data.size() != count * 2) return std::nullopt;
    std::vector<uint16_t> slices(count);
    for (std::size_t i = 0; i < count; ++i)
        slices[i] = uint16_t(uint8_t(data[2 * i]) | uint8_t(data[2 * i + 1]) << 8);
    return PeakTable(std::move(slices));
}

}  // namespace qucap
