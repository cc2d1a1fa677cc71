#include "app/core/main_window/main_controls.h"

#include <array>
#include <initializer_list>

#include "app/core/main_window/main_window_texts.h"

namespace qucap {
namespace {

// How a control's state follows the PlayState.
enum class Rule : uint8_t {
    Off,
    On,
    IfPendingEdit,    // enabled only while an edit waits to be written back
    OffUnlessLive,    // off, except while the timeline tab times captions live
};

struct ControlRow {
    std::initializer_list<int> ids;
    std::array<Rule, kPlayStateCount> rules;  // NoMedia, Playing, Paused, Stopped, Synthesizing, SynthesisDone
};

using R = Rule;
const std::array<ControlRow, 10> kControlRows = {{
    {{kTabControl}, {R::Off, R::Off, R::Off, R::On, R::Off, R::On}},
    {{kCaptionListView}, {R::OffUnlessLive, R::OffUnlessLive, R::On, R::On, R::OffUnlessLive, R::On}},
    {{kPlayWithCaptions}, {R::Off, R::Off, R::Off, R::On, R::Off, R::On}},
    {{kSaveToList}, {R::IfPendingEdit, R::Off, R::Off, R::IfPendingEdit, R::IfPendingEdit, R::IfPendingEdit}},
    {{kPlayPause}, {R::Off, R::On, R::On, R::On, R::Off, R::On}},
    {{kStopButton}, {R::Off, R::On, R::On, R::Off, R::Off, R::On}},
    {{kEndButton}, {R::On, R::Off, R::Off, R::On, R::Off, R::On}},
    {{kFrameBack, kFrameForward}, {R::Off, R::Off, R::On, R::Off, R::Off, R::Off}},
    {{kVideoArea, kFramePositionLabel, kFrameCounter, kTimeCounter}, {R::Off, R::On, R::On, R::On, R::Off, R::On}},
    {{kPositionScrollBar}, {R::Off, R::On, R::On, R::Off, R::Off, R::Off}},
}};

const std::array<std::u16string_view, kPlayStateCount> kPlayButtonTexts = {
    kPlayButtonText, kPauseButtonText, kPlayButtonText, kPlayButtonText, kPlayButtonText, kPlayButtonText,
};

bool applies(Rule rule, const MainControlFlags& flags) {
    switch (rule) {
        case Rule::Off: return false;
        case Rule::On: return true;
        case Rule::IfPendingEdit: return flags.pendingEdit;
        case Rule::OffUnlessLive: return flags.liveTiming;
    }
    return false;
}

constexpr int kTransportControls[] = {kPlayWithCaptions, kPlayPause, kStopButton, kFrameBack, kFrameForward,
                                      kPositionScrollBar};

bool isTransport(int id) {
    for (int transport : kTransportControls)
        if (transport == id) return true;
    return false;
}

constexpr std::array<int, 4> kCaptionTextFields = {1069, 1073, 1078, 1082};

}  // namespace

std::vector<ControlEnabling> mainControlStates(PlayState state, const MainControlFlags& flags) {
    std::vector<ControlEnabling> states;
    for (const ControlRow& row : kControlRows) {
        const bool enabled = applies(row.rules[indexOf(state)], flags);
        for (int id : row.ids) states.push_back({id, enabled && !(flags.synthesisThread && isTransport(id))});
    }
    return states;
}

std::u16string_view playButtonText(PlayState state) { return kPlayButtonTexts[indexOf(state)]; }

bool resetsPreviewPosition(PlayState state) {
    return state == PlayState::Stopped || state == PlayState::SynthesisDone;
}

bool clearsMessageOnEntry(PlayState previous, PlayState now) {
    return now == PlayState::Stopped && previous != PlayState::Stopped;
}

bool isCaptionTextField(int controlId) {
    for (int id : kCaptionTextFields)
        if (id == controlId) return true;
    return false;
}

std::vector<ControlEnabling> menuItemStates(const MenuContext& context) {
    // Ending, help and the version dialog are locked while a preview runs or
    // is paused and while a synthesis runs; the editing items only while
    // something plays or synthesises.
    const bool running = context.state == PlayState::Playing || context.synthesisRunning;
    const bool paused = context.state == PlayState::Paused;
    const bool locked = running || paused;
    std::vector<ControlEnabling> items{{kMenuExit, !locked}};
    if (!paused) {
        const bool editing = !running && context.currentTab == kCaptionCreationTab &&
                             isCaptionTextField(context.focusedControl);
        items.push_back({kMenuCut, editing && !context.selectionEmpty});
        items.push_back({kMenuCopy, editing && !context.selectionEmpty});
        items.push_back({kMenuPaste, editing && context.clipboardHasText});
    }
    items.push_back({kMenuDisplayItems, true});
    items.push_back({kMenuExportWebVtt, context.projectLoaded});
    items.push_back({kMenuExportTtml, context.projectLoaded});
    items.push_back({kMenuImportCaptions, context.projectLoaded && !locked});
    items.push_back({kMenuImportLog, context.importNotes});
    items.push_back({kMenuProposeRubyAll, context.projectLoaded && !locked});
    items.push_back({kMenuStopAnalysis, context.analysing});
    items.push_back({kMenuHelp, !locked});
    items.push_back({kMenuVersion, !locked});
    return items;
}

}  // namespace qucap
