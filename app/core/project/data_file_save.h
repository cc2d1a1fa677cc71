#pragma once
// Saving one of the project's data files (caption-, box- or colour-info):
// written where the project names it, or, when it names none, under a name
// the user chooses, which then becomes the project's and is recorded in the
// project file.
#include <functional>
#include <string>
#include <string_view>

#include "captiondata/io/io.h"

namespace qucap {

inline constexpr std::u16string_view kProfileWriteFailed = u"confファイルの設定に失敗しました";

// The project's side of a save: where the file goes and where a newly
// chosen name is recorded.
struct DataFileProject {
    std::u16string& path;               // updated when the user chooses a name
    std::u16string_view projectFolder;  // proposed folder of a new file; may be empty
    std::u16string_view projectFilePath;
};

// Writes with `write` to the project's path. Without a name it asks with
// `request` first (cancel gives -1), takes the chosen name as the project's,
// writes, and records the name under [FileName] `key` of the project file; a
// failed record shows "confファイルの設定に失敗しました" and does not change
// the result.
int saveUnderProjectName(const Io& io, DataFileProject& project, const SaveFileRequest& request, std::u16string_view key,
                         const std::function<int(std::u16string_view path)>& write);

}  // namespace qucap
