#pragma once
// The version dialog of the menu item "ﾊﾞｰｼﾞｮﾝ情報(&A)...".
#include <windows.h>

namespace qucap {

// Shows the modal version dialog over `owner` until "OK" or cancel.
void showVersion(HWND owner);

}  // namespace qucap
