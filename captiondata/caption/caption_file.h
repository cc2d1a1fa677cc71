#pragma once
// The caption-info file: its readers (program and filter flavours), its
// writer, and the rebuild of a caption table from the caption list's rows.
#include <string>
#include <string_view>
#include <vector>

#include "captiondata/caption/caption_row.h"
#include "captiondata/io/io.h"
#include "captiondata/io/text_file.h"

namespace qucap {

inline constexpr std::u16string_view kCaptionFileHeader =
    u"0,表示開始時間,表示時間,縦横,本文,表示位置,ルビ,表示位置,本文,表示位置,ルビ,表示位置,ロック";
// Written after the header when the caption list is empty.
inline constexpr std::u16string_view kCaptionSampleRow =
    u"1,0:00:00.00,0:00:10.00,横,$W$kカブレン,76,,0,$W$k$C字幕付加$Wシステム,110,字幕($W$k $Cじまく$W)付加(  $Cふか$W),144,0";

inline constexpr std::u16string_view kCaptionReadFailed = u"字幕情報ファイルの読み込みに失敗しました";
inline constexpr std::u16string_view kCaptionSizeFailed = u"字幕情報ファイルのサイズ取得に失敗しました";
inline constexpr std::u16string_view kCaptionWriteFailed = u"字幕情報ファイルの書き込みに失敗しました";

// One row of the caption list as the writer and the rebuild take it.
struct CaptionFileRow {
    std::u16string number;           // as the row-number column shows it
    std::u16string start, duration;  // as the list shows them (caption time form)
    bool vertical = false;
    std::array<std::u16string, kTextCount> texts;  // with markup
    std::array<int32_t, kTextCount> positions{};   // 0 where the position column is empty
    int32_t lock = 0;
    bool operator==(const CaptionFileRow&) const = default;
};

// Program: fills `table` (times parsed without checking, lock outside 0..3 read as 0).
// 0 on success and, reading nothing, for an empty or "設定なし" name; -1 when the
// file is missing (no message) or could not be read (message shown). The table
// is kept when the read fails. `findings`, when given, tells what else the
// file held.
int readCaptionInfoForProgram(const Io& io, std::u16string_view path, CaptionTable& table,
                              ReadFindings* findings = nullptr);

// Filter: fills `table` and checks every row; the first bad row shows its
// message (title "カブレン字幕合成フィルタ") and ends the read with -1, the rows
// stored before it stay. -1 without a message for an empty or "設定なし" name or
// a missing file. Bytes that are no text at all give no row, as in the program.
int readCaptionInfoForFilter(const Io& io, std::u16string_view path, CaptionTable& table);

// The bytes of the file for these rows (the sample row when there are none).
std::string captionInfoBytes(const std::vector<CaptionFileRow>& rows);

// One row's line of the file, without its line end.
std::u16string captionFileLine(const CaptionFileRow& row);

// Writes the file; -1 without a message for an empty or "設定なし" name, -1 with
// "字幕情報ファイルの書き込みに失敗しました" when writing fails (the old file stays).
int writeCaptionInfo(const Io& io, std::u16string_view path, const std::vector<CaptionFileRow>& rows);

// One table slot per list row, in order: number, parsed times, orientation,
// texts, positions and lock.
CaptionTable rebuildCaptionTable(const std::vector<CaptionFileRow>& rows);

}  // namespace qucap
