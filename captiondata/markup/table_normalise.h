#pragma once
// The normalisation the program applies to a caption table after reading it.
#include <cstddef>

#include "captiondata/caption/caption_row.h"

namespace qucap {

// A body text this long or longer, and every later text of its row, is left
// as read: the codes carried in front and the off-codes at the end could
// make it too long for a caption text.
inline constexpr std::size_t kCarriedBodyTextMax = 1001;

// Walks the caption rows in table order. Every body text gets the effects
// that are on at the end of the body texts before it (reset where the
// orientation changes) and the colours of the earlier texts of its row put
// in front, and switches its effects off at its end; every ruby text gets
// its readings framed (formatRubyGroups) with that carried formatting. Then
// each text drops the codes that change nothing.
void normaliseCaptionTable(CaptionTable& table);

}  // namespace qucap
