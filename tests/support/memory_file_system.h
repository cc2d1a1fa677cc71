#pragma once
// In-memory file system for tests: Windows paths compared without regard to
// ASCII case, folders must exist before files are written into them, and
// single operations can be made to fail.
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "captiondata/io/file_system.h"

namespace qucap::test {

class MemoryFileSystem : public FileSystem {
public:
    MemoryFileSystem();

    PathKind kind(std::u16string_view path) const override;
    ReadResult readFile(std::u16string_view path) const override;
    WriteStatus writeFile(std::u16string_view path, std::string_view bytes) override;
    bool createDirectory(std::u16string_view path) override;
    bool removeFile(std::u16string_view path) override;
    std::u16string documentsFolder() const override { return documents_; }
    std::optional<uint64_t> fileSize(std::u16string_view path) const override;
    // The free space set for the folder or the nearest folder above it;
    // 1 TiB when none was set.
    std::optional<uint64_t> freeSpace(std::u16string_view folder) const override;

    // Test set-up.
    void addFile(std::u16string_view path, std::string_view bytes);
    void addDirectory(std::u16string_view path);
    void setDocumentsFolder(std::u16string folder) { documents_ = std::move(folder); }
    void failReading(std::u16string_view path, ReadStatus status);
    void failWriting(std::u16string_view path);
    void failCreatingDirectory(std::u16string_view path);
    void failRemoving(std::u16string_view path);
    void setFreeSpace(std::u16string_view folder, uint64_t bytes);
    void failFreeSpace(std::u16string_view folder);

    // Inspection.
    std::string contents(std::u16string_view path) const;
    int writeCount() const { return writes_; }

private:
    static std::u16string key(std::u16string_view path);
    bool parentExists(std::u16string_view path) const;

    std::map<std::u16string, std::string> files_;
    std::set<std::u16string> directories_;
    std::map<std::u16string, ReadStatus> readFailures_;
    std::set<std::u16string> writeFailures_;
    std::set<std::u16string> directoryFailures_;
    std::set<std::u16string> removeFailures_;
    std::map<std::u16string, std::optional<uint64_t>> freeSpace_;
    std::u16string documents_ = u"C:\\Users\\user\\Documents";
    int writes_ = 0;
};

}  // namespace qucap::test
