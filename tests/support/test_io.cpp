#include "tests/support/test_io.h"

#include <fstream>
#include <sstream>

#include "captiondata/text/utf16_writer.h"

namespace qucap::test {

std::u16string TestIo::inputFile(const unsigned char* data, std::size_t size) {
    files.addDirectory(u"C:\\in");
    const std::u16string path = u"C:\\in\\input.csv";
    files.addFile(path, std::string(reinterpret_cast<const char*>(data), size));
    return path;
}

std::string utf16File(std::initializer_list<std::u16string_view> lines) {
    Utf16FileBuilder builder;
    for (auto line : lines) builder.line(line);
    return builder.bytes();
}

std::string utf16Bytes(std::u16string_view text) {
    std::string bytes;
    for (char16_t c : text) {
        bytes += char(c & 0xFF);
        bytes += char(c >> 8);
    }
    return bytes;
}

std::u16string fromUtf16Bytes(std::string_view bytes) {
    if (bytes.substr(0, 2) == "\xFF\xFE") bytes.remove_prefix(2);
    std::u16string text(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = char16_t(static_cast<unsigned char>(bytes[2 * i]) | static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    return text;
}

std::string readFixture(std::string_view name) {
    std::ifstream in(std::string(QUCAP_TEST_DATA) + "/" + std::string(name), std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

}  // namespace qucap::test
