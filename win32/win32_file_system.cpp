#include "win32/win32_file_system.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <atomic>
#include <new>
#include <optional>

namespace qucap {
namespace {

// A NUL-terminated copy for the Win32 calls; nothing for an empty path or one
// holding a NUL, which Win32 would silently cut short.
std::optional<std::wstring> toWide(std::u16string_view path) {
    if (path.empty() || path.find(u'\0') != std::u16string_view::npos) return std::nullopt;
    return std::wstring(path.begin(), path.end());
}

std::u16string fromWide(const wchar_t* text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text));
}

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() {
        if (valid()) CloseHandle(handle_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }
    // Closes now; false when closing reported an error (data not written).
    bool close() {
        const bool closed = CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE handle_;
};

// Win32 transfers at most a DWORD per call; large buffers go in pieces.
constexpr DWORD kChunkBytes = 1u << 20;

bool readAll(HANDLE file, std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD want = DWORD(std::min<std::size_t>(bytes.size() - done, kChunkBytes));
        DWORD got = 0;
        if (!ReadFile(file, bytes.data() + done, want, &got, nullptr) || got == 0) return false;
        done += got;
    }
    return true;
}

bool writeAll(HANDLE file, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD want = DWORD(std::min<std::size_t>(bytes.size() - done, kChunkBytes));
        DWORD put = 0;
        if (!WriteFile(file, bytes.data() + done, want, &put, nullptr) || put == 0) return false;
        done += put;
    }
    return true;
}

std::wstring decimal(unsigned long value) { return std::to_wstring(value); }

// A temporary name beside the target that no other writer uses: the target's
// name with the process id and a per-process counter. When that would exceed
// MAX_PATH, a short name in the same folder instead.
std::wstring temporaryNameFor(const std::wstring& target) {
    static std::atomic<unsigned long> counter{0};
    const std::wstring tag = decimal(GetCurrentProcessId()) + L"-" + decimal(++counter) + L".tmp";
    std::wstring name = target + L"." + tag;
    if (name.size() < MAX_PATH) return name;
    const auto separator = target.find_last_of(L"\\/:");
    const std::wstring folder = separator == std::wstring::npos ? std::wstring() : target.substr(0, separator + 1);
    return folder + L"~qucap-" + tag;
}

// Creates a new temporary file; retries with the next name when one exists.
std::optional<std::wstring> createTemporaryFile(const std::wstring& target, HANDLE& created) {
    for (int attempt = 0; attempt < 16; ++attempt) {
        std::wstring name = temporaryNameFor(target);
        created = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (created != INVALID_HANDLE_VALUE) return name;
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return std::nullopt;
    }
    return std::nullopt;
}

// Moves the written temporary file over the target. A reader that has the
// target open at that moment (another run of the same project reading it)
// makes the move fail with a sharing error; readers hold it for a few
// milliseconds, so the move is tried again for up to two seconds before the
// write is given up.
bool replaceWith(const std::wstring& temporary, const std::wstring& target) {
    constexpr int kAttempts = 200;
    constexpr DWORD kPauseMs = 10;
    for (int attempt = 1;; ++attempt) {
        if (MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        const DWORD error = GetLastError();
        if (attempt == kAttempts || (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION)) return false;
        Sleep(kPauseMs);
    }
}

std::u16string withoutTrailingBackslash(std::u16string folder) {
    // "C:\" keeps its backslash: without it the name means the drive's current folder.
    while (folder.size() > 3 && folder.back() == u'\\') folder.pop_back();
    return folder;
}

}  // namespace

