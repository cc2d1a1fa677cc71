#include "filter/win/properties/dialog_page_view.h"

#include "filter/win/properties/caption_file_dialog.h"
#include "win32/wide.h"
#include "win32/window_text.h"

namespace qucap {

namespace {

}  // namespace

LRESULT DialogPageView::send(int control, UINT message, WPARAM wParam, LPARAM lParam) {
    return SendDlgItemMessageW(dialog_, control, message, wParam, lParam);
}

void DialogPageView::setText(int control, std::u16string_view text) {
    SetDlgItemTextW(dialog_, control, wide(std::u16string(text)));
}

std::u16string DialogPageView::text(int control) { return windowText(GetDlgItem(dialog_, control)); }

void DialogPageView::limitText(int control, std::size_t maxChars) { send(control, EM_SETLIMITTEXT, maxChars); }

void DialogPageView::fillList(int control, const std::vector<std::u16string>& items) {
    send(control, CB_RESETCONTENT);
    for (const std::u16string& item : items) send(control, CB_ADDSTRING, 0, LPARAM(wide(item)));
}

void DialogPageView::selectItem(int control, int index) { send(control, CB_SETCURSEL, WPARAM(index)); }

std::optional<std::u16string> DialogPageView::selectedText(int control) {
    const LRESULT index = send(control, CB_GETCURSEL);
    if (index == CB_ERR) return std::nullopt;
    const LRESULT length = send(control, CB_GETLBTEXTLEN, WPARAM(index));
    if (length == CB_ERR) return std::nullopt;
    std::u16string text(std::size_t(length) + 1, u'\0');
    const LRESULT copied = send(control, CB_GETLBTEXT, WPARAM(index), LPARAM(text.data()));
    if (copied == CB_ERR) return std::nullopt;
    text.resize(std::size_t(copied));
    return text;
}

void DialogPageView::setChecked(int control, bool checked) {
    CheckDlgButton(dialog_, control, checked ? BST_CHECKED : BST_UNCHECKED);
}

bool DialogPageView::isChecked(int control) { return IsDlgButtonChecked(dialog_, control) == BST_CHECKED; }

void DialogPageView::enable(int control, bool enabled) { EnableWindow(GetDlgItem(dialog_, control), enabled); }

std::optional<std::u16string> DialogPageView::chooseCaptionFile(std::u16string_view initialFolder) {
    return openCaptionInfoFile(dialog_, initialFolder);
}

}  // namespace qucap
