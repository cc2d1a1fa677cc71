#include "tests/support/platform_shiftjis.h"

#ifdef _WIN32
#include "win32/win32_shiftjis.h"
#else
#include "tests/support/iconv_shiftjis.h"
#endif

namespace qucap::test {

const ShiftJisDecoder& platformShiftJis() {
#ifdef _WIN32
    static const Win32ShiftJisDecoder decoder;
#else
    static const IconvShiftJisDecoder decoder;
#endif
    return decoder;
}

}  // namespace qucap::test
