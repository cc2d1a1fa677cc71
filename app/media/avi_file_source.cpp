#include "app/media/avi_file_source.h"

#include <algorithm>

#include "win32/wide.h"

namespace qucap {

std::unique_ptr<FileByteSource> FileByteSource::open(const std::u16string& path) {
    HANDLE file = CreateFileW(wide(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return nullptr;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size) || size.QuadPart < 0) {
        CloseHandle(file);
        return nullptr;
    }
    return std::unique_ptr<FileByteSource>(new FileByteSource(file, uint64_t(size.QuadPart)));
}

FileByteSource::~FileByteSource() { CloseHandle(file_); }

// SetFilePointerEx then ReadFile: under Wine a read with its offset in an
// OVERLAPPED costs ten times as much, and a count reads once per frame.
bool FileByteSource::readAt(uint64_t offset, void* data, std::size_t length) const {
    if (offset > size_ || length > size_ - offset) return false;
    LARGE_INTEGER at{};
    at.QuadPart = LONGLONG(offset);
    if (!SetFilePointerEx(file_, at, nullptr, FILE_BEGIN)) return false;
    auto* bytes = static_cast<char*>(data);
    while (length > 0) {
        const DWORD piece = DWORD(std::min<std::size_t>(length, 1u << 30));
        DWORD read = 0;
        if (!ReadFile(file_, bytes, piece, &read, nullptr) || read != piece) return false;
        bytes += piece;
        length -= piece;
    }
    return true;
}

}  // namespace qucap
