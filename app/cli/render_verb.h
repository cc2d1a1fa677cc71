#pragma once
// The verb "render PROJECT.mcc [--out FILE.avi] [--video-encoder NAME]
// [--audio-encoder NAME] [--yes]": the caption synthesis of the program
// without its window. It starts as the start button does (settings saved,
// captions validated, output checks), builds the synthesis graph, runs it
// with a progress bar on the error stream and prints the elapsed time.
// Ctrl+C is the abort button; the console answers the interruption question
// with Yes.
#include <string>
#include <string_view>
#include <vector>

#include "app/cli/verbs.h"
#include "win32/console.h"

namespace qucap {

inline constexpr std::u16string_view kOutOption = u"--out";
inline constexpr std::u16string_view kVideoEncoderOption = u"--video-encoder";
inline constexpr std::u16string_view kAudioEncoderOption = u"--audio-encoder";

inline constexpr std::u16string_view kOutputNameMissing = u"出力動画ファイルを --out で指定して下さい";
inline constexpr std::u16string_view kOutputKept = u"既存の出力動画ファイルを残して、処理を中止しました";

// "映像エンコーダ「NAME」が見つかりません" / "音声エンコーダ「NAME」が見つかりません"
std::u16string encoderMissingMessage(bool video, std::u16string_view name);

// The text progress bar: "[#####               ] 25%" rewritten in place
// with a carriage return; finish() ends its line.
class ProgressBar {
public:
    explicit ProgressBar(TextSink& sink, int width = 20) : sink_(sink), width_(width) {}
    // Draws p (taken between 0 and 100) when it differs from the last drawn;
    // p ≤ 0 draws nothing.
    void show(int percent);
    // Ends the bar's line, if one was drawn.
    void finish();
    // The bar's text for p: "[" + filled + blank + "] " + p + "%".
    std::u16string text(int percent) const;

private:
    TextSink& sink_;
    int width_;
    int shown_ = -1;
};

int renderVerb(const std::vector<std::u16string>& args, CliContext& context);

}  // namespace qucap
