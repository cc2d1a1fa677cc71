#pragma once
// The platform's Shift-JIS decoder: iconv on the host, the Win32 conversion
// when the suite runs as a Windows program.
#include "captiondata/text/decode.h"

namespace qucap::test {

const ShiftJisDecoder& platformShiftJis();

}  // namespace qucap::test
