#pragma once
// The program's copy of the project file's settings, how it is loaded and
// saved, and the settings file that remembers the last project.
#include <cstdint>
#include <string>
#include <string_view>

#include "captiondata/io/io.h"
#include "captiondata/project/project_keys.h"

namespace qucap {

inline constexpr std::u16string_view kSettingsFileName = u"Qucapadd.ini";

inline constexpr std::u16string_view kConfWriteFailed = u"confファイルの設定に失敗しました";
inline constexpr std::u16string_view kConfReadFailed = u"confファイルの読み込みに失敗しました";
inline constexpr std::u16string_view kIniWriteFailed = u"iniファイルの設定に失敗しました";

struct ProjectSettings {
    std::u16string inputMoviePath;   // InpMovName
    std::u16string colourInfoPath;   // InpColName
    std::u16string captionInfoPath;  // InpCapName
    std::u16string boxInfoPath;      // InpBoxName
    std::u16string outputMoviePath;  // OutMovName
    std::u16string mainFontName;     // MainName
    std::u16string rubyFontName;     // RubyName
    int32_t mainSize = kMainSize.fallback;
    int32_t rubySize = kRubySize.fallback;
    int32_t layoutType = kLayoutType.fallback;
    int32_t fillFlag = kLayoutFill.fallback;
    int32_t sideFlag = kLayoutSide.fallback;
    int32_t borderType = kBorderType.fallback;
    int32_t gradationFlag = kBorderGradation.fallback;
    int32_t mainBorderWidth = kMainWidth.fallback;
    int32_t rubyBorderWidth = kRubyWidth.fallback;
    int32_t watermarkFlag = kWaterMarkDisp.fallback;
    std::u16string watermarkText;            // MarkString
    int32_t watermarkColour = kCyan.index;   // Color, as an index 1..8
    int32_t rewindSeconds = kRepTime.fallback;  // RepTime Time
};

// Reads every key (except TimeDisp) with its range and fallback. The five
// paths are read only into empty fields, so paths the user typed stay. 0, and
// nothing read, when the path is empty or the file missing; -1 with
// "confファイルの読み込みに失敗しました" and the settings unchanged when the
// file exists but cannot be read.
int LoadProjectSettings(const Io& io, std::u16string_view projectFile, ProjectSettings& settings);
// The same rules over a project file already read.
void applyProjectSettings(const IniDocument& projectFile, ProjectSettings& settings);

// Writes every key (except TimeDisp) in file order. The first write that fails
// shows "confファイルの設定に失敗しました" and gives -1; the keys written before
// it stay. 0, writing nothing, when the path is empty or the file missing.
int SaveProjectSettings(const Io& io, std::u16string_view projectFile, const ProjectSettings& settings);
// The same for the five path keys only (a new project takes its actual paths).
int SaveProjectPaths(const Io& io, std::u16string_view projectFile, const ProjectSettings& settings);

// A caption-info file saved under a new name: InpCapName is updated at once,
// as SaveProjectSettings would (same message, nothing when the file is missing).
int recordCaptionInfoName(const Io& io, std::u16string_view projectFile, std::u16string_view captionInfoPath);

// "Qucapadd.ini" in the given folder.
std::u16string settingsFilePath(std::u16string_view folder);
// [LastOpen] FileName: empty for the program, "設定なし" for the filter, when
// the key or the file is missing.
std::u16string readLastOpenForProgram(const Io& io, std::u16string_view settingsFile);
std::u16string readLastOpenForFilter(const Io& io, std::u16string_view settingsFile);
// After a successful load: [LastOpen] FileName becomes the project-file path.
// On failure shows "iniファイルの設定に失敗しました" and gives -1; the load stands.
int recordLastProject(const Io& io, std::u16string_view settingsFile, std::u16string_view projectFile);

}  // namespace qucap
