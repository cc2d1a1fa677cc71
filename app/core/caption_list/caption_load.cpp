#include "app/core/caption_list/caption_load.h"

#include "captiondata/caption/caption_file.h"
#include "captiondata/markup/table_normalise.h"
#include "captiondata/text/paths.h"
#include "captiondata/text/u16.h"

namespace qucap {

std::u16string unreadableCharactersMessage(std::u16string_view fileKind, const std::vector<std::size_t>& lines) {
    constexpr std::size_t kLinesNamed = 5;
    std::u16string message = std::u16string(fileKind) + u"の";
    for (std::size_t i = 0; i < lines.size() && i < kLinesNamed; ++i)
        message += (i > 0 ? u"、" : u"") + toDecimal(int64_t(lines[i])) + u"行目";
    if (lines.size() > kLinesNamed) message += u"など";
    return message + u"に読めない文字があります\n（読めない文字は「" + std::u16string(1, kUnreadableCharacter) +
           u"」になっています。字幕を変更するまで、このファイルには上書き保存しません）";
}

int loadCaptionInfo(const Io& io, std::u16string_view captionInfoPath, CaptionList& list) {
    // The reader leaves its table alone when no file is named; start from an
    // empty one so no rows of an earlier project come back.
    CaptionTable table;
    ReadFindings found;
    if (readCaptionInfoForProgram(io, captionInfoPath, table, &found) != 0) return -1;
    normaliseCaptionTable(table);
    list.fillFrom(table);
    if (found.unread(std::size_t(list.rowCount()))) {
        io.ui.warn(kCaptionInfoUnread, Deliverable::Program);
        list.setUnreadFile(std::u16string(captionInfoPath));
    } else if (!found.linesWithUnreadable.empty()) {
        io.ui.warn(unreadableCharactersMessage(u"字幕情報ファイル", found.linesWithUnreadable), Deliverable::Program);
        list.setPartlyReadFile(std::u16string(captionInfoPath));
    }
    return 0;
}

SaveFileRequest captionInfoSaveRequest(std::u16string_view projectFolder) {
    return {joinPath(projectFolder, u"無題"), u"字幕情報ﾌｧｲﾙ", u"csv", {{u"カンマ区切りﾌｧｲﾙ (*.csv)", u"*.csv"}, allFilesFilter()}};
}

int saveCaptionList(const Io& io, CaptionList& list, CaptionInfoProject& project) {
    if (!list.unreadFile().empty() && samePath(list.unreadFile(), project.path)) {
        io.ui.warn(kCaptionInfoNotOverwritten, Deliverable::Program);
        return -1;
    }
    // The file still gives these very rows, read as they are; once written,
    // it holds what the list holds and is a file like any other.
    if (list.holdsPartlyReadRows() && samePath(list.partlyReadFile(), project.path)) return 0;
    const int status = saveUnderProjectName(io, project, captionInfoSaveRequest(project.projectFolder), u"InpCapName",
                                            [&](std::u16string_view path) { return writeCaptionInfo(io, path, list.fileRows()); });
    if (status == 0) list.forgetPartlyReadFile();
    return status;
}

}  // namespace qucap
