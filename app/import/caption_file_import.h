#pragma once
// A caption file of another tool brought into the caption list: read,
// decoded, given to the reader of its format, and made rows by the rules,
// with every message the user sees.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/import/caption_import.h"
#include "app/import/caption_rows.h"
#include "captiondata/io/io.h"

namespace qucap {

inline constexpr std::u16string_view kImportFileMissing = u"字幕ファイルが見つかりません";
inline constexpr std::u16string_view kImportReadFailed = u"字幕ファイルの読み込みに失敗しました";
inline constexpr std::u16string_view kImportNotText = u"字幕ファイルではありません（文字のファイルではありません）";
inline constexpr std::u16string_view kImportUnknownFormat =
    u"字幕ファイルの形式（SRT、WebVTT、TTML、ASS）がわかりません";
inline constexpr std::u16string_view kImportNothingRead = u"字幕ファイルから読み込める字幕がありませんでした";
inline constexpr std::u16string_view kImportUnreadableNote = u"読めない文字を「\uFFFD」にしました";

struct CaptionFileImport {
    // Not empty: nothing was imported, and this says why.
    std::u16string failure;
    ImportedRows rows;
};

// Reads the file at `path` as `format` (or as its content shows) and makes
// rows of its cues among the `existing` ones (none: the rows replace the
// list). A file without a cue that gave a row fails with kImportNothingRead.
CaptionFileImport importCaptionFile(const Io& io, std::u16string_view path, std::optional<ImportFormat> format,
                                    const ColourTable& palette, const std::vector<CaptionFileRow>& existing = {});

// "N行の字幕を読み込みました"
std::u16string importedCountMessage(std::size_t rows);
// A note as the user reads it: "12行目：…" (a note on the whole file has no line).
std::u16string noteLine(const ImportNote& note);

}  // namespace qucap
