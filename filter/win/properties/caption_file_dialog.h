#pragma once
// The open-file dialog of the property page's browse button.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace qucap {

inline constexpr wchar_t kCaptionFileDialogTitle[] = L"字幕情報ﾌｧｲﾙを開く";
// Description and pattern pairs, each ended by a zero, the list by another.
inline constexpr wchar_t kCaptionFileFilters[] = L"カンマ区切りﾌｧｲﾙ (*.csv)\0*.csv\0すべてのﾌｧｲﾙ (*.*)\0*.*\0";
// The dialog's file buffer, terminator included.
inline constexpr DWORD kCaptionFileBufferChars = 256;

// Asks for an existing file, starting in `initialFolder`, or in the user's
// documents folder when that is empty. The chosen path, or nothing when the
// user cancelled or the dialog failed.
std::optional<std::u16string> openCaptionInfoFile(HWND owner, std::u16string_view initialFolder);

// The user's documents folder (CSIDL_PERSONAL); empty when the shell has none.
std::u16string personalFolder();

}  // namespace qucap
