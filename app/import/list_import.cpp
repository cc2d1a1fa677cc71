#include "app/import/list_import.h"

#include "captiondata/text/u16.h"

namespace qucap {
std::u16string replaceRowsQuestion(std::size_t rows) {
    return u"字幕の一覧にある" + toDecimal(int64_t(rows)) + u"行の字幕を、読み込む字幕で置き換えますか？";
}

std::vector<FileTypeFilter> importDialogFilters() {
    std::u16string every;
    for (const ImportFormatInfo& info : importFormats()) every += (every.empty() ? u"" : u";") + std::u16string(info.extensions);
    std::vector<FileTypeFilter> filters{{u"字幕ファイル (" + every + u")", every}};
    for (const ImportFormatInfo& info : importFormats())
        filters.push_back({std::u16string(info.title), std::u16string(info.extensions)});
    filters.push_back(allFilesFilter());
    return filters;
}

std::optional<ImportFormat> formatOfFilter(int filterIndex) {
    const std::span<const ImportFormatInfo> formats = importFormats();
    if (filterIndex < 2 || std::size_t(filterIndex - 2) >= formats.size()) return std::nullopt;
    return formats[std::size_t(filterIndex - 2)].format;
}

ListImport importIntoList(const Io& io, CaptionList& list, std::u16string_view path,
                          std::optional<ImportFormat> format, const ColourTable& palette) {
    ListImport result;
    const CaptionFileImport imported = importCaptionFile(io, path, format, palette);
    result.notes = imported.rows.notes;
    if (!imported.failure.empty()) {
        std::u16string text = imported.failure;
        if (!result.notes.empty()) text += u"\n\n" + importLogText(result.notes, 10);
        io.ui.warn(text, Deliverable::Program);
        return result;
    }
    // Asked once the file has given rows, so a file that gives none asks nothing.
    if (!list.empty() && !io.ui.askYesNo(replaceRowsQuestion(std::size_t(list.rowCount())), kProgramTitle)) return result;
    // A caption-info file that was not read stays protected from saves.
    std::u16string unreadFile = list.unreadFile();
    list.fillFrom(rebuildCaptionTable(imported.rows.rows));
    list.setUnreadFile(std::move(unreadFile));
    result.imported = true;
    std::u16string message = importedCountMessage(imported.rows.importedCount);
    if (!result.notes.empty())
        message += u"（記録 " + toDecimal(int64_t(result.notes.size())) + u"件：ﾂｰﾙ → 読み込みの記録）";
    io.ui.setMessage(message);
    return result;
}

std::u16string importLogText(const std::vector<ImportNote>& notes, std::size_t maxLines) {
    if (notes.empty()) return std::u16string(kImportLogEmpty);
    std::u16string text;
    for (std::size_t i = 0; i < notes.size() && i < maxLines; ++i) text += (i ? u"\n" : u"") + noteLine(notes[i]);
    if (notes.size() > maxLines) text += u"\nほか " + toDecimal(int64_t(notes.size() - maxLines)) + u"件";
    return text;
}

}  // namespace qucap
