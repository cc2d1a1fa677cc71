#pragma once
// The fields of the file-selection tab (project name, save location, project
// file and the project's five paths) and the check each makes of its text.
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

#include "captiondata/io/io.h"
#include "captiondata/text/paths.h"

namespace qucap {

enum class SelectionMode : int {
    NewProject = 1,   // "プロジェクトファイル新規作成"
    OpenProject = 2,  // "プロジェクトファイルを開く"
};

enum class FileField : int {
    ProjectName,
    SaveLocation,
    ProjectFile,
    InputMovie,
    ColourInfo,
    CaptionInfo,
    BoxInfo,
    OutputMovie,
};
inline constexpr std::size_t kFileFieldCount = 8;

// The edit control of a field and its browse button (0: none).
struct FileFieldControls {
    FileField field;
    int edit;
    int browse;
};
extern const std::array<FileFieldControls, kFileFieldCount> kFileFieldControls;

// The platform's drive-type query (GetDriveTypeW's value for a root such as "C:\").
using DriveTypeQuery = std::function<uint32_t(std::u16string_view root)>;
inline constexpr uint32_t kDriveTypeUnknown = 0;
inline constexpr uint32_t kDriveTypeNoRoot = 1;
inline constexpr uint32_t kDriveTypeCdRom = 5;

// Shown when the missing folders of the output movie could not be made.
inline constexpr std::u16string_view kOutputFolderNotCreated = u"出力動画ファイルのフォルダを作成できませんでした";

struct FieldCheck {
    const Io& io;
    const DriveTypeQuery& driveTypeOf;
    SelectionMode mode;
    std::u16string_view inputMovie;  // the output movie must differ from it
};

// Checks the text of one field in the order of its checks and shows the first
// failure's message (warning icon, the program's title); 0, or -1 after a
// message. "設定なし" passes for the three data files and the output movie.
// For a missing output folder it asks whether to create it; Yes creates every
// missing folder along the path.
int validateField(const FieldCheck& check, FileField field, std::u16string_view text);

}  // namespace qucap
