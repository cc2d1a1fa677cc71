#include "app/core/captionload.h"

#include "captiondata/caption/captionfile.h"
#include "captiondata/markup/tablenormalise.h"
#include "captiondata/text/paths.h"

namespace qucap {

int loadCaptionInfo(const Io& io, std::u16string_view captionInfoPath, CaptionList& list) {
    // The reader leaves its table alone when no file is named; start from an
    // empty one so no rows of an earlier project come back.
    CaptionTable table;
    std::size_t unreadLines = 0;
    if (readCaptionInfoForProgram(io, captionInfoPath, table, &unreadLines) != 0) return -1;
    normaliseCaptionTable(table);
    list.fillFrom(table);
    if (list.empty() && unreadLines > 0) {
        io.ui.warn(kCaptionInfoUnread, Deliverable::Program);
        list.setUnreadFile(std::u16string(captionInfoPath));
    }
    return 0;
}

SaveFileRequest captionInfoSaveRequest(std::u16string_view projectFolder) {
    return {joinPath(projectFolder, u"無題"), u"字幕情報ﾌｧｲﾙ", u"csv", {{u"カンマ区切りﾌｧｲﾙ (*.csv)", u"*.csv"}, allFilesFilter()}};
}

int saveCaptionList(const Io& io, const CaptionList& list, CaptionInfoProject& project) {
    if (!list.unreadFile().empty() && samePath(list.unreadFile(), project.path)) {
        io.ui.warn(kCaptionInfoNotOverwritten, Deliverable::Program);
        return -1;
    }
    return saveUnderProjectName(io, project, captionInfoSaveRequest(project.projectFolder), u"InpCapName",
                                [&](std::u16string_view path) { return writeCaptionInfo(io, path, list.fileRows()); });
}

}  // namespace qucap
