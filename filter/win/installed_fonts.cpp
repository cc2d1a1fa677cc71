#include "filter/win/installed_fonts.h"

#include <algorithm>
#include <cwchar>
#include "captiondata/io/ui.h"
#include "dshowbase/com_guard.h"

namespace qucap {
namespace {

int takeFaceUnguarded(const LOGFONTW* font, const TEXTMETRICW*, DWORD fontType, LPARAM list);

// The procedure the system calls: takeFaceUnguarded, with no exception let through.
int CALLBACK takeFace(const LOGFONTW* font, const TEXTMETRICW* metrics, DWORD fontType, LPARAM list) {
    return guardWindowProc(kFilterTitle, int(0), [&] { return takeFaceUnguarded(font, metrics, fontType, list); });
}

int takeFaceUnguarded(const LOGFONTW* font, const TEXTMETRICW*, DWORD fontType, LPARAM list) {
    reinterpret_cast<InstalledFontList*>(list)->take(font->lfFaceName, fontType);
    return 1;  // go on
}

}  // namespace

bool InstalledFontList::take(const WCHAR* face, DWORD fontType) {
    if ((fontType & TRUETYPE_FONTTYPE) == 0 || face[0] == L'@') return false;
    const std::size_t length = std::min<std::size_t>(wcslen(face), kFontSlotChars - 1);
    const std::size_t at = slots_.size();
    slots_.resize(at + kFontSlotChars, L'\0');
    std::copy_n(face, length, slots_.begin() + std::ptrdiff_t(at));
    return true;
}

InstalledFontList InstalledFontList::enumerate() {
    InstalledFontList list;
    HDC screen = GetDC(nullptr);
    if (screen == nullptr) return list;
    LOGFONTW wanted{};
    wanted.lfCharSet = SHIFTJIS_CHARSET;
    EnumFontFamiliesExW(screen, &wanted, takeFace, reinterpret_cast<LPARAM>(&list), 0);
    ReleaseDC(nullptr, screen);
    return list;
}

}  // namespace qucap
