#include "captiondata/project/project_files.h"

#include <array>

#include "captiondata/io/text_file.h"
#include "captiondata/text/paths.h"
#include "captiondata/text/u16.h"
#include "captiondata/text/utf16_writer.h"

namespace qucap {

namespace {

// The template lines in file order: the settings file's three, then the
// project file's 37. An empty slot is an empty line.
constexpr std::size_t kSettingsTemplateLines = 3;
constexpr std::array<std::u16string_view, kSettingsTemplateLines + 37> kTemplateSlots{
    u"[LastOpen]", u"FileName=設定なし", u"",
    u"[FileName]", u"InpMovName=設定なし", u"InpColName=設定なし", u"InpCapName=設定なし",
    u"InpBoxName=設定なし", u"OutMovName=設定なし", u"",
    u"[FontName]", u"MainName=ＭＳ ゴシック", u"RubyName=ＭＳ ゴシック", u"",
    u"[FontSize]", u"MainSize=32", u"RubySize=16", u"",
    u"[Layout]", u"Type=1", u"Fill=0", u"Side=0", u"",
    u"[Border]", u"Type=1", u"Gradation=0", u"MainWidth=3", u"RubyWidth=1", u"",
    u"[WaterMark]", u"Disp=1", u"MarkString=https://qucap.example.org/", u"Color=Cyan", u"",
    u"[RepTime]", u"Time=3", u"",
    u"[TimeDisp]", u"Disp=0", u"",
};
constexpr std::size_t kMarkStringSlot = 31;
static_assert(kTemplateSlots[kMarkStringSlot].substr(0, 11) == u"MarkString=");
static_assert(kTemplateSlots[kMarkStringSlot].substr(11) == kMakerWebAddress,
              "the template's watermark text is the maker's web address");

std::string templateBytes(std::size_t first, std::size_t end) {
    Utf16FileBuilder builder;
    for (std::size_t at = first; at < end; ++at) builder.line(kTemplateSlots[at]);
    return builder.bytes();
}

// "001" .. "999".
std::u16string threeDigits(int n) {
    const std::u16string digits = toDecimal(n);
    return std::u16string(digits.size() < 3 ? 3 - digits.size() : 0, u'0') + digits;
}

// Creates each missing folder above `folder` (prefixes up to a backslash that
// are longer than a drive letter and its colon), then the folder itself.
bool createFolderPath(FileSystem& files, std::u16string_view folder) {
    for (auto at = folder.find(u'\\'); at != std::u16string_view::npos; at = folder.find(u'\\', at + 1)) {
        const auto prefix = folder.substr(0, at);
        if (prefix.size() > 2 && !files.exists(prefix)) files.createDirectory(prefix);
    }
    return files.createDirectory(folder);
}

bool askToOverwrite(const Io& io, std::u16string_view question) { return io.ui.askYesNo(question, kProgramTitle); }

// Each writer runs in turn; a failure does not stop the next.
int writeDataFiles(const DataFileWriters& writers) {
    int result = 0;
    for (const auto* writer : {&writers.captionInfo, &writers.boxInfo, &writers.colourInfo})
        if (*writer && (*writer)() != 0) result = -1;
    return result;
}

}  // namespace

NewProjectPaths newProjectPaths(std::u16string_view saveLocation, std::u16string_view projectName) {
    return {joinPath(saveLocation, std::u16string(projectName) + std::u16string(kProjectFileExtension)),
            joinPath(saveLocation, kCaptionInfoFileName), joinPath(saveLocation, kColourInfoFileName),
            joinPath(saveLocation, kBoxInfoFileName), joinPath(saveLocation, kOutputMovieFileName)};
}

std::u16string projectNameOrDefault(std::u16string_view projectName) {
    return std::u16string(projectName.empty() ? kDefaultProjectName : projectName);
}

std::u16string defaultSaveLocation(const FileSystem& files) {
    std::u16string base = files.documentsFolder();
    if (base.empty() || base.back() != u'\\') base += u'\\';
    base += kDefaultSaveFolderStem;
    std::u16string candidate;
    for (int n = 1; n <= kDefaultSaveFolderLast; ++n) {
        candidate = base + threeDigits(n);
        if (!files.exists(candidate)) break;
    }
    return candidate;
}

std::string settingsFileTemplate() { return templateBytes(0, kSettingsTemplateLines); }

std::string projectFileTemplate() { return templateBytes(kSettingsTemplateLines, kTemplateSlots.size()); }

int CreateProjectFiles(const Io& io, const NewProjectLocation& location, const DataFileWriters& writers) {
    if (io.files.isDirectory(location.projectFolder) && !askToOverwrite(io, kFolderExistsQuestion)) return -1;
    // Without its folder the project file cannot be created; stop before the
    // settings file is reset.
    if (!createFolderPath(io.files, location.projectFolder)) {
        io.ui.warn(kConfCreateFailed, Deliverable::Program);
        return -1;
    }
    if (io.files.isFile(location.projectFile) && !askToOverwrite(io, kProjectFileExistsQuestion)) return -1;
    if (!writeTextFile(io, location.settingsFile, settingsFileTemplate(), kIniCreateFailed, Deliverable::Program))
        return -1;
    if (!writeTextFile(io, location.projectFile, projectFileTemplate(), kConfCreateFailed, Deliverable::Program))
        return -1;
    if (namesFile(location.captionInfoFile) && io.files.isFile(location.captionInfoFile) &&
        !askToOverwrite(io, kCaptionInfoExistsQuestion))
        return -1;
    return writeDataFiles(writers);
}

}  // namespace qucap
