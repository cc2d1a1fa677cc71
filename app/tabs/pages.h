#pragma once
// The page object behind each tab of the main window.
#include <memory>

#include "app/tabs/page.h"

namespace qucap {

// The help page a tab's "ヘルプ" button opens (1-6), 0 for the colour and box tabs.
int helpIndexOfTab(int index);

// The page of tab `index` (0-7), not yet created.
std::unique_ptr<Page> makePage(int index);

}  // namespace qucap
