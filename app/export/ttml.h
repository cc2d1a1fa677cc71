#pragma once
// IMSC 1.1 Text Profile documents (TTML, UTF-8), the form streaming services
// take Japanese subtitles in: one paragraph per exported row, in a region for
// horizontal or one for vertical (tbrl) rows, with ruby containers placed
// before or after the line as the project's ruby layout places them, and
// text colours, border colours and effects as styling attributes.
#include <string>
#include <vector>

#include "app/export/cue_text.h"
#include "app/export/subtitles.h"

namespace qucap {

inline constexpr std::u16string_view kImscTextProfile = u"http://www.w3.org/ns/ttml/profile/imsc1.1/text";

std::string ttmlBytes(const std::vector<SubtitleRow>& rows, const CueStyle& style);

}  // namespace qucap
