#include "app/tabs/display_position_page.h"

#include <commctrl.h>

#include <algorithm>

#include "app/core/display_position/position_controls.h"
#include "app/core/main_window/main_window_texts.h"
#include "app/main_window/app_state.h"
#include "app/main_window/caption_list_view.h"
#include "app/main_window/main_window.h"
#include "app/main_window/position_defaults.h"
#include "app/tabs/help_host.h"
#include "app/tabs/pages.h"
#include "app/tabs/timeline_page.h"
#include "captiondata/text/u16.h"
#include "resources/app/page_ids.h"
#include "resources/app/resource.h"

namespace qucap {
namespace {

// The row and amount fields hold as many digits as the position fields.
constexpr int kRangeFields[] = {kFirstRowField, kLastRowField, kHorizontalAmountField, kVerticalAmountField};
// The fields are read as far as fifteen characters.
constexpr int kShortTextLimit = 15;

PositionSettings currentSettings() { return positionSettingsOf(app().settings, app().movie); }

// The text index whose control `id` is, -1 for none.
int textOf(int id, int PositionTextControls::*control) {
    for (int text = 0; text < kTextCount; ++text)
        if (kPositionTextControls[std::size_t(text)].*control == id) return text;
    return -1;
}

}  // namespace

DisplayPositionPage::DisplayPositionPage() : model_(app().captions, app().ui, currentSettings) {}

void DisplayPositionPage::initialise() {
    for (const PositionTextControls& controls : kPositionTextControls)
        SendMessageW(item(controls.field), EM_SETLIMITTEXT, kPositionFieldLimit, 0);
    for (const int id : kRangeFields) SendMessageW(item(id), EM_SETLIMITTEXT, kPositionFieldLimit, 0);
    fillChoices(kHorizontalDirectionList, kHorizontalDirections);
    fillChoices(kVerticalDirectionList, kVerticalDirections);
    setScrollRanges();
    resetTab();
    showLoadedRow();
    applyEnabling();
}

void DisplayPositionPage::refresh() { applyEnabling(); }

void DisplayPositionPage::growRight(int dx) {
    // The buttons at the bottom right keep to the right edge.
    if (dx > 0) shiftControl(kPositionUndoButton, dx);
    shiftControl(kAllRowsDefaultButton, dx);
    if (dx <= 0) shiftControl(kPositionUndoButton, dx);
}

void DisplayPositionPage::showRow(int row) {
    model_.loadRow(row);
    rangeMode_ = !model_.hasRow();
    showLoadedRow();
    applyEnabling();
}

void DisplayPositionPage::clearRow() {
    model_.clearRow();
    rangeMode_ = true;
    showLoadedRow();
    applyEnabling();
}

void DisplayPositionPage::commitEdit() {
    // Only a change not yet in the list is written: a row merely looked at
    // keeps its positions as they were read.
    if (!model_.hasRow() || !app().captions.pendingEdit()) return;
    model_.commit(false);
    showCaptionRow(mainCaptionListView(), app().captions, model_.rowIndex());
    showLoadedRow();
}

void DisplayPositionPage::resetForProject() {
    model_.forgetUndo();
    model_.clearRow();
    rangeMode_ = true;
    setScrollRanges();
    resetTab();
    showLoadedRow();
    applyEnabling();
}

bool DisplayPositionPage::handle(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    switch (message) {
    case WM_SHOWWINDOW:
        // Shown as the current tab: rows without positions get their defaults.
        if (wParam && lParam == 0) applyDefaultPositionsToAll(DefaultPositionMode::FillUnset);
        return false;
    case WM_COMMAND:
        command(LOWORD(wParam), HIWORD(wParam));
        result = 0;
        return true;
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (lParam) scrolled(HWND(lParam), LOWORD(wParam), HIWORD(wParam));
        result = 0;
        return true;
    default:
        return false;
    }
}

void DisplayPositionPage::command(int id, int code) {
    if (const int text = textOf(id, &PositionTextControls::field); text >= 0) {
        if (code == EN_CHANGE && !showing_) positionTyped(text);
        return;
    }
    if (code != BN_CLICKED) return;
    switch (id) {
    case kLockBox:
        model_.setLock(isChecked(kLockBox));
        return rowCommitted();
    case kSwitchOrientationButton:
        model_.switchOrientation();
        return rowCommitted();
    case kDefaultPositionButton:
        model_.useDefaultPositions();
        return rowCommitted();
    case kRangeModeRadio: return enterRangeMode();
    case kRowModeRadio: return showLoadedRow();  // row mode comes from selecting a row
    case kAllRowsRadio:
    case kRowRangeRadio:
    case kMoveHorizontalRadio:
    case kMoveVerticalRadio: return applyEnabling();
    case kRunRangeButton: return runRangeMove();
    case kAllRowsDefaultButton: return allRowsDefault();
    case kPositionUndoButton: return undo();
    case kPositionHelp: return openHelp(helpIndexOfTab(kDisplayPositionTab), window());
    default: return;
    }
}

void DisplayPositionPage::scrolled(HWND bar, int code, int thumb) {
    const int id = GetDlgCtrlID(bar);
    int text = textOf(id, &PositionTextControls::horizontalBar);
    if (text < 0) text = textOf(id, &PositionTextControls::verticalBar);
    if (text < 0 || !model_.hasRow()) return;
    int32_t position = 0;
    switch (code) {
    case SB_LINEUP: position = model_.scroll(text, ScrollStep::LineBack); break;
    case SB_LINEDOWN: position = model_.scroll(text, ScrollStep::LineForward); break;
    case SB_PAGEUP: position = model_.scroll(text, ScrollStep::PageBack); break;
    case SB_PAGEDOWN: position = model_.scroll(text, ScrollStep::PageForward); break;
    case SB_THUMBTRACK: position = model_.scroll(text, ScrollStep::Drag, thumb); break;
    case SB_THUMBPOSITION:
        // Letting go of the thumb places the text.
        model_.scroll(text, ScrollStep::Drag, thumb);
        model_.commit(true);
        return rowCommitted();
    default: return;
    }
    showing_ = true;
    setItemText(kPositionTextControls[std::size_t(text)].field, toDecimal(position));
    showing_ = false;
    showBar(text);
    // Steps of the arrows and the page area wait in the working copy like a typed value.
    setPendingEdit(true);
}

void DisplayPositionPage::positionTyped(int text) {
    model_.typePosition(text, itemText(kPositionTextControls[std::size_t(text)].field, kShortTextLimit));
    showBar(text);
    setPendingEdit(true);
}

void DisplayPositionPage::enterRangeMode() {
    commitPending();
    deselectCaptionRows(mainCaptionListView(), app().captions);
    model_.clearRow();
    rangeMode_ = true;
    showLoadedRow();
    applyEnabling();
}

void DisplayPositionPage::runRangeMove() {
    const RangeMoveRequest request = rangeRequest();
    const RangeMoveResult result = model_.moveRange(request);
    if (result.status != 0) {
        const bool vertical = request.kind == MoveKind::Vertical;
        const int field = result.focus == RangeField::FirstRow  ? kFirstRowField
                          : result.focus == RangeField::LastRow ? kLastRowField
                          : vertical                            ? kVerticalAmountField
                                                                : kHorizontalAmountField;
        SetFocus(item(field));
        return;
    }
    refreshCaptionRows(mainCaptionListView(), app().captions);
    showLoadedRow();
    applyEnabling();
    if (app().mainWindow) SetFocus(GetDlgItem(app().mainWindow, IDC_PLAY_PAUSE));
}

void DisplayPositionPage::allRowsDefault() {
    commitPending();
    if (model_.applyDefaultsToAllRows()) rowsChanged();
}

void DisplayPositionPage::undo() {
    commitPending();
    if (model_.undo()) rowsChanged();
}

void DisplayPositionPage::rowCommitted() {
    setPendingEdit(false);
    showCaptionRow(mainCaptionListView(), app().captions, model_.rowIndex());
    showLoadedRow();
    applyEnabling();
}

void DisplayPositionPage::rowsChanged() {
    refreshCaptionRows(mainCaptionListView(), app().captions);
    resetTab();
    // The selected row stays in the tab, showing what it holds now.
    showLoadedRow();
    applyEnabling();
}

void DisplayPositionPage::commitPending() {
    if (!app().captions.pendingEdit()) return;
    commitEdit();
    setPendingEdit(false);
}

void DisplayPositionPage::resetTab() {
    showing_ = true;
    CheckRadioButton(window(), kAllRowsRadio, kRowRangeRadio, kAllRowsRadio);
    CheckRadioButton(window(), kMoveHorizontalRadio, kMoveVerticalRadio, kMoveHorizontalRadio);
    for (const int id : kRangeFields) setItemText(id, u"1");
    SendMessageW(item(kHorizontalDirectionList), CB_SETCURSEL, 0, 0);
    SendMessageW(item(kVerticalDirectionList), CB_SETCURSEL, 0, 0);
    showing_ = false;
}

void DisplayPositionPage::showLoadedRow() {
    const WorkingRow& row = model_.row();
    showing_ = true;
    for (int text = 0; text < kTextCount; ++text) {
        const PositionTextControls& controls = kPositionTextControls[std::size_t(text)];
        const bool present = !row.texts[std::size_t(text)].empty();
        setItemText(controls.text, row.plainTexts[std::size_t(text)]);
        setItemText(controls.field, present ? toDecimal(row.positions[std::size_t(text)]) : u"");
        showBar(text);
    }
    setItemText(IDC_ORIENTATION, row.vertical ? kVertical : kHorizontal);
    CheckDlgButton(window(), kLockBox, row.lock == 1 ? BST_CHECKED : BST_UNCHECKED);
    CheckRadioButton(window(), kRowModeRadio, kRangeModeRadio, rangeMode_ ? kRangeModeRadio : kRowModeRadio);
    showing_ = false;
}

void DisplayPositionPage::showBar(int text) {
    const WorkingRow& row = model_.row();
    const PositionTextControls& controls = kPositionTextControls[std::size_t(text)];
    const int32_t position = row.texts[std::size_t(text)].empty()
                                 ? 1
                                 : keptInFrame(currentSettings(), row.vertical, text, row.positions[std::size_t(text)]);
    SetScrollPos(item(row.vertical ? controls.horizontalBar : controls.verticalBar), SB_CTL, position, TRUE);
    SetScrollPos(item(row.vertical ? controls.verticalBar : controls.horizontalBar), SB_CTL, 1, TRUE);
}

void DisplayPositionPage::setScrollRanges() {
    const PositionSettings settings = currentSettings();
    const int32_t width = std::max(1, settings.frameWidth);
    const int32_t height = std::max(1, settings.frameHeight);
    for (const PositionTextControls& controls : kPositionTextControls) {
        SetScrollRange(item(controls.horizontalBar), SB_CTL, 1, width, TRUE);
        SetScrollRange(item(controls.verticalBar), SB_CTL, 1, height, TRUE);
    }
    setItemText(kHorizontalBarFirstLabel, u"1");
    setItemText(kHorizontalBarLastLabel, toDecimal(width));
    setItemText(kVerticalBarFirstLabel, u"1");
    setItemText(kVerticalBarLastLabel, toDecimal(height));
}

void DisplayPositionPage::applyEnabling() {
    const WorkingRow& row = model_.row();
    PositionTabState tab;
    tab.rangeMode = rangeMode_;
    tab.rowSelected = app().captions.selection() >= 0;
    tab.vertical = row.vertical;
    for (int text = 0; text < kTextCount; ++text) tab.hasText[std::size_t(text)] = !row.texts[std::size_t(text)].empty();
    tab.rowRange = isChecked(kRowRangeRadio);
    tab.verticalKind = isChecked(kMoveVerticalRadio);
    tab.undoAvailable = model_.undoAvailable() || timelineUndoAvailable();
    for (const ControlEnabling& control : positionControlStates(app().playState, tab))
        if (HWND controlWindow = item(control.id)) EnableWindow(controlWindow, control.enabled ? TRUE : FALSE);
}

RangeMoveRequest DisplayPositionPage::rangeRequest() const {
    RangeMoveRequest request;
    request.allRows = !isChecked(kRowRangeRadio);
    request.firstRow = itemText(kFirstRowField, kShortTextLimit);
    request.lastRow = itemText(kLastRowField, kShortTextLimit);
    request.kind = isChecked(kMoveVerticalRadio) ? MoveKind::Vertical : MoveKind::Horizontal;
    const bool vertical = request.kind == MoveKind::Vertical;
    request.amount = itemText(vertical ? kVerticalAmountField : kHorizontalAmountField, kShortTextLimit);
    const int direction = vertical ? kVerticalDirectionList : kHorizontalDirectionList;
    request.forward = SendMessageW(item(direction), CB_GETCURSEL, 0, 0) == 1;
    return request;
}

bool displayPositionUndoAvailable() {
    const auto* page = dynamic_cast<const DisplayPositionPage*>(app().pages[std::size_t(kDisplayPositionTab)].get());
    return page && page->model().undoAvailable();
}

void resetDisplayPositionRanges() {
    Page* page = app().pages[std::size_t(kDisplayPositionTab)].get();
    if (auto* positions = dynamic_cast<DisplayPositionPage*>(page)) positions->resetForProject();
}

std::unique_ptr<Page> makeDisplayPositionPage() { return std::make_unique<DisplayPositionPage>(); }

}  // namespace qucap
