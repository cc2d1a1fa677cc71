#pragma once
// Projects for batch work (the console tool): creating a new project the way
// the file-selection tab's load does in new-project mode, and opening an
// existing one with its caption list, as the program's load does.
#include <string>
#include <string_view>

#include "app/core/caption_list/caption_list.h"
#include "captiondata/box/box_info.h"
#include "captiondata/io/io.h"
#include "captiondata/project/project_settings.h"

namespace qucap {

inline constexpr std::u16string_view kProjectNameMissing = u"プロジェクト名を入力して下さい";
inline constexpr std::u16string_view kProjectNameInvalid = u"プロジェクト名に使用できない文字があります";
inline constexpr std::u16string_view kSaveLocationInvalid = u"保存する場所に使用できない文字があります";
inline constexpr std::u16string_view kProjectFileMissing = u"プロジェクトファイルが見つかりません";
inline constexpr std::u16string_view kCaptionInfoMissing = u"字幕情報ファイルが見つかりません";
inline constexpr std::u16string_view kNotAProjectFile =
    u"プロジェクトファイルとして読み込めません（[FileName] セクションがありません）";

struct NewProject {
    std::u16string name;          // the project name; "\", "*" and "?" are refused
    std::u16string saveLocation;  // the project folder; empty: documents\字幕作成NNN
    std::u16string settingsFile;  // "Qucapadd.ini" in the program folder
    std::u16string inputMovie = std::u16string(kNoFile);
    BoxMovie movie;               // frame duration and width for the box sample row
};

// Validates the name and location, refuses paths longer than the system
// holds (the project's own and its input movie's), creates the project
// (asking the Ui before overwriting), writes the actual paths into the
// project file and records it as the last project. The project file's path,
// or empty when something was refused or no project file could be made.
std::u16string createBatchProject(const Io& io, const NewProject& request);

struct OpenedProject {
    std::u16string projectFile;
    ProjectSettings settings;
    CaptionList captions;
};

// Reads the project file and its caption-info file into `project`; -1 with
// a message when the project file or the caption-info file cannot be used:
// missing or unreadable, a project file without its FileName section, a
// path (the project file's or one of its five) longer than the system
// holds, or a caption-info file that held text but gave no row.
int openBatchProject(const Io& io, std::u16string_view projectFile, OpenedProject& project);

}  // namespace qucap
