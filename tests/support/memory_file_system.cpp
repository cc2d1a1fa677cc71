#include "tests/support/memory_file_system.h"

namespace qucap::test {

MemoryFileSystem::MemoryFileSystem() {
    for (auto folder : {u"C:", u"C:\\Users", u"C:\\Users\\user", u"C:\\Users\\user\\Documents"})
        directories_.insert(key(folder));
}

std::u16string MemoryFileSystem::key(std::u16string_view path) {
    std::u16string k(path);
    while (k.size() > 1 && k.back() == u'\\') k.pop_back();
    for (char16_t& c : k)
        if (c >= u'A' && c <= u'Z') c = char16_t(c + 32);
    return k;
}

bool MemoryFileSystem::parentExists(std::u16string_view path) const {
    const auto slash = path.rfind(u'\\');
    return slash != std::u16string_view::npos && directories_.count(key(path.substr(0, slash)));
}

PathKind MemoryFileSystem::kind(std::u16string_view path) const {
    if (files_.count(key(path))) return PathKind::File;
    if (directories_.count(key(path))) return PathKind::Directory;
    return PathKind::Missing;
}

ReadResult MemoryFileSystem::readFile(std::u16string_view path) const {
    if (auto failure = readFailures_.find(key(path)); failure != readFailures_.end())
        return {failure->second, {}};
    if (directories_.count(key(path))) return {ReadStatus::IsDirectory, {}};
    const auto file = files_.find(key(path));
    if (file == files_.end()) return {ReadStatus::Missing, {}};
    return {ReadStatus::Ok, file->second};
}

WriteStatus MemoryFileSystem::writeFile(std::u16string_view path, std::string_view bytes) {
    if (writeFailures_.count(key(path)) || directories_.count(key(path))) return WriteStatus::CreateFailed;
    if (!parentExists(path)) return WriteStatus::CreateFailed;
    files_[key(path)] = std::string(bytes);
    ++writes_;
    return WriteStatus::Ok;
}

bool MemoryFileSystem::createDirectory(std::u16string_view path) {
    if (directoryFailures_.count(key(path)) || files_.count(key(path))) return false;
    if (directories_.count(key(path))) return true;
    if (!parentExists(path)) return false;
    directories_.insert(key(path));
    return true;
}

bool MemoryFileSystem::removeFile(std::u16string_view path) {
    return !removeFailures_.count(key(path)) && files_.erase(key(path)) > 0;
}

std::optional<uint64_t> MemoryFileSystem::fileSize(std::u16string_view path) const {
    if (readFailures_.count(key(path))) return std::nullopt;
    const auto file = files_.find(key(path));
    if (file == files_.end()) return std::nullopt;
    return file->second.size();
}

std::optional<uint64_t> MemoryFileSystem::freeSpace(std::u16string_view folder) const {
    std::u16string at = key(folder);
    for (;;) {
        if (auto set = freeSpace_.find(at); set != freeSpace_.end()) return set->second;
        const auto slash = at.rfind(u'\\');
        if (slash == std::u16string::npos) return uint64_t(1) << 40;
        at.resize(slash);
    }
}

void MemoryFileSystem::addFile(std::u16string_view path, std::string_view bytes) {
    files_[key(path)] = std::string(bytes);
}

void MemoryFileSystem::addDirectory(std::u16string_view path) {
    // Adds the folder and every folder above it.
    for (std::size_t at = path.find(u'\\'); at != std::u16string_view::npos; at = path.find(u'\\', at + 1))
        directories_.insert(key(path.substr(0, at)));
    directories_.insert(key(path));
}

void MemoryFileSystem::failReading(std::u16string_view path, ReadStatus status) { readFailures_[key(path)] = status; }
void MemoryFileSystem::failWriting(std::u16string_view path) { writeFailures_.insert(key(path)); }
void MemoryFileSystem::failCreatingDirectory(std::u16string_view path) { directoryFailures_.insert(key(path)); }
void MemoryFileSystem::failRemoving(std::u16string_view path) { removeFailures_.insert(key(path)); }
void MemoryFileSystem::setFreeSpace(std::u16string_view folder, uint64_t bytes) { freeSpace_[key(folder)] = bytes; }
void MemoryFileSystem::failFreeSpace(std::u16string_view folder) { freeSpace_[key(folder)] = std::nullopt; }

std::string MemoryFileSystem::contents(std::u16string_view path) const {
    const auto file = files_.find(key(path));
    return file == files_.end() ? std::string() : file->second;
}

}  // namespace qucap::test
