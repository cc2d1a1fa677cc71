#pragma once
// Path helpers on Windows paths. A path holding "*" or "?" or no backslash
// gives an empty result from the file-name and folder helpers.
#include <string>
#include <string_view>

namespace qucap {

// "C:\a\b.avi" -> "b.avi"
std::u16string fileNameOf(std::u16string_view path);
// "C:\a\b.avi" -> "C:\a"
std::u16string folderOf(std::u16string_view path);

struct NameParts {
    std::u16string stem;       // up to the last "."; the whole name when it has none
    std::u16string extension;  // after the last "."; empty when it has none
};
NameParts splitAtLastDot(std::u16string_view name);

// Folder and name joined by a single backslash (none added when the folder ends
// in one); the name alone when there is no folder.
std::u16string joinPath(std::u16string_view folder, std::u16string_view name);

// Whether two Windows paths name the same file as the file system compares
// them: letters A-Z and their full-width forms in either case, and "/"
// against "\", count as the same.
bool samePath(std::u16string_view a, std::u16string_view b);

}  // namespace qucap
