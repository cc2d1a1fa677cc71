#include "app/core/file_selection/file_selection_fields.h"

#include <string>

#include "captiondata/text/paths.h"

namespace qucap {

const std::array<FileFieldControls, kFileFieldCount> kFileFieldControls = {{
    {FileField::ProjectName, 1024, 0},
    {FileField::SaveLocation, 1026, 1027},
    {FileField::ProjectFile, 1029, 1030},
    {FileField::InputMovie, 1032, 1033},
    {FileField::ColourInfo, 1258, 1259},
    {FileField::CaptionInfo, 1035, 1036},
    {FileField::BoxInfo, 1219, 1220},
    {FileField::OutputMovie, 1038, 1039},
}};

namespace {

// Which sequence of checks a field runs.
enum class CheckKind {
    Name,          // empty, invalid character
    ExistingFile,  // empty, invalid character, not found
    DataFile,      // the colour-, caption- and box-info files
    Output,        // the output movie
};

// The messages of one field; a field uses those of its checks.
struct FieldRules {
    CheckKind kind;
    std::u16string_view invalidCharacters;
    std::u16string_view empty;
    std::u16string_view invalid;
    std::u16string_view notFound = {};
    std::u16string_view noFolderPart = {};
    std::u16string_view folderMissing = {};  // for the output movie: the question
    std::u16string_view driveMissing = {};
    std::u16string_view notAFile = {};
};

const std::array<FieldRules, kFileFieldCount> kFieldRules = {{
    {CheckKind::Name, u"\\*?", u"プロジェクト名を入力して下さい", u"プロジェクト名に使用できない文字があります"},
    {CheckKind::Name, u"*?", u"保存する場所を入力して下さい", u"保存する場所に使用できない文字があります"},
    {CheckKind::ExistingFile, u"*?", u"プロジェクトファイル名を入力して下さい",
     u"プロジェクトファイル名に使用できない文字があります", u"プロジェクトファイルが見つかりません"},
    {CheckKind::ExistingFile, u"*?", u"入力動画ファイルを入力して下さい", u"入力動画ファイルに使用できない文字があります",
     u"入力動画ファイルが見つかりません"},
    {CheckKind::DataFile, u"*?", u"色情報ファイルを入力して下さい", u"色情報ファイルに使用できない文字があります",
     u"色情報ファイルが見つかりません", u"色情報ファイルにパスを含めたファイル名を指定して下さい",
     u"色情報ファイルのフォルダが見つかりません", u"色情報ファイルのドライブが見つかりません",
     u"色情報ファイルではありません"},
    {CheckKind::DataFile, u"*?", u"字幕情報ファイルを入力して下さい", u"字幕情報ファイルに使用できない文字があります",
     u"字幕情報ファイルが見つかりません", u"字幕情報ファイルにパスを含めたファイル名を指定して下さい",
     u"字幕情報ファイルのフォルダが見つかりません", u"字幕情報ファイルのドライブが見つかりません",
     u"字幕情報ファイルではありません"},
    {CheckKind::DataFile, u"*?", u"枠情報ファイルを入力して下さい", u"枠情報ファイルに使用できない文字があります",
     u"枠情報ファイルが見つかりません", u"枠情報ファイルにパスを含めたファイル名を指定して下さい",
     u"枠情報ファイルのフォルダが見つかりません", u"枠情報ファイルのドライブが見つかりません",
     u"枠情報ファイルではありません"},
    {CheckKind::Output, u"*?", u"出力動画ファイルを入力して下さい", u"出力動画ファイルに使用できない文字があります", {},
     u"出力動画ファイルにパスを含めたファイル名を指定して下さい",
     u"出力動画ファイルのフォルダが見つかりません。\n作成しますか？", u"出力動画ファイルのドライブが見つかりません",
     u"動画ファイルではありません"},
}};

constexpr std::u16string_view kSameInputAndOutput = u"入力ファイルと出力ファイルが同じです";

// A folder part of two characters or fewer is a drive such as "C:".
constexpr std::size_t kLongestDriveFolder = 2;

int fail(const Io& io, std::u16string_view message) {
    io.ui.warn(message, Deliverable::Program);
    return -1;
}

bool holdsAny(std::u16string_view text, std::u16string_view characters) {
    return text.find_first_of(characters) != std::u16string_view::npos;
}

bool isUsableDrive(const FieldCheck& check, std::u16string_view folder) {
    const uint32_t type = check.driveTypeOf ? check.driveTypeOf(std::u16string(folder) + u'\\') : kDriveTypeUnknown;
    return type != kDriveTypeUnknown && type != kDriveTypeNoRoot && type != kDriveTypeCdRom;
}

// Creates each prefix of the path up to a backslash that is longer than a
// drive and does not exist yet, from the top down.
bool createMissingFolders(FileSystem& files, std::u16string_view path) {
    for (std::size_t slash = path.find(u'\\'); slash != std::u16string_view::npos; slash = path.find(u'\\', slash + 1)) {
        const std::u16string_view prefix = path.substr(0, slash);
        if (prefix.size() <= kLongestDriveFolder || files.exists(prefix)) continue;
        if (!files.createDirectory(prefix)) return false;
    }
    return true;
}

// The name and the folder before it must both be there.
bool hasFolderAndName(std::u16string_view text) {
    return !fileNameOf(text).empty() && !folderOf(text).empty();
}

int checkDataFile(const FieldCheck& check, const FieldRules& rules, std::u16string_view text) {
    if (!hasFolderAndName(text)) return fail(check.io, rules.noFolderPart);
    // A new project creates its folder and files when it loads.
    if (check.mode == SelectionMode::NewProject) return 0;
    const std::u16string folder = folderOf(text);
    if (folder.size() > kLongestDriveFolder) {
        if (!check.io.files.exists(folder)) return fail(check.io, rules.folderMissing);
    } else if (!isUsableDrive(check, folder)) {
        return fail(check.io, rules.driveMissing);
    }
    if (!check.io.files.exists(text)) return fail(check.io, rules.notFound);
    if (check.io.files.isDirectory(text)) return fail(check.io, rules.notAFile);
    return 0;
}

int checkOutput(const FieldCheck& check, const FieldRules& rules, std::u16string_view text) {
    if (!hasFolderAndName(text)) return fail(check.io, rules.noFolderPart);
    if (check.mode == SelectionMode::NewProject) return 0;
    const std::u16string folder = folderOf(text);
    if (folder.size() > kLongestDriveFolder) {
        if (!check.io.files.exists(folder)) {
            if (!check.io.ui.askYesNo(rules.folderMissing, kProgramTitle)) return -1;
            if (!createMissingFolders(check.io.files, text)) return fail(check.io, kOutputFolderNotCreated);
        }
    } else if (!isUsableDrive(check, folder)) {
        return fail(check.io, rules.driveMissing);
    }
    if (check.io.files.isDirectory(text)) return fail(check.io, rules.notAFile);
    return 0;
}

}  // namespace

int validateField(const FieldCheck& check, FileField field, std::u16string_view text) {
    const FieldRules& rules = kFieldRules[std::size_t(field)];
    if (text.empty()) return fail(check.io, rules.empty);
    const bool acceptsNoFile = rules.kind == CheckKind::DataFile || rules.kind == CheckKind::Output;
    if (acceptsNoFile && text == kNoFile) return 0;
    if (rules.kind == CheckKind::Output && samePath(text, check.inputMovie))
        return fail(check.io, kSameInputAndOutput);
    if (holdsAny(text, rules.invalidCharacters)) return fail(check.io, rules.invalid);
    switch (rules.kind) {
        case CheckKind::Name: return 0;
        // A folder given as the project file or the movie cannot be read as one.
        case CheckKind::ExistingFile: return check.io.files.isFile(text) ? 0 : fail(check.io, rules.notFound);
        case CheckKind::DataFile: return checkDataFile(check, rules, text);
        case CheckKind::Output: return checkOutput(check, rules, text);
    }
    return -1;
}

}  // namespace qucap
