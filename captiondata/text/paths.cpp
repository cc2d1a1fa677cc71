#include "captiondata/text/paths.h"

namespace qucap {

namespace {

// Position of the last backslash of a usable path, or npos.
std::size_t lastSeparator(std::u16string_view path) {
    if (path.find_first_of(u"*?") != std::u16string_view::npos) return std::u16string_view::npos;
    return path.rfind(u'\\');
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

}  // namespace qucap
