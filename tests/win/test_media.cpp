#include "tests/win/test_media.h"

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "tests/win/temp_folder.h"

namespace qucap::test {
namespace {

uint32_t little32(const std::string& bytes, std::size_t at) {
    uint32_t value = 0;
    std::memcpy(&value, bytes.data() + at, 4);
    return value;
}

}  // namespace

std::optional<std::u16string> testMovie(const char* name) {
    const char* folder = std::getenv("QUCAP_TEST_MEDIA");
    if (folder == nullptr || folder[0] != '/') return std::nullopt;
    std::u16string path = u"Z:";
    for (const char* c = folder; *c != '\0'; ++c) path += *c == '/' ? u'\\' : char16_t(static_cast<unsigned char>(*c));
    path += u'\\';
    for (const char* c = name; *c != '\0'; ++c) path += char16_t(*c);
    if (GetFileAttributesW(wide(path)) == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    return path;
}

std::vector<std::string> aviVideoChunks(const std::u16string& path) {
    const std::string file = fileBytes(path);
    std::vector<std::string> chunks;
    const std::size_t movie = file.find("LIST", 0);
    std::size_t at = file.find("movi", movie == std::string::npos ? 0 : movie);
    if (at == std::string::npos) return chunks;
    // Chunks follow one another inside the movie list, each padded to an even size.
    for (at += 4; at + 8 <= file.size();) {
        const std::string id = file.substr(at, 4);
        const uint32_t size = little32(file, at + 4);
        if (id == "idx1" || at + 8 + size > file.size()) break;
        if (id == "LIST") {  // a record list ("rec ") holds chunks of its own
            at += 12;
            continue;
        }
        if (id.compare(2, 2, "db") == 0 || id.compare(2, 2, "dc") == 0) chunks.push_back(file.substr(at + 8, size));
        at += 8 + size + (size & 1);
    }
    return chunks;
}

}  // namespace qucap::test
