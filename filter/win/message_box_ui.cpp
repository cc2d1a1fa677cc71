#include "filter/win/message_box_ui.h"

#include <windows.h>

#include <string>

namespace qucap {
namespace {

std::wstring terminated(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

UINT iconFlag(MessageIcon icon) { return icon == MessageIcon::Information ? MB_ICONINFORMATION : MB_ICONWARNING; }

}  // namespace

void MessageBoxUi::messageBox(std::u16string_view text, std::u16string_view title, MessageIcon icon) {
    MessageBoxW(nullptr, terminated(text).c_str(), terminated(title).c_str(), MB_OK | iconFlag(icon));
}

bool MessageBoxUi::askYesNo(std::u16string_view text, std::u16string_view title) {
    return MessageBoxW(nullptr, terminated(text).c_str(), terminated(title).c_str(),
                       MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

}  // namespace qucap
