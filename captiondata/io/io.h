#pragma once
// What a reader or writer of the system's files needs from the platform.
#include "captiondata/io/file_system.h"
#include "captiondata/io/ui.h"
#include "captiondata/text/decode.h"

namespace qucap {

struct Io {
    FileSystem& files;
    Ui& ui;
    const ShiftJisDecoder& shiftJis;
};

// Whether a path setting names a file: empty and "設定なし" name none.
inline constexpr std::u16string_view kNoFile = u"設定なし";
inline bool namesFile(std::u16string_view path) { return !path.empty() && path != kNoFile; }

}  // namespace qucap
