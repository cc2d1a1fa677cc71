#include "app/core/file_selection/file_selection_browse.h"

#include <array>

namespace qucap {
namespace {

constexpr FileFilter kAllFiles{u"すべてのﾌｧｲﾙ (*.*)", u"*.*"};
constexpr FileFilter kCsvFiles{u"カンマ区切りﾌｧｲﾙ (*.csv)", u"*.csv"};
constexpr std::u16string_view kMovieKind = u"動画ﾌｧｲﾙ";

const std::array<BrowseDialog, 7> kBrowseDialogs = {{
    {1030, FileField::ProjectFile, BrowseDialogKind::Open, u"ﾌﾟﾛｼﾞｪｸﾄﾌｧｲﾙ",
     {{u"ﾌﾟﾛｼﾞｪｸﾄﾌｧｲﾙ (*.mcc)", u"*.mcc"}, kAllFiles}, {}, {}, BrowseEffect::ClearsEverything},
    {1033, FileField::InputMovie, BrowseDialogKind::Open, kMovieKind,
     {{u"動画ﾌｧｲﾙ (*.avi;*.mp4)", u"*.avi;*.mp4"}, kAllFiles}, {}, {}, BrowseEffect::FieldOnly},
    {1259, FileField::ColourInfo, BrowseDialogKind::Open, u"色情報ﾌｧｲﾙ", {kCsvFiles, kAllFiles}, {}, {},
     BrowseEffect::FieldOnly},
    {1036, FileField::CaptionInfo, BrowseDialogKind::Open, u"字幕情報ﾌｧｲﾙ", {kCsvFiles, kAllFiles}, {}, {},
     BrowseEffect::EmptiesCaptionList},
    {1220, FileField::BoxInfo, BrowseDialogKind::Open, u"枠情報ﾌｧｲﾙ", {kCsvFiles, kAllFiles}, {}, {},
     BrowseEffect::FieldOnly},
    {1039, FileField::OutputMovie, BrowseDialogKind::Save, kMovieKind, {{u"動画ﾌｧｲﾙ (*.avi)", u"*.avi"}, kAllFiles},
     u"無題", u"avi", BrowseEffect::FieldOnly},
    {1027, FileField::SaveLocation, BrowseDialogKind::Folder, u"プロジェクトを保存する場所", {}, {}, {},
     BrowseEffect::FieldOnly},
}};

}  // namespace

const BrowseDialog* browseDialogFor(int button) {
    for (const BrowseDialog& dialog : kBrowseDialogs)
        if (dialog.button == button) return &dialog;
    return nullptr;
}

std::u16string browseDialogTitle(const BrowseDialog& dialog) {
    const std::u16string kind(dialog.kindText);
    if (dialog.kind == BrowseDialogKind::Open) return kind + u"を開く";
    if (dialog.kind == BrowseDialogKind::Save) return u"名前を付けて" + kind + u"の保存";
    return kind;
}

}  // namespace qucap
