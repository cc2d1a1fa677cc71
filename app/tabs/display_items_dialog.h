#pragma once
// The dialog "表示項目設定": which fonts and encoders the drop-down lists
// offer, one check box per installed name, kept in the display-item lists.
#include <windows.h>

#include "app/core/display_items/display_list.h"

namespace qucap {

// Shows the modal dialog over `owner`. Every change of kind and every
// closing writes the current kind's list file.
void showDisplayItems(HWND owner);

// Called after a list file of `kind` was written and loaded again, so the
// lists that offer its names can be filled anew.
void notifyDisplayListSaved(DisplayListKind kind);

}  // namespace qucap
