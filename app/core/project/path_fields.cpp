#include "app/core/project/path_fields.h"

#include "captiondata/project/project_keys.h"
#include "captiondata/text/u16.h"

namespace qucap {
namespace {

struct PathFieldName {
    PathField field;
    std::u16string_view name;
};

constexpr PathFieldName kPathFieldNames[] = {
    {PathField::ProjectFile, u"プロジェクトファイル"},
    {PathField::SaveLocation, u"プロジェクトを保存する場所"},
    {PathField::InputMovie, u"入力動画ファイル"},
    {PathField::ColourInfo, u"色情報ファイル"},
    {PathField::CaptionInfo, u"字幕情報ファイル"},
    {PathField::BoxInfo, u"枠情報ファイル"},
    {PathField::OutputMovie, u"出力動画ファイル"},
    {PathField::SrtFile, u"SRTファイル"},
    {PathField::SamiFile, u"SAMIファイル"},
    {PathField::WebVttFile, u"WebVTTファイル"},
    {PathField::TtmlFile, u"TTMLファイル"},
    {PathField::BitmapFile, u"BMPファイル"},
};

struct ProjectPathKey {
    const TextKeyRule& rule;
    PathField field;
};

const ProjectPathKey kProjectPathKeys[] = {
    {kInpMovName, PathField::InputMovie}, {kInpColName, PathField::ColourInfo}, {kInpCapName, PathField::CaptionInfo},
    {kInpBoxName, PathField::BoxInfo},    {kOutMovName, PathField::OutputMovie},
};

std::u16string_view nameOf(PathField field) {
    for (const PathFieldName& entry : kPathFieldNames)
        if (entry.field == field) return entry.name;
    return {};
}

}  // namespace

std::u16string pathTooLongMessage(PathField field, std::size_t limit) {
    return std::u16string(nameOf(field)) + u"のパスが長すぎます（" + toDecimal(int64_t(limit)) + u"文字まで）";
}

bool pathFits(Ui& ui, PathField field, std::u16string_view path, std::size_t limit) {
    if (path.size() <= limit) return true;
    ui.warn(pathTooLongMessage(field, limit), Deliverable::Program);
    return false;
}

bool projectPathsFit(Ui& ui, const IniDocument& projectFile) {
    for (const ProjectPathKey& key : kProjectPathKeys) {
        const std::u16string path = projectFile.readString(key.rule.key.section, key.rule.key.name, u"");
        if (!pathFits(ui, key.field, path, key.rule.maxChars)) return false;
    }
    return true;
}

}  // namespace qucap
