#include "app/main_window/window_ui.h"

#include <commdlg.h>

#include <vector>

#include "win32/wide.h"

namespace qucap {
namespace {

UINT iconFlag(MessageIcon icon) { return icon == MessageIcon::Warning ? MB_ICONWARNING : MB_ICONINFORMATION; }

// The filter list of a file dialog: description and pattern of each, each
// ended by a zero, and one more zero at the end.
std::u16string filterList(const std::vector<FileTypeFilter>& filters) {
    std::u16string list;
    for (const FileTypeFilter& entry : filters) {
        list.append(entry.description).push_back(u'\0');
        list.append(entry.pattern).push_back(u'\0');
    }
    list.push_back(u'\0');
    return list;
}

}  // namespace

HWND messageBoxOwner(HWND mainWindow) {
    HWND active = GetActiveWindow();
    return active ? active : mainWindow;
}

void WindowUi::messageBox(std::u16string_view text, std::u16string_view title, MessageIcon icon) {
    std::u16string t(text), c(title);
    MessageBoxW(messageBoxOwner(owner_), wide(t), wide(c), MB_OK | iconFlag(icon));
}

bool WindowUi::askYesNo(std::u16string_view text, std::u16string_view title) {
    std::u16string t(text), c(title);
    return MessageBoxW(messageBoxOwner(owner_), wide(t), wide(c), MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

void WindowUi::setMessage(std::u16string_view text) {
    if (!owner_) return;
    std::u16string t(text);
    SetDlgItemTextW(owner_, 1113, wide(t));
}

std::optional<std::u16string> WindowUi::askSaveFileName(const SaveFileRequest& request) {
    const std::u16string filter = filterList(request.filters);
    std::u16string title = u"名前を付けて" + request.kind + u"の保存";
    std::vector<wchar_t> name(MAX_PATH + 1, L'\0');
    for (std::size_t i = 0; i < request.proposedName.size() && i < MAX_PATH; ++i) name[i] = wchar_t(request.proposedName[i]);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = messageBoxOwner(owner_);
    dialog.lpstrFilter = wide(filter);
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = DWORD(name.size());
    dialog.lpstrTitle = wide(title);
    dialog.lpstrDefExt = wide(request.defaultExtension);
    dialog.Flags = OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
    if (!GetSaveFileNameW(&dialog)) return std::nullopt;
    return std::u16string(reinterpret_cast<const char16_t*>(name.data()));
}

std::optional<OpenFileChoice> askOpenFileName(HWND owner, std::u16string_view title,
                                              const std::vector<FileTypeFilter>& filters) {
    const std::u16string filter = filterList(filters);
    const std::u16string caption(title);
    std::vector<wchar_t> name(MAX_PATH + 1, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = messageBoxOwner(owner);
    dialog.lpstrFilter = wide(filter);
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = DWORD(name.size());
    dialog.lpstrTitle = wide(caption);
    dialog.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    if (!GetOpenFileNameW(&dialog)) return std::nullopt;
    return OpenFileChoice{std::u16string(reinterpret_cast<const char16_t*>(name.data())), int(dialog.nFilterIndex)};
}

}  // namespace qucap
