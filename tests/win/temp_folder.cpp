#include "tests/win/temp_folder.h"

#include <windows.h>

#include <algorithm>
#include <atomic>

namespace qucap::test {
namespace {

std::u16string fromWide(std::wstring_view text) { return std::u16string(text.begin(), text.end()); }

std::u16string number(unsigned long value) {
    const std::wstring digits = std::to_wstring(value);
    return fromWide(digits);
}

}  // namespace

TempFolder::TempFolder() {
    static std::atomic<unsigned long> counter{0};
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    std::u16string base = fromWide(temp);
    if (!base.empty() && base.back() == u'\\') base.pop_back();
    for (;;) {
        path_ = base + u"\\qucap-win-tests-" + number(GetCurrentProcessId()) + u"-" + number(++counter);
        if (CreateDirectoryW(wide(path_), nullptr)) break;
        if (GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
}

TempFolder::~TempFolder() { removeTree(path_); }

std::u16string TempFolder::operator/(std::u16string_view name) const { return path_ + u"\\" + std::u16string(name); }

std::vector<std::u16string> namesIn(std::u16string_view folder) {
    std::vector<std::u16string> names;
    const std::u16string pattern = std::u16string(folder) + u"\\*";
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(wide(pattern), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::u16string name = fromWide(found.cFileName);
        if (name != u"." && name != u"..") names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

void putFile(std::u16string_view path, std::string_view bytes) {
    const std::u16string name(path);
    HANDLE file = CreateFileW(wide(name), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::string fileBytes(std::u16string_view path) {
    const std::u16string name(path);
    HANDLE file = CreateFileW(wide(name), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<missing>";
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

void setReadOnly(std::u16string_view path, bool readOnly) {
    const std::u16string name(path);
    SetFileAttributesW(wide(name), readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
}

void removeTree(std::u16string_view path) {
    const std::u16string name(path);
    const DWORD attributes = GetFileAttributesW(wide(name));
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        for (const auto& child : namesIn(name)) removeTree(name + u"\\" + child);
        RemoveDirectoryW(wide(name));
    } else {
        SetFileAttributesW(wide(name), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(wide(name));
    }
}

OpenHandle::~OpenHandle() {
    if (valid()) CloseHandle(handle_);
}

bool OpenHandle::valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }

void* openExclusively(std::u16string_view path) {
    const std::u16string name(path);
    return CreateFileW(wide(name), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
}

}  // namespace qucap::test