PathKind Win32FileSystem::kind(std::u16string_view path) const {
    const auto wide = toWide(path);
    if (!wide) return PathKind::Missing;
    const DWORD attributes = GetFileAttributesW(wide->c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::Missing;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::Directory : PathKind::File;
}

ReadResult Win32FileSystem::readFile(std::u16string_view path) const {
    switch (kind(path)) {
    case PathKind::Missing: return {ReadStatus::Missing, {}};
    case PathKind::Directory: return {ReadStatus::IsDirectory, {}};
    case PathKind::File: break;
    }
    // Other readers may hold the file at the same time (two runs of one
    // project); a writer is still kept out.
    const FileHandle file(CreateFileW(toWide(path)->c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return {ReadStatus::OpenFailed, {}};
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 ||
        static_cast<unsigned long long>(size.QuadPart) > kMaxReadableFileBytes)
        return {ReadStatus::SizeFailed, {}};
    ReadResult result{ReadStatus::Ok, {}};
    try {
        result.bytes.resize(std::size_t(size.QuadPart));
    } catch (const std::bad_alloc&) {
        return {ReadStatus::ReadFailed, {}};
    }
    if (!readAll(file.get(), result.bytes)) return {ReadStatus::ReadFailed, {}};
    return result;
}

WriteStatus Win32FileSystem::writeFile(std::u16string_view path, std::string_view bytes) {
    const auto target = toWide(path);
    if (!target) return WriteStatus::CreateFailed;
    // A folder or a read-only file is never replaced, as creating it for writing would fail.
    const DWORD attributes = GetFileAttributesW(target->c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)))
        return WriteStatus::CreateFailed;

    HANDLE created = INVALID_HANDLE_VALUE;
    const auto temporary = createTemporaryFile(*target, created);
    if (!temporary) return WriteStatus::CreateFailed;
    FileHandle file(created);
    const bool written = writeAll(file.get(), bytes) && FlushFileBuffers(file.get());
    const bool closed = file.close();
    if (written && closed && replaceWith(*temporary, *target)) return WriteStatus::Ok;
    DeleteFileW(temporary->c_str());
    return WriteStatus::WriteFailed;
}

bool Win32FileSystem::createDirectory(std::u16string_view path) {
    const auto wide = toWide(path);
    if (!wide) return false;
    if (CreateDirectoryW(wide->c_str(), nullptr)) return true;
    return GetLastError() == ERROR_ALREADY_EXISTS && kind(path) == PathKind::Directory;
}

bool Win32FileSystem::removeFile(std::u16string_view path) {
    const auto wide = toWide(path);
    return wide && DeleteFileW(wide->c_str());
}

std::u16string Win32FileSystem::documentsFolder() const {
    std::u16string folder;
    PWSTR known = nullptr;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Documents, 0, nullptr, &known)) && known) folder = fromWide(known);
    CoTaskMemFree(known);
    if (folder.empty()) {
        wchar_t personal[MAX_PATH] = {};
        if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, personal)))
            folder = fromWide(personal);
    }
    return withoutTrailingBackslash(std::move(folder));
}

std::optional<uint64_t> Win32FileSystem::fileSize(std::u16string_view path) const {
    const auto wide = toWide(path);
    if (!wide) return std::nullopt;
    const FileHandle file(
        CreateFileW(wide->c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file.valid() || !GetFileSizeEx(file.get(), &size) || size.QuadPart < 0) return std::nullopt;
    return uint64_t(size.QuadPart);
}

std::optional<uint64_t> Win32FileSystem::freeSpace(std::u16string_view folder) const {
    // An empty folder means the current drive; otherwise a trailing backslash,
    // which a network path needs.
    std::optional<std::wstring> root;
    if (!folder.empty()) {
        root = toWide(folder);
        if (!root) return std::nullopt;
        if (root->back() != L'\\') root->push_back(L'\\');
    }
    ULARGE_INTEGER available{}, total{}, totalFree{};
    if (!GetDiskFreeSpaceExW(root ? root->c_str() : nullptr, &available, &total, &totalFree)) return std::nullopt;
    return uint64_t(totalFree.QuadPart);
}

std::u16string fullPathOf(std::u16string_view path) {
    const auto wide = toWide(path);
    if (!wide) return std::u16string(path);
    const DWORD needed = GetFullPathNameW(wide->c_str(), 0, nullptr, nullptr);
    if (needed == 0) return std::u16string(path);
    std::wstring full(needed, L'\0');
    const DWORD length = GetFullPathNameW(wide->c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed) return std::u16string(path);
    full.resize(length);
    return std::u16string(full.begin(), full.end());
}

}  // namespace qucap
