#pragma once
// The verb "still PROJECT.mcc TIME OUT.bmp": the frame of the project's input
// movie at TIME, with the captions, boxes and watermark the caption filter
// draws into it, written as a 24-bit BMP file.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/cli/movie_input.h"
#include "app/cli/verbs.h"
#include "app/media/caption_filter.h"

namespace qucap {

inline constexpr std::u16string_view kStillTimeInvalid = u"時間の指定に誤りがあります：";
inline constexpr std::u16string_view kSeekPositionNotGiven =
    u"字幕の時間を字幕合成フィルタに伝えられないため、静止画を作成しません";
inline constexpr std::u16string_view kSeekFailed = u"指定した時間へのシークに失敗しました";
inline constexpr std::u16string_view kMovieFailed = u"動画の再生に失敗しました";
inline constexpr std::u16string_view kNoFrameAtTime = u"指定した時間のフレームがありません";
inline constexpr std::u16string_view kNoFrameInTime = u"時間内にフレームを取得できませんでした";
inline constexpr std::u16string_view kBitmapWriteFailed = u"BMPファイルの作成に失敗しました";

// How long the graph may take to deliver the frame.
inline constexpr unsigned long kStillFrameTimeoutMs = 20'000;

// TIME: digits only are milliseconds; anything else must be a caption time
// (h:mm:ss.cc and its shorter shapes) as the program's checker accepts it.
// Nothing for other texts and for times past 9:59:59.999, which the shared
// control block cannot carry.
std::optional<int32_t> parseStillTime(std::u16string_view text);

// "指定した時間（0:00:05.000）が動画の長さ（0:00:03.003）を超えています"
std::u16string timeBeyondMovieMessage(int32_t milliseconds, int64_t duration);

int stillVerb(const std::vector<std::u16string>& args, CliContext& context);

}  // namespace qucap
