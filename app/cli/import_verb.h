#pragma once
// The verb "import": a caption file of another tool (SRT, WebVTT, TTML,
// ASS) read into the project's caption rows, replacing them or, with
// --append, placed among them, and written to its caption-info file.
#include <string>
#include <string_view>
#include <vector>

#include "app/cli/verbs.h"

namespace qucap {

inline constexpr std::u16string_view kAppendFlag = u"--append";
inline constexpr std::u16string_view kFormatOption = u"--format";
inline constexpr std::u16string_view kImportNoCaptionFile = u"プロジェクトに字幕情報ファイルが設定されていません";
inline constexpr std::u16string_view kImportCancelled = u"字幕ファイルの読み込みをやめました";

int importVerb(const std::vector<std::u16string>& args, CliContext& context);

}  // namespace qucap
