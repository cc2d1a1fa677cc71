#include "app/core/media/block_writer.h"

#include <algorithm>

namespace qucap {

BlockWriter::BlockWriter(BlockSink& sink, std::size_t blockSize) : sink_(sink), blockSize_(std::max<std::size_t>(blockSize, 1)) {}

bool BlockWriter::write(uint64_t offset, const uint8_t* data, std::size_t size) {
    if (failed_) return false;
    if (!gathered_.empty() && offset != gatheredAt_ + gathered_.size() && !writeGathered()) return false;
    while (size > 0) {
        if (gathered_.empty()) {
            gatheredAt_ = offset;
            // Whole blocks from a block boundary go to the sink as they are.
            if (offset % blockSize_ == 0 && size >= blockSize_) {
                const std::size_t whole = size - size % blockSize_;
                if (!pass(offset, data, whole)) return false;
                offset += whole;
                data += whole;
                size -= whole;
                continue;
            }
            gathered_.reserve(blockSize_);
        }
        const uint64_t blockEnd = (gatheredAt_ / blockSize_ + 1) * blockSize_;
        const std::size_t taken = std::size_t(std::min<uint64_t>(size, blockEnd - (gatheredAt_ + gathered_.size())));
        gathered_.insert(gathered_.end(), data, data + taken);
        offset += taken;
        data += taken;
        size -= taken;
        if (gatheredAt_ + gathered_.size() == blockEnd && !writeGathered()) return false;
    }
    return true;
}

bool BlockWriter::flush() { return !failed_ && writeGathered(); }

bool BlockWriter::pass(uint64_t offset, const uint8_t* data, std::size_t size) {
    if (!sink_.writeAt(offset, data, size)) failed_ = true;
    return !failed_;
}

bool BlockWriter::writeGathered() {
    if (gathered_.empty()) return true;
    const bool written = pass(gatheredAt_, gathered_.data(), gathered_.size());
    gathered_.clear();
    return written;
}

}  // namespace qucap
