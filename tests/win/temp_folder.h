#pragma once
// Real files for the Windows tests: a fresh folder under the temporary folder,
// removed with everything in it at the end, and small Win32 file helpers.
#include <string>
#include <string_view>
#include <vector>

#include "win32/wide.h"

namespace qucap::test {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::u16string& path() const { return path_; }
    // The folder joined with a name: "...\name".
    std::u16string operator/(std::u16string_view name) const;

private:
    std::u16string path_;
};

// Names in a folder (without "." and ".."), sorted.
std::vector<std::u16string> namesIn(std::u16string_view folder);
// Writes bytes directly with CreateFileW, replacing the file.
void putFile(std::u16string_view path, std::string_view bytes);
// The bytes of a file read directly, or "<missing>" when it cannot be opened.
std::string fileBytes(std::u16string_view path);
void setReadOnly(std::u16string_view path, bool readOnly);
// Removes a file or a folder tree, read-only files included.
void removeTree(std::u16string_view path);

// A Win32 handle closed at the end of the scope.
class OpenHandle {
public:
    explicit OpenHandle(void* handle) : handle_(handle) {}
    ~OpenHandle();
    OpenHandle(const OpenHandle&) = delete;
    OpenHandle& operator=(const OpenHandle&) = delete;
    void* get() const { return handle_; }
    bool valid() const;

private:
    void* handle_;
};

// Opens an existing file for reading and writing with no sharing at all.
void* openExclusively(std::u16string_view path);

using qucap::wide;

}  // namespace qucap::test
