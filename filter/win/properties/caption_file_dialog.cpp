#include "filter/win/properties/caption_file_dialog.h"

#include <commdlg.h>
#include <shlobj.h>

namespace qucap {

std::u16string personalFolder() {
    LPITEMIDLIST folder = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_PERSONAL, &folder)) || !folder) return {};
    wchar_t path[MAX_PATH] = {};
    const BOOL found = SHGetPathFromIDListW(folder, path);
    CoTaskMemFree(folder);
    return found ? std::u16string(reinterpret_cast<const char16_t*>(path)) : std::u16string();
}

std::optional<std::u16string> openCaptionInfoFile(HWND owner, std::u16string_view initialFolder) {
    const std::u16string folder = initialFolder.empty() ? personalFolder() : std::u16string(initialFolder);
    wchar_t file[kCaptionFileBufferChars] = {};
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = kCaptionFileFilters;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file;
    dialog.nMaxFile = kCaptionFileBufferChars;
    dialog.lpstrInitialDir = folder.empty() ? nullptr : reinterpret_cast<const wchar_t*>(folder.c_str());
    dialog.lpstrTitle = kCaptionFileDialogTitle;
    dialog.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_CREATEPROMPT | OFN_EXPLORER;
    if (!GetOpenFileNameW(&dialog)) return std::nullopt;
    return std::u16string(reinterpret_cast<const char16_t*>(file));
}

}  // namespace qucap
