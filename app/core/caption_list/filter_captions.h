#pragma once
// The caption filter reads the caption-info file with row checks of its own
// that are stricter than the program's, and at the first row it refuses it
// drops the whole file, saying so only in a message box. A batch job runs the
// same read first, so a project whose captions the filter would drop is
// reported instead of rendered without them.
#include <optional>
#include <string>
#include <string_view>

#include "captiondata/io/io.h"

namespace qucap {

// The message the filter would show for this caption-info file, as it words
// it ("2行目の表示時間の指定に誤りがあります"), or nothing when the filter
// takes every row (or the path names no file). Nothing is shown meanwhile.
std::optional<std::u16string> filterCaptionFault(const Io& io, std::u16string_view captionInfoPath);

}  // namespace qucap
