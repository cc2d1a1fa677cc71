#pragma once
// Seam to the file system. The Windows shells implement it with Win32 calls;
// tests use an in-memory fake. Paths are Windows paths ("C:\folder\file").
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qucap {

enum class PathKind { Missing, File, Directory };

enum class ReadStatus { Ok, Missing, IsDirectory, OpenFailed, SizeFailed, ReadFailed };

struct ReadResult {
    ReadStatus status = ReadStatus::Missing;
    std::string bytes;
};

enum class WriteStatus { Ok, CreateFailed, WriteFailed };

class FileSystem {
public:
    virtual ~FileSystem() = default;

    virtual PathKind kind(std::u16string_view path) const = 0;
    // Opens without sharing and reads the whole file.
    virtual ReadResult readFile(std::u16string_view path) const = 0;
    // Writes a temporary file in the same folder and moves it over `path`,
    // so a failed write leaves the previous file as it was.
    virtual WriteStatus writeFile(std::u16string_view path, std::string_view bytes) = 0;
    // Creates one folder; true also when it exists already.
    virtual bool createDirectory(std::u16string_view path) = 0;
    virtual bool removeFile(std::u16string_view path) = 0;
    // The user's documents folder, without a trailing backslash.
    virtual std::u16string documentsFolder() const = 0;
    // The size in bytes of a file opened for reading without sharing;
    // nothing when it cannot be opened.
    virtual std::optional<uint64_t> fileSize(std::u16string_view path) const = 0;
    // The total free bytes of the volume that holds the folder; nothing when
    // the query fails.
    virtual std::optional<uint64_t> freeSpace(std::u16string_view folder) const = 0;

    bool exists(std::u16string_view path) const { return kind(path) != PathKind::Missing; }
    bool isFile(std::u16string_view path) const { return kind(path) == PathKind::File; }
    bool isDirectory(std::u16string_view path) const { return kind(path) == PathKind::Directory; }
};

}  // namespace qucap
