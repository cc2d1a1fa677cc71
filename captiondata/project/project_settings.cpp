#include "captiondata/project/project_settings.h"

#include "captiondata/profile/ini_profile.h"
#include "captiondata/text/paths.h"
#include "captiondata/text/u16.h"

namespace qucap {

namespace {

// One key of the project file as the program reads and writes it.
struct ProgramField {
    ProfileKey key;
    void (*load)(const IniDocument& file, ProjectSettings& settings);
    std::u16string (*saved)(const ProjectSettings& settings);
};

template <auto field>
std::u16string savedText(const ProjectSettings& settings) {
    return settings.*field;
}

template <auto field>
std::u16string savedInt(const ProjectSettings& settings) {
    return toDecimal(settings.*field);
}

template <const TextKeyRule& rule, auto field>
constexpr ProgramField pathField() {
    return {rule.key,
            [](const IniDocument& file, ProjectSettings& settings) {
                if ((settings.*field).empty()) settings.*field = readTextKey(file, rule);
            },
            savedText<field>};
}

template <const TextKeyRule& rule, auto field>
constexpr ProgramField textField() {
    return {rule.key, [](const IniDocument& file, ProjectSettings& settings) { settings.*field = readTextKey(file, rule); },
            savedText<field>};
}

template <const IntKeyRule& rule, auto field>
constexpr ProgramField intField() {
    return {rule.key, [](const IniDocument& file, ProjectSettings& settings) { settings.*field = readIntKey(file, rule); },
            savedInt<field>};
}

constexpr ProgramField kWatermarkTextField{
    kMarkString.key,
    [](const IniDocument& file, ProjectSettings& settings) { settings.watermarkText = readWatermarkText(file); },
    savedText<&ProjectSettings::watermarkText>};

constexpr ProgramField kWatermarkColourField{
    kWaterMarkColor,
    [](const IniDocument& file, ProjectSettings& settings) { settings.watermarkColour = readWatermarkColour(file).index; },
    [](const ProjectSettings& settings) { return std::u16string(watermarkColourAt(settings.watermarkColour).name); }};

// The program's keys in the order it reads and writes them; the five paths first.
constexpr ProgramField kProgramFields[] = {
    pathField<kInpMovName, &ProjectSettings::inputMoviePath>(),
    pathField<kInpColName, &ProjectSettings::colourInfoPath>(),
    pathField<kInpCapName, &ProjectSettings::captionInfoPath>(),
    pathField<kInpBoxName, &ProjectSettings::boxInfoPath>(),
    pathField<kOutMovName, &ProjectSettings::outputMoviePath>(),
    textField<kMainName, &ProjectSettings::mainFontName>(),
    textField<kRubyName, &ProjectSettings::rubyFontName>(),
    intField<kMainSize, &ProjectSettings::mainSize>(),
    intField<kRubySize, &ProjectSettings::rubySize>(),
    intField<kLayoutType, &ProjectSettings::layoutType>(),
    intField<kLayoutFill, &ProjectSettings::fillFlag>(),
    intField<kLayoutSide, &ProjectSettings::sideFlag>(),
    intField<kBorderType, &ProjectSettings::borderType>(),
    intField<kBorderGradation, &ProjectSettings::gradationFlag>(),
    intField<kMainWidth, &ProjectSettings::mainBorderWidth>(),
    intField<kRubyWidth, &ProjectSettings::rubyBorderWidth>(),
    intField<kWaterMarkDisp, &ProjectSettings::watermarkFlag>(),
    kWatermarkTextField,
    kWatermarkColourField,
    intField<kRepTime, &ProjectSettings::rewindSeconds>(),
};
constexpr std::size_t kPathFieldCount = 5;

bool namesExistingFile(const Io& io, std::u16string_view path) { return !path.empty() && io.files.isFile(path); }

// Writes the first `count` fields in order, stopping at the first failure.
int saveFields(const Io& io, std::u16string_view projectFile, const ProjectSettings& settings, std::size_t count) {
    if (!namesExistingFile(io, projectFile)) return 0;
    IniProfile profile(io);
    for (std::size_t at = 0; at < count; ++at) {
        const ProgramField& field = kProgramFields[at];
        if (!profile.writeString(projectFile, field.key.section, field.key.name, field.saved(settings))) {
            io.ui.warn(kConfWriteFailed, Deliverable::Program);
            return -1;
        }
    }
    return 0;
}

}  // namespace

int LoadProjectSettings(const Io& io, std::u16string_view projectFile, ProjectSettings& settings) {
    if (!namesExistingFile(io, projectFile)) return 0;
    const IniRead read = IniProfile(io).read(projectFile);
    if (read.status == ReadStatus::Missing) return 0;
    if (read.status != ReadStatus::Ok) {
        io.ui.warn(kConfReadFailed, Deliverable::Program);
        return -1;
    }
    applyProjectSettings(read.document, settings);
    return 0;
}

void applyProjectSettings(const IniDocument& projectFile, ProjectSettings& settings) {
    for (const ProgramField& field : kProgramFields) field.load(projectFile, settings);
}

int SaveProjectSettings(const Io& io, std::u16string_view projectFile, const ProjectSettings& settings) {
    return saveFields(io, projectFile, settings, std::size(kProgramFields));
}

int SaveProjectPaths(const Io& io, std::u16string_view projectFile, const ProjectSettings& settings) {
    return saveFields(io, projectFile, settings, kPathFieldCount);
}

int recordCaptionInfoName(const Io& io, std::u16string_view projectFile, std::u16string_view captionInfoPath) {
    if (!namesExistingFile(io, projectFile)) return 0;
    if (IniProfile(io).writeString(projectFile, kInpCapName.key.section, kInpCapName.key.name, captionInfoPath))
        return 0;
    io.ui.warn(kConfWriteFailed, Deliverable::Program);
    return -1;
}

std::u16string settingsFilePath(std::u16string_view folder) { return joinPath(folder, kSettingsFileName); }

std::u16string readLastOpenForProgram(const Io& io, std::u16string_view settingsFile) {
    return truncated(IniProfile(io).readString(settingsFile, kLastOpenFileName.section, kLastOpenFileName.name, u""),
                     kPathMax);
}

std::u16string readLastOpenForFilter(const Io& io, std::u16string_view settingsFile) {
    return truncated(
        IniProfile(io).readString(settingsFile, kLastOpenFileName.section, kLastOpenFileName.name, kNoFile), kPathMax);
}

int recordLastProject(const Io& io, std::u16string_view settingsFile, std::u16string_view projectFile) {
    if (IniProfile(io).writeString(settingsFile, kLastOpenFileName.section, kLastOpenFileName.name, projectFile))
        return 0;
    io.ui.warn(kIniWriteFailed, Deliverable::Program);
    return -1;
}

}  // namespace qucap
