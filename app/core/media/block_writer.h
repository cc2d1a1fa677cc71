#pragma once
// A movie's writes gathered into large blocks. A multiplexer writes in
// pieces of about 64 KB, each one call to the system; gathered here, the file
// gets one call per block of 1 MB, at offsets that are multiples of the
// block size, and whole blocks of one write go through without a copy. A
// write anywhere else (a header written over) first writes what was gathered.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace qucap {

// Where the blocks go: the file, or memory in the tests.
class BlockSink {
public:
    virtual ~BlockSink() = default;
    // Writes all `size` bytes at `offset`; false when they could not all be written.
    virtual bool writeAt(uint64_t offset, const uint8_t* data, std::size_t size) = 0;
};

class BlockWriter {
public:
    static constexpr std::size_t kBlockSize = std::size_t(1) << 20;
    explicit BlockWriter(BlockSink& sink, std::size_t blockSize = kBlockSize);

    // Writes `size` bytes at `offset`, now or with the block they fall in.
    // False when a write to the sink failed, this one's or an earlier one's:
    // after a failure every write fails, so no later byte hides a lost one.
    bool write(uint64_t offset, const uint8_t* data, std::size_t size);
    // Writes what is gathered, before the file is read, sized or closed.
    bool flush();
    bool failed() const { return failed_; }

private:
    bool pass(uint64_t offset, const uint8_t* data, std::size_t size);
    bool writeGathered();

    BlockSink& sink_;
    std::size_t blockSize_;
    std::vector<uint8_t> gathered_;  // the bytes from gatheredAt_ on
    uint64_t gatheredAt_ = 0;
    bool failed_ = false;
};

}  // namespace qucap
