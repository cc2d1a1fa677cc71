#pragma once
// The checks the filter makes on the caption-info, box-info and colour-info
// paths before it loads them: a name with its folder, an existing folder or
// a usable drive, and not a directory. A failed check shows its message.
#include <cstdint>
#include <string_view>

#include "captiondata/io/io.h"

namespace qucap {

enum class CheckedFile { CaptionInfo, BoxInfo, ColourInfo };

enum class PathCheck {
    Passes,
    NoFolderOrName,  // message 1
    FolderMissing,   // message 2
    DriveMissing,    // message 3
    IsDirectory,     // message 4
};

// GetDriveTypeW's answers that mean the drive cannot hold the file.
constexpr uint32_t kDriveUnknown = 0;
constexpr uint32_t kDriveNoRootDirectory = 1;
constexpr uint32_t kDriveCdRom = 5;

// Seam to the platform's drive-type query (GetDriveTypeW on Windows).
class DriveTypes {
public:
    virtual ~DriveTypes() = default;
    // The type of the drive whose root is `root`, e.g. "C:\".
    virtual uint32_t driveTypeOf(std::u16string_view root) const = 0;
};

// The message of a failed check for that file; empty for Passes.
std::u16string_view pathCheckMessage(PathCheck result, CheckedFile file);

// Checks `path`; an empty path or "設定なし" passes (the loader then reads
// nothing). A failure is shown through `io.ui` with the filter's title.
PathCheck checkFilterPath(const Io& io, const DriveTypes& drives, std::u16string_view path, CheckedFile file);

}  // namespace qucap
