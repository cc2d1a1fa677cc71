#pragma once
// SAMI and SRT subtitle files written from the caption list: the first- and
// second-line body texts without markup, at the rows' times.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/core/captionlist.h"
#include "captiondata/io/io.h"

namespace qucap {

inline constexpr std::u16string_view kSamiCopyright = u"Copyright (C) Qucap Project";
inline constexpr std::u16string_view kSamiCreateFailed = u"SAMIファイルの作成に失敗しました";
inline constexpr std::u16string_view kSrtCreateFailed = u"SRTファイルの作成に失敗しました";
inline constexpr std::u16string_view kSamiDone =
    u"SAMIファイルを出力しました。\n文字コードはユニコードです。\n言語系に応じて、文字コードの変換が必要です";
inline constexpr std::u16string_view kSrtDone =
    u"SRTファイルを出力しました。\n文字コードはユニコードです。\n言語系に応じて、文字コードの変換が必要です";

// One list row as the writers take it.
struct SubtitleRow {
    int32_t start = 0;     // milliseconds, parsed from the list's time text
    int32_t duration = 0;  // milliseconds
    std::u16string line1Markup, line1Plain;
    std::u16string line2Markup, line2Plain;

    int64_t end() const { return int64_t(start) + duration; }
};

std::vector<SubtitleRow> subtitleRows(const CaptionList& list);

// The project settings the SAMI header uses.
struct SamiSettings {
    std::u16string inputMoviePath;
    std::u16string fontName;  // MainName
    int32_t fontSize = 32;    // MainSize
    int32_t side = 0;         // Side: 1 puts captions at the edge ("left")
};

std::string srtBytes(const std::vector<SubtitleRow>& rows);
std::string samiBytes(const std::vector<SubtitleRow>& rows, const SamiSettings& settings);

enum class SubtitleKind { Sami, Srt };

// The name proposed for the export: the input movie's folder and its name
// without extension, or "無題" when the path has no folder part.
std::u16string defaultSubtitleName(std::u16string_view inputMoviePath);
// The save dialog of an export (extension, title word and filter by kind).
SaveFileRequest subtitleSaveRequest(SubtitleKind kind, std::u16string_view inputMoviePath);

// Write the file to the chosen path and report by message box: the creation
// failure as a warning, the completion notice with the information icon.
// 0 when the file was written, else -1.
int exportSrt(const Io& io, std::u16string_view outputPath, const CaptionList& list);
int exportSami(const Io& io, std::u16string_view outputPath, const CaptionList& list, const SamiSettings& settings);

// The whole export as the program's buttons run it: ask for the file name
// (cancel ends quietly with -1), then write and report as above.
int chooseAndExport(const Io& io, SubtitleKind kind, const CaptionList& list, const SamiSettings& settings);

}  // namespace qucap
