#pragma once
// The file system seam on Win32 calls. Reads open files without sharing;
// writes go to a temporary file in the same folder that is then moved over
// the target, so a failed write leaves the previous file as it was.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "captiondata/io/file_system.h"

namespace qucap {

class Win32FileSystem : public FileSystem {
public:
    PathKind kind(std::u16string_view path) const override;
    ReadResult readFile(std::u16string_view path) const override;
    WriteStatus writeFile(std::u16string_view path, std::string_view bytes) override;
    bool createDirectory(std::u16string_view path) override;
    bool removeFile(std::u16string_view path) override;
    std::u16string documentsFolder() const override;
    std::optional<uint64_t> fileSize(std::u16string_view path) const override;
    std::optional<uint64_t> freeSpace(std::u16string_view folder) const override;
};

// Files larger than this are refused with ReadStatus::SizeFailed: every file
// the system reads is read whole into memory.
inline constexpr unsigned long long kMaxReadableFileBytes = 1ull << 30;

// The full path of a path relative to the current folder (GetFullPathNameW);
// the path as given when it cannot be resolved.
std::u16string fullPathOf(std::u16string_view path);

}  // namespace qucap
