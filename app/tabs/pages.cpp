#include "app/tabs/pages.h"

#include "app/core/shell/mainwindowtexts.h"
#include "app/tabs/file_selection_page.h"

namespace qucap {

std::unique_ptr<Page> makePage(int index) {
    if (index == kFileSelectionTab) return makeFileSelectionPage();
    // The other pages show their controls; their behaviour comes with their own work.
    return std::make_unique<TemplatePage>();
}

}  // namespace qucap
