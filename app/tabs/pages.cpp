#include "app/tabs/pages.h"

#include <array>

#include "app/core/main_window/main_window_texts.h"
#include "app/main_window/app_state.h"
#include "app/tabs/box_display_page.h"
#include "app/tabs/caption_creation_page.h"
#include "app/tabs/colour_settings_page.h"
#include "app/tabs/display_position_page.h"
#include "app/tabs/file_selection_page.h"
#include "app/tabs/font_settings_page.h"
#include "app/tabs/synthesis_page.h"
#include "app/tabs/timeline_page.h"

namespace qucap {

namespace {

// The help page of each tab (Help window index), 0 for the tabs without one.
constexpr std::array<int, kTabPages.size()> kHelpIndexOfTab = {1, 2, 0, 3, 4, 0, 5, 6};

}  // namespace

AppState::AppState() = default;
AppState::~AppState() = default;

int helpIndexOfTab(int index) { return index >= 0 && index < int(kHelpIndexOfTab.size()) ? kHelpIndexOfTab[std::size_t(index)] : 0; }

std::unique_ptr<Page> makePage(int index) {
    if (index == kFileSelectionTab) return makeFileSelectionPage();
    if (index == kFontTab) return makeFontSettingsPage();
    if (index == kCaptionCreationTab) return makeCaptionCreationPage();
    if (index == kDisplayPositionTab) return makeDisplayPositionPage();
    if (index == kColourTab) return makeColourSettingsPage();
    if (index == kBoxDisplayTab) return makeBoxDisplayPage();
    if (index == kTimelineTab) return makeTimelinePage();
    if (index == kSynthesisTab) return makeSynthesisPage();
    // The other pages show their controls; their behaviour comes with their own work.
    return std::make_unique<TemplatePage>(helpIndexOfTab(index));
}

}  // namespace qucap
