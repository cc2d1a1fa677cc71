#pragma once
// The program's import of a caption file into its caption list: the open
// dialog's filters, the question before rows are replaced, the message line
// and the record of the notes the ﾂｰﾙ menu shows.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/core/caption_list/caption_list.h"
#include "app/import/caption_file_import.h"
#include "captiondata/io/io.h"

namespace qucap {

inline constexpr std::u16string_view kImportDialogTitle = u"字幕ファイルの読み込み";
inline constexpr std::u16string_view kImportLogTitle = u"読み込みの記録";
inline constexpr std::u16string_view kImportLogEmpty = u"記録はありません";

// The open dialog's filters: every caption file first, then one a format,
// then every file.
std::vector<FileTypeFilter> importDialogFilters();
// The format the chosen filter (1 for the first, as the dialog counts)
// names; nothing where the file's content decides.
std::optional<ImportFormat> formatOfFilter(int filterIndex);

// "字幕の一覧にある12行の字幕を、読み込む字幕で置き換えますか？"
std::u16string replaceRowsQuestion(std::size_t rows);

struct ListImport {
    bool imported = false;
    std::vector<ImportNote> notes;
};

// Reads the file and, when it gave rows, asks before the list's rows are
// replaced (No keeps everything), fills the list with them and sets the
// message line ("12行の字幕を読み込みました（記録 3件：ﾂｰﾙ → 読み込みの記録）").
// A file that gave nothing leaves the list as it was and shows why, with
// the notes, in a warning.
ListImport importIntoList(const Io& io, CaptionList& list, std::u16string_view path,
                          std::optional<ImportFormat> format, const ColourTable& palette);

// The notes one a line for the record's message box; past `maxLines`,
// "ほか N件" ends it.
std::u16string importLogText(const std::vector<ImportNote>& notes, std::size_t maxLines = 30);

}  // namespace qucap
