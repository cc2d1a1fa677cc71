#pragma once
// Offers: the texts and numbers the synthesis shows while it runs and when
// it ends — progress text and bar width, the running and unknown-state
// lines, the percentage from the multiplexer's position, the elapsed time
// line and the interruption question.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qucap {

inline constexpr std::u16string_view kRunningSuffix = u" 処理中";
inline constexpr std::u16string_view kStateUnknown = u"状態不明";
inline constexpr std::u16string_view kFinishedPrefix = u"処理終了 処理時間：";
inline constexpr std::u16string_view kInterruptionQuestion =
    u"字幕合成処理を中断しました。\nエンコーダの組み合わせに失敗したか、中断ボタンが押されたと思われます。\n"
    u"入力動画と、出力動画のフレームレートが合っているかをご確認下さい。\n"
    u"また、他のソフトで動画ファイルを開いているときは閉じて下さい。\nエンコーダの設定をやり直しますか？";

inline constexpr int32_t kMillisecondsPerDay = 86'400'000;

// "" for p ≤ 0, else p (at most 100) followed by "%".
std::u16string progressText(int percent);
// p × full width ÷ 100, with p taken between 0 and 100.
int progressBarWidth(int percent, int fullWidth);

// The output file name without its folder followed by " 処理中".
std::u16string runningText(std::u16string_view outputPath);

// position × 100 ÷ duration, using the multiplexer's duration when positive,
// else the input's duration when positive; nothing when neither is (the
// caller then shows kStateUnknown).
std::optional<int> progressPercent(int64_t position, int64_t muxDuration, int64_t inputDuration);

// A time of day in milliseconds of whole seconds.
int32_t timeOfDay(int hours, int minutes, int seconds);
// end − start; a run that passes midnight adds a day instead of going negative.
int32_t elapsedTime(int32_t startTimeOfDay, int32_t endTimeOfDay);
// "処理終了 処理時間：" followed by the elapsed time as 0h:mm:ss.
std::u16string finishedText(int32_t elapsedMilliseconds);

}  // namespace qucap
