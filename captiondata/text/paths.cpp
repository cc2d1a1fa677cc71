#include "captiondata/text/paths.h"

#include <algorithm>

namespace qucap {

namespace {

// Position of the last backslash of a usable path, or npos.
std::size_t lastSeparator(std::u16string_view path) {
    if (path.find_first_of(u"*?") != std::u16string_view::npos) return std::u16string_view::npos;
    return path.rfind(u'\\');
}

char16_t pathFolded(char16_t c) {
    if (c == u'/') return u'\\';
    if (c >= u'A' && c <= u'Z') return char16_t(c + (u'a' - u'A'));
    if (c >= u'Ａ' && c <= u'Ｚ') return char16_t(c + (u'ａ' - u'Ａ'));
    return c;
}

}  // namespace

std::u16string fileNameOf(std::u16string_view path) {
    const auto at = lastSeparator(path);
    return at == std::u16string_view::npos ? std::u16string() : std::u16string(path.substr(at + 1));
}

std::u16string folderOf(std::u16string_view path) {
    const auto at = lastSeparator(path);
    return at == std::u16string_view::npos ? std::u16string() : std::u16string(path.substr(0, at));
}

NameParts splitAtLastDot(std::u16string_view name) {
    const auto dot = name.rfind(u'.');
    if (dot == std::u16string_view::npos) return {std::u16string(name), {}};
    return {std::u16string(name.substr(0, dot)), std::u16string(name.substr(dot + 1))};
}

std::u16string joinPath(std::u16string_view folder, std::u16string_view name) {
    std::u16string path(folder);
    if (!path.empty() && path.back() != u'\\') path += u'\\';
    return path + std::u16string(name);
}

bool samePath(std::u16string_view a, std::u16string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char16_t x, char16_t y) { return pathFolded(x) == pathFolded(y); });
}

}  // namespace qucap
