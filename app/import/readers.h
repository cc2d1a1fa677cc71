#pragma once
// The readers of other tools' caption files, one a format, each on the
// file's decoded text. None of them fails on any input: what it cannot read
// becomes a note, or the failure of the whole file.
#include <string_view>

#include "app/import/imported_captions.h"

namespace qucap {

// SubRip: numbered (or unnumbered) blocks of a timing line and text lines.
ImportedCaptions readSrt(std::u16string_view text);
// WebVTT, as the WebVTT parsing algorithm reads a file.
ImportedCaptions readWebVtt(std::u16string_view text);
// TTML and its IMSC 1.1 profiles, through an XML parser.
ImportedCaptions readTtml(std::u16string_view text);
// Advanced SubStation Alpha and SubStation Alpha v4.
ImportedCaptions readAss(std::u16string_view text);

}  // namespace qucap
