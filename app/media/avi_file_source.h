#pragma once
// A file read at offsets for the portable readers (avifile.h): opened for
// reading with others allowed to read only, so a writer must have closed it.
// Reads move the file pointer: one thread at a time.
#include <windows.h>

#include <memory>
#include <string>

#include "app/core/media/avi_file.h"

namespace qucap {

class FileByteSource final : public ByteSource {
public:
    // Nothing when the file cannot be opened or its size read.
    static std::unique_ptr<FileByteSource> open(const std::u16string& path);
    ~FileByteSource() override;
    FileByteSource(const FileByteSource&) = delete;
    FileByteSource& operator=(const FileByteSource&) = delete;

    uint64_t size() const override { return size_; }
    bool readAt(uint64_t offset, void* data, std::size_t length) const override;

private:
    FileByteSource(HANDLE file, uint64_t size) : file_(file), size_(size) {}

    HANDLE file_;
    uint64_t size_;
};

}  // namespace qucap
