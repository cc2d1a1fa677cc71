#pragma once
// Subtitle files written from the caption list. SAMI and SRT carry the
// first- and second-line body texts without markup, at the rows' times;
// WebVTT and TTML (webvtt.h, ttml.h) carry ruby, orientation and formatting.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/core/caption_list/caption_list.h"
#include "app/export/cue_text.h"
#include "captiondata/io/io.h"

namespace qucap {

inline constexpr std::u16string_view kSamiCopyright = u"Copyright (C) Qucap Project";
inline constexpr std::u16string_view kSamiCreateFailed = u"SAMIファイルの作成に失敗しました";
inline constexpr std::u16string_view kSrtCreateFailed = u"SRTファイルの作成に失敗しました";
inline constexpr std::u16string_view kSamiDone =
    u"SAMIファイルを出力しました。\n文字コードはユニコードです。\n言語系に応じて、文字コードの変換が必要です";
inline constexpr std::u16string_view kSrtDone =
    u"SRTファイルを出力しました。\n文字コードはユニコードです。\n言語系に応じて、文字コードの変換が必要です";
inline constexpr std::u16string_view kWebVttCreateFailed = u"WebVTTファイルの作成に失敗しました";
inline constexpr std::u16string_view kTtmlCreateFailed = u"TTMLファイルの作成に失敗しました";
inline constexpr std::u16string_view kWebVttDone = u"WebVTTファイルを出力しました。\n文字コードはUTF-8です";
inline constexpr std::u16string_view kTtmlDone = u"TTML（IMSC 1.1）ファイルを出力しました。\n文字コードはUTF-8です";

// One list row as the writers take it.
struct SubtitleRow {
    int32_t start = 0;     // milliseconds, parsed from the list's time text
    int32_t duration = 0;  // milliseconds
    std::u16string line1Markup, line1Plain;
    std::u16string line2Markup, line2Plain;
    std::u16string line1Ruby, line2Ruby;  // with markup
    bool vertical = false;

    int64_t end() const { return int64_t(start) + duration; }
    // Each line's body and ruby, with markup.
    std::array<std::pair<std::u16string_view, std::u16string_view>, 2> lineMarkups() const {
        return {{{line1Markup, line1Ruby}, {line2Markup, line2Ruby}}};
    }
};

std::vector<SubtitleRow> subtitleRows(const CaptionList& list);

// The rows every writer takes: in list order, each starting later than every
// row taken before (rows out of time order and repeated starts are dropped).
std::vector<bool> acceptedRows(const std::vector<SubtitleRow>& rows);
// The rows the cue formats write: the accepted rows that show some text for
// some time. A duration of 0 makes a cue that ends where it starts, which
// WebVTT and TTML readers refuse; a cue without text shows nothing, and
// players such as ffmpeg drop it.
std::vector<SubtitleRow> exportedRows(const std::vector<SubtitleRow>& rows);

// The project settings the SAMI header uses.
struct SamiSettings {
    std::u16string inputMoviePath;
    std::u16string fontName;  // MainName
    int32_t fontSize = 32;    // MainSize
    int32_t side = 0;         // Side: 1 puts captions at the edge ("left")
};

// The SAMI style and the proposed file names from the project's settings.
SamiSettings samiSettingsOf(const ProjectSettings& settings);

std::string srtBytes(const std::vector<SubtitleRow>& rows);
std::string samiBytes(const std::vector<SubtitleRow>& rows, const SamiSettings& settings);

enum class SubtitleKind { Sami, Srt, WebVtt, Ttml };

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
int exportWebVtt(const Io& io, std::u16string_view outputPath, const CaptionList& list, const CueStyle& style);
int exportTtml(const Io& io, std::u16string_view outputPath, const CaptionList& list, const CueStyle& style);

// The whole export as the program's buttons run it: ask for the file name
// (cancel ends quietly with -1), then write and report as above.
// WebVTT and TTML need the project's styling too.
int chooseAndExport(const Io& io, SubtitleKind kind, const CaptionList& list, const SamiSettings& settings,
                    const CueStyle& style = {});

}  // namespace qucap
