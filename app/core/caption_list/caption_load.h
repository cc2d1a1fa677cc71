#pragma once
// Loading the project's caption-info file into the caption list, and saving
// the list back to it (asking for a name when the project has none).
#include <string>
#include <string_view>
#include <vector>

#include "app/core/caption_list/caption_list.h"
#include "app/core/project/data_file_save.h"
#include "captiondata/io/io.h"

namespace qucap {

inline constexpr std::u16string_view kCaptionInfoUnread =
    u"字幕情報ファイルから字幕を1行も読み込めませんでした\n（字幕情報ファイルの形式ではないか、壊れています）";
inline constexpr std::u16string_view kCaptionInfoNotOverwritten =
    u"読み込めなかった字幕情報ファイルには上書き保存しません";

// "字幕情報ファイルの4行目に読めない文字があります\n…": the lines of the file
// (the first five, then "など") holding bytes no accepted encoding reads.
std::u16string unreadableCharactersMessage(std::u16string_view fileKind, const std::vector<std::size_t>& lines);

// Reads the file, normalises the markup of every row and fills the list
// (which rebuilds its caption table). A path naming no file (empty or
// "設定なし") gives an empty list and 0. -1 when the file is missing or could
// not be read; the list is left as it was. A file that is no text at all, or
// held text but gave no row, loads as an empty list with kCaptionInfoUnread
// shown, and the list remembers it as its unread file, so no save replaces
// what it holds. A file with bytes no encoding reads loads with those
// characters as kUnreadableCharacter and unreadableCharactersMessage shown;
// the list remembers it as partly read, so it is saved over only once the
// user changed the rows.
int loadCaptionInfo(const Io& io, std::u16string_view captionInfoPath, CaptionList& list);

// The project's side of a save of the caption-info file.
using CaptionInfoProject = DataFileProject;

// The save dialog offered when the project has no caption-info file yet.
SaveFileRequest captionInfoSaveRequest(std::u16string_view projectFolder);

// Writes the list to the project's caption-info file; the list's unread
// file is refused with kCaptionInfoNotOverwritten (-1), and its partly read
// file is left as it is (0) while the rows are those it gave. Without a file name
// it asks for one first (cancel gives -1), takes it as the project's name
// and records it under [FileName] InpCapName of the project file; a failed
// record shows "confファイルの設定に失敗しました" and does not change the result.
int saveCaptionList(const Io& io, CaptionList& list, CaptionInfoProject& project);

}  // namespace qucap
