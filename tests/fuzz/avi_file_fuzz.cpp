// AVI frame counts: any bytes are walked without a read past the end, in a
// number of reads bounded by the size (no endless loop), and a count never
// exceeds the chunk headers the bytes could hold.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "app/core/media/avi_file.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

using qucap::fuzz::require;

class MemorySource : public qucap::ByteSource {
public:
    MemorySource(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    uint64_t size() const override { return size_; }
    bool readAt(uint64_t offset, void* data, std::size_t length) const override {
        require(offset <= size_ && length <= size_ - offset);
        if (length > 0) std::memcpy(data, data_ + offset, length);
        ++reads;
        return true;
    }
    mutable uint64_t reads = 0;

private:
    const uint8_t* data_;
    size_t size_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const MemorySource source(data, size);
    const auto frames = qucap::countAviVideoFrames(source);
    // A chunk header read and at most one header field per 8 bytes, and the first RIFF header.
    require(source.reads <= 2 * (size / 8) + 1);
    if (frames) {
        require(frames->stream >= 0 && frames->stream < 100);
        require(frames->present <= size / 8 && frames->riffChunks >= 1);
    }
    require(qucap::countAviVideoFrames(source) == frames);
    return 0;
}
