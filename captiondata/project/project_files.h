#pragma once
// A new project on disk: the names of its files, its default name and save
// location, the template contents of the settings and project files, and the
// creation of the whole project folder.
#include <functional>
#include <string>
#include <string_view>

#include "captiondata/io/io.h"
#include "captiondata/project/project_keys.h"

namespace qucap {

inline constexpr std::u16string_view kCaptionInfoFileName = u"字幕情報.csv";
inline constexpr std::u16string_view kColourInfoFileName = u"色情報.csv";
inline constexpr std::u16string_view kBoxInfoFileName = u"枠情報.csv";
inline constexpr std::u16string_view kOutputMovieFileName = u"出力動画.avi";
inline constexpr std::u16string_view kProjectFileExtension = u".mcc";
inline constexpr std::u16string_view kDefaultProjectName = u"新規プロジェクト";
inline constexpr std::u16string_view kDefaultSaveFolderStem = u"字幕作成";
inline constexpr int kDefaultSaveFolderLast = 999;

inline constexpr std::u16string_view kFolderExistsQuestion = u"プロジェクトを保存するフォルダは既に存在します。\n上書きしますか？";
inline constexpr std::u16string_view kProjectFileExistsQuestion = u"プロジェクトファイルは既に存在します。\n上書きしますか？";
inline constexpr std::u16string_view kCaptionInfoExistsQuestion = u"字幕情報ファイルは既に存在します。\n上書きしますか？";
inline constexpr std::u16string_view kIniCreateFailed = u"iniファイルの作成に失敗しました";
inline constexpr std::u16string_view kConfCreateFailed = u"confファイルの作成に失敗しました";

// The paths of a new project in its save location (the project folder).
struct NewProjectPaths {
    std::u16string projectFile;
    std::u16string captionInfo;
    std::u16string colourInfo;
    std::u16string boxInfo;
    std::u16string outputMovie;
};
NewProjectPaths newProjectPaths(std::u16string_view saveLocation, std::u16string_view projectName);

// The project name, or "新規プロジェクト" when none was entered.
std::u16string projectNameOrDefault(std::u16string_view projectName);
// The documents folder, then "字幕作成" and the first of 001..999 that does not
// exist yet; 999 when all of them exist.
std::u16string defaultSaveLocation(const FileSystem& files);

// The bytes of a new settings file ("[LastOpen]", "FileName=設定なし", an
// empty line) and of a new project file (37 lines), each line ended by CR LF.
std::string settingsFileTemplate();
std::string projectFileTemplate();

// Writers of the three data files; each returns 0 or -1 and reports its own
// failure. An empty function is skipped.
struct DataFileWriters {
    std::function<int()> captionInfo;
    std::function<int()> boxInfo;
    std::function<int()> colourInfo;
};

struct NewProjectLocation {
    std::u16string_view settingsFile;     // "Qucapadd.ini" in the program folder
    std::u16string_view projectFolder;
    std::u16string_view projectFile;
    std::u16string_view captionInfoFile;  // asked about before it is overwritten
};

// Creates the project folder (with any missing folders above it), writes both
// templates and then the caption-info, box-info and colour-info files. Asks
// before using an existing folder, project file or caption-info file; No ends
// with -1. A failed template write shows its message and ends with -1; a
// failed data file does not stop the next one, and the result is then -1.
int CreateProjectFiles(const Io& io, const NewProjectLocation& location, const DataFileWriters& writers);

}  // namespace qucap
