#pragma once
// The input movie of a project as the console tool meets it: present, and
// readable by the media graphs.
#include <optional>
#include <string_view>

#include "app/cli/verbs.h"
#include "captiondata/box/box_info.h"

namespace qucap {

inline constexpr std::u16string_view kInputMovieMissing = u"入力動画ファイルが見つかりません";
inline constexpr std::u16string_view kRenderingFailed = u"レンダリングに失敗しました";

// The frame duration and width of the movie at `moviePath` (a full path),
// for the box-info sample row of a new project. Nothing, with
// "入力動画ファイルが見つかりません" when the file is missing or
// "レンダリングに失敗しました" when no graph can read its video.
std::optional<BoxMovie> readInputMovie(CliContext& context, std::u16string_view moviePath);

}  // namespace qucap
