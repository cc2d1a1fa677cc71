#include "app/main_window/font_names.h"

#include <windows.h>

#include "captiondata/io/ui.h"
#include "captiondata/text/u16.h"
#include "dshowbase/com_guard.h"

namespace qucap {
namespace {

// Face names are kept in entries of 64 characters.
constexpr std::size_t kFontNameCut = 63;

struct Enumeration {
    std::vector<std::u16string>* names;  // null on the counting pass
    std::size_t count = 0;
};

int visitFamilyUnguarded(const LOGFONTW* font, const TEXTMETRICW*, DWORD type, LPARAM context);

// The procedure the system calls: visitFamilyUnguarded, with no exception let through.
int CALLBACK visitFamily(const LOGFONTW* font, const TEXTMETRICW* metrics, DWORD type, LPARAM context) {
    return guardWindowProc(kProgramTitle, int(0), [&] { return visitFamilyUnguarded(font, metrics, type, context); });
}

int visitFamilyUnguarded(const LOGFONTW* font, const TEXTMETRICW*, DWORD type, LPARAM context) {
    auto& pass = *reinterpret_cast<Enumeration*>(context);
    if (!(type & TRUETYPE_FONTTYPE) || font->lfFaceName[0] == L'@') return 1;
    if (pass.names) pass.names->push_back(truncated(reinterpret_cast<const char16_t*>(font->lfFaceName), kFontNameCut));
    ++pass.count;
    return 1;
}

void enumerate(HDC dc, Enumeration& pass) {
    LOGFONTW query{};
    query.lfCharSet = SHIFTJIS_CHARSET;
    EnumFontFamiliesExW(dc, &query, visitFamily, LPARAM(&pass), 0);
}

}  // namespace

std::vector<std::u16string> installedJapaneseFontNames() {
    HDC dc = GetDC(nullptr);
    // A counting pass sizes the table, a second pass fills it.
    Enumeration counting{nullptr};
    enumerate(dc, counting);
    std::vector<std::u16string> names;
    names.reserve(counting.count);
    Enumeration filling{&names};
    enumerate(dc, filling);
    ReleaseDC(nullptr, dc);
    return names;
}

}  // namespace qucap
