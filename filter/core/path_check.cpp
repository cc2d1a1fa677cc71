#include "filter/core/path_check.h"

#include <array>
#include <string>

#include "captiondata/text/paths.h"

namespace qucap {
namespace {

// Messages 1 to 4 for each file, in the order of CheckedFile.
constexpr std::array<std::array<std::u16string_view, 4>, 3> kMessages = {{
    {u"字幕情報ファイルにパスを含めたファイル名を指定して下さい", u"字幕情報ファイルのフォルダが見つかりません",
     u"字幕情報ファイルのドライブが見つかりません", u"字幕情報ファイルではありません"},
    {u"枠情報ファイルにパスを含めたファイル名を指定して下さい", u"枠情報ファイルのフォルダが見つかりません",
     u"枠情報ファイルのドライブが見つかりません", u"枠情報ファイルではありません"},
    {u"色情報ファイルにパスを含めたファイル名を指定して下さい", u"色情報ファイルのフォルダが見つかりません",
     u"色情報ファイルのドライブが見つかりません", u"色情報ファイルではありません"},
}};

// A folder of two characters or fewer is taken as a drive such as "C:".
constexpr std::size_t kLongestDriveFolder = 2;

bool isUnusableDrive(uint32_t type) {
    return type == kDriveUnknown || type == kDriveNoRootDirectory || type == kDriveCdRom;
}

PathCheck classify(const Io& io, const DriveTypes& drives, std::u16string_view path) {
    if (!namesFile(path)) return PathCheck::Passes;
    const std::u16string folder = folderOf(path);
    if (fileNameOf(path).empty() || folder.empty()) return PathCheck::NoFolderOrName;
    if (folder.size() > kLongestDriveFolder) {
        if (!io.files.exists(folder)) return PathCheck::FolderMissing;
    } else if (isUnusableDrive(drives.driveTypeOf(folder + u'\\'))) {
        return PathCheck::DriveMissing;
    }
    if (io.files.isDirectory(path)) return PathCheck::IsDirectory;
    return PathCheck::Passes;
}

}  // namespace

std::u16string_view pathCheckMessage(PathCheck result, CheckedFile file) {
    if (result == PathCheck::Passes) return {};
    return kMessages[std::size_t(file)][std::size_t(result) - 1];
}

PathCheck checkFilterPath(const Io& io, const DriveTypes& drives, std::u16string_view path, CheckedFile file) {
    const PathCheck result = classify(io, drives, path);
    if (result != PathCheck::Passes) io.ui.warn(pathCheckMessage(result, file), Deliverable::Filter);
    return result;
}

}  // namespace qucap
