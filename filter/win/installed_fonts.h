#pragma once
// The installed-font list the property page fills its font lists from: the
// TrueType families of the Shift-JIS character set, without the vertical
// "@" variants, as consecutive zero-terminated slots of 64 characters.
#include <windows.h>

#include <vector>

#include "filter/win/iqucapsyf.h"

namespace qucap {

class InstalledFontList {
public:
    // Enumerates the screen's font families now.
    static InstalledFontList enumerate();

    const WCHAR* slots() const { return slots_.empty() ? nullptr : slots_.data(); }
    int count() const { return int(slots_.size() / kFontSlotChars); }

    // Adds a face as enumerated; false when it is not taken (not TrueType,
    // or a vertical "@" face). Longer names are cut to 63 characters.
    bool take(const WCHAR* face, DWORD fontType);

private:
    std::vector<WCHAR> slots_;
};

}  // namespace qucap
