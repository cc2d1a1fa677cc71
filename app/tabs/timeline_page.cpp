#include "app/tabs/timeline_page.h"

#include <commctrl.h>

#include <algorithm>

#include "app/core/caption_list/caption_validation.h"
#include "app/core/main_window/main_window_texts.h"
#include "app/core/timeline/timeline_controls.h"
#include "app/export/reading_check.h"
#include "app/main_window/app_state.h"
#include "app/main_window/caption_list_view.h"
#include "app/main_window/main_window.h"
#include "app/preview/preview.h"
#include "app/tabs/display_position_page.h"
#include "app/tabs/help_host.h"
#include "app/tabs/input_method.h"
#include "app/tabs/pages.h"
#include "app/timing/list_retime.h"
#include "app/timing/timing_settings.h"
#include "captiondata/io/ui.h"
#include "captiondata/time/time_text.h"
#include "dshowbase/com_guard.h"
#include "resources/app/page_ids.h"
#include "resources/app/resource.h"

namespace qucap {
namespace {

constexpr int kRowNumberLimit = 5;
constexpr wchar_t kPreviousProcedure[] = L"qucapTimeFieldProcedure";
constexpr wchar_t kPreviousButtonProcedure[] = L"qucapInOutProcedure";

// The controls that stretch, and those that move right, with the window's width.
constexpr int kWideningControls[] = {IDC_SHOW_LINE1_BODY, IDC_SHOW_LINE2_BODY, IDC_START_SLIDER, IDC_DURATION_SLIDER,
                                     IDC_TIME_SETTINGS_GROUP, IDC_TIMING_STRIP};
constexpr std::u16string_view kStripNeedsRow =
    u"行を選んでから、Shift＋クリックで開始時間を、Ctrl＋クリックで終わりを設定して下さい";
constexpr std::u16string_view kStripEndBeforeStart = u"終わりには開始時間より後の位置をクリックして下さい";
constexpr int kMovingControls[] = {IDC_START_LATER_LABEL, IDC_DURATION_LONGER_LABEL, IDC_PAGE_HELP, IDC_UNDO,
                                   IDC_REPEAT, IDC_LIVE_TIMING, IDC_IN_OUT};
// Fields whose focus closes the input method: times, row numbers, amounts.
constexpr int kPlainFields[] = {IDC_START_TIME, IDC_DURATION_TIME, IDC_RANGE_FIRST_ROW, IDC_RANGE_LAST_ROW,
                                IDC_SLIDE_AMOUNT, IDC_DURATION_AMOUNT};

int fieldId(TimeField field) { return field == TimeField::Start ? IDC_START_TIME : IDC_DURATION_TIME; }
int sliderId(TimeField field) { return field == TimeField::Start ? IDC_START_SLIDER : IDC_DURATION_SLIDER; }
TimeField otherField(TimeField field) { return field == TimeField::Start ? TimeField::Duration : TimeField::Start; }

HWND mainButton(int id) { return app().mainWindow ? GetDlgItem(app().mainWindow, id) : nullptr; }

void sendMainCommand(int id) {
    if (HWND main = app().mainWindow) SendMessageW(main, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(mainButton(id)));
}

TimelinePage* timelinePage() {
    return dynamic_cast<TimelinePage*>(app().pages[std::size_t(kTimelineTab)].get());
}

// The time fields tell the page when a key is released in them.
LRESULT timeFieldProcedureUnguarded(HWND field, UINT message, WPARAM wParam, LPARAM lParam);

// The procedure the system calls: timeFieldProcedureUnguarded, with no exception let through.
LRESULT CALLBACK timeFieldProcedure(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
    return guardWindowProc(kProgramTitle, LRESULT(0), [&] {
        return timeFieldProcedureUnguarded(field, message, wParam, lParam);
    });
}

LRESULT timeFieldProcedureUnguarded(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
    auto previous = reinterpret_cast<WNDPROC>(GetPropW(field, kPreviousProcedure));
    if (message == WM_KEYUP) {
        if (TimelinePage* page = timelinePage()) page->timeFieldKeyReleased(UINT(wParam));
    } else if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(field, GWLP_WNDPROC, LONG_PTR(previous));
        RemovePropW(field, kPreviousProcedure);
    }
    return CallWindowProcW(previous, field, message, wParam, lParam);
}

// "イン／アウト" takes the space bar itself (the page's inOutKey), so a key
// held down times a caption; the mouse clicks it as any button.
LRESULT inOutProcedureUnguarded(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
    auto previous = reinterpret_cast<WNDPROC>(GetPropW(button, kPreviousButtonProcedure));
    if ((message == WM_KEYDOWN || message == WM_KEYUP) && wParam == VK_SPACE) {
        if (TimelinePage* page = timelinePage()) page->inOutKey(message == WM_KEYDOWN, (lParam & (1 << 30)) != 0);
        return 0;
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(button, GWLP_WNDPROC, LONG_PTR(previous));
        RemovePropW(button, kPreviousButtonProcedure);
    }
    return CallWindowProcW(previous, button, message, wParam, lParam);
}

LRESULT CALLBACK inOutProcedure(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
    return guardWindowProc(kProgramTitle, LRESULT(0), [&] {
        return inOutProcedureUnguarded(button, message, wParam, lParam);
    });
}

}  // namespace

TimelinePage::TimelinePage() : model_(app().captions, app().ui) {}

void TimelinePage::initialise() {
    for (const TimeField field : {TimeField::Start, TimeField::Duration}) {
        HWND edit = item(fieldId(field));
        SendMessageW(edit, EM_SETLIMITTEXT, kTimeFieldLimit, 0);
        SetPropW(edit, kPreviousProcedure, HANDLE(GetWindowLongPtrW(edit, GWLP_WNDPROC)));
        SetWindowLongPtrW(edit, GWLP_WNDPROC, LONG_PTR(timeFieldProcedure));
        SendMessageW(item(sliderId(field)), TBM_SETRANGE, TRUE, MAKELPARAM(0, kSliderLast));
    }
    for (const int id : {IDC_SLIDE_AMOUNT, IDC_DURATION_AMOUNT}) SendMessageW(item(id), EM_SETLIMITTEXT, kTimeFieldLimit, 0);
    for (const int id : {IDC_RANGE_FIRST_ROW, IDC_RANGE_LAST_ROW}) SendMessageW(item(id), EM_SETLIMITTEXT, kRowNumberLimit, 0);
    HWND inOut = item(IDC_IN_OUT);
    SetPropW(inOut, kPreviousButtonProcedure, HANDLE(GetWindowLongPtrW(inOut, GWLP_WNDPROC)));
    SetWindowLongPtrW(inOut, GWLP_WNDPROC, LONG_PTR(inOutProcedure));
    fillChoices(IDC_SLIDE_DIRECTION, kSlideDirections);
    fillChoices(IDC_DURATION_DIRECTION, kDurationDirections);
    resetTab();
}

void TimelinePage::refresh() {
    // Stopping, the movie's end or a refused play switched live mode off.
    if (!app().liveTiming) model_.endLive();
    updateSnapper();
    applyEnabling();
}

void TimelinePage::growRight(int dx) {
    for (const int id : kWideningControls) shiftControl(id, 0, dx);
    for (const int id : kMovingControls) shiftControl(id, dx);
}

void TimelinePage::showRow(int row) {
    model_.loadRow(row);
    showLoadedRow();
    CheckRadioButton(window(), IDC_MODE_SELECTED_ROW, IDC_MODE_RANGE, model_.hasRow() ? IDC_MODE_SELECTED_ROW : IDC_MODE_RANGE);
    applyEnabling();
}

void TimelinePage::clearRow() { showRow(-1); }

void TimelinePage::commitEdit() {
    if (model_.hasRow() && app().captions.pendingEdit()) commitRow();
}

void TimelinePage::resetForProject() {
    model_.endLive();
    model_.forgetUndo();
    // The last project's cuts go with it.
    snapper_.reset();
    model_.setSnapper(nullptr);
    resetTab();
}

void TimelinePage::timeFieldKeyReleased(UINT key) {
    if (key != VK_RETURN) {
        setMessage(kPressEnterMessage);
        return;
    }
    commitRow(true);
    if (model_.hasRow() && !app().captions.pendingEdit()) setMessage(u"");
}

void TimelinePage::inOutKey(bool down, bool repeated) {
    if (!down) {
        // Held: the release is the out press of the row whose in the key-down stamped.
        const bool held = inKeyHeld_ && GetTickCount64() - inKeyDownAt_ >= kHoldToTimeMs;
        inKeyHeld_ = false;
        if (held && model_.live() && model_.nextPressIsOut()) inOutPressed();
        return;
    }
    if (repeated || !IsWindowEnabled(item(IDC_IN_OUT))) return;
    inKeyHeld_ = model_.live() && !model_.nextPressIsOut();
    inKeyDownAt_ = GetTickCount64();
    inOutPressed();
}

bool TimelinePage::handle(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    switch (message) {
    case WM_COMMAND:
        command(LOWORD(wParam), HIWORD(wParam));
        result = 0;
        return true;
    case WM_HSCROLL:
        if (lParam) sliderMoved(HWND(lParam), LOWORD(wParam));
        result = 0;
        return true;
    default:
        return false;
    }
}

void TimelinePage::command(int id, int code) {
    if (code == EN_SETFOCUS && std::find(std::begin(kPlainFields), std::end(kPlainFields), id) != std::end(kPlainFields))
        return setInputMethodOpen(item(id), false);
    if (code == EN_CHANGE && (id == IDC_START_TIME || id == IDC_DURATION_TIME)) {
        if (!showing_ && model_.hasRow()) setPendingEdit(true);
        return;
    }
    if (code != BN_CLICKED) return;
    if (std::any_of(kTimeStepButtons.begin(), kTimeStepButtons.end(), [id](const TimeStepButton& b) { return b.id == id; }))
        return stepPressed(id);
    switch (id) {
    case IDC_MODE_RANGE: return enterRangeMode();
    case IDC_MODE_SELECTED_ROW: return showLoadedRow();  // row mode comes from selecting a row
    case IDC_RANGE_ALL_ROWS:
    case IDC_RANGE_ROWS:
    case IDC_SLIDE_START:
    case IDC_CHANGE_DURATION:
    case IDC_CLEAR_TIMES: return applyEnabling();
    case IDC_RUN_RANGE: return runRange();
    case IDC_UNDO: return undo();
    case IDC_REPEAT: return repeat();
    case IDC_LIVE_TIMING: return startLiveTiming();
    case IDC_IN_OUT: return inOutPressed();
    case IDC_SNAP_TO_SHOTS: return updateSnapper();
    case IDC_RETIME: return retime();
    case IDC_PAGE_HELP: return openHelp(helpIndexOfTab(kTimelineTab), window());
    default: return;
    }
}

void TimelinePage::sliderMoved(HWND slider, int code) {
    const int id = GetDlgCtrlID(slider);
    if ((id != IDC_START_SLIDER && id != IDC_DURATION_SLIDER) || !model_.hasRow()) return;
    if (code == TB_ENDTRACK) return commitRow();
    const TimeField field = id == IDC_START_SLIDER ? TimeField::Start : TimeField::Duration;
    model_.slide(field, int(SendMessageW(slider, TBM_GETPOS, 0, 0)));
    showField(field);
    // The slid time waits in the field like a typed one until the drag ends.
    setPendingEdit(true);
}

void TimelinePage::stepPressed(int id) {
    const auto button = *std::find_if(kTimeStepButtons.begin(), kTimeStepButtons.end(),
                                      [id](const TimeStepButton& b) { return b.id == id; });
    TimeField failed = TimeField::Start;
    const bool done = model_.step(button.field, button.stepMs, typed(button.field), typed(otherField(button.field)), &failed);
    if (!done) {
        showLoadedRow();
        return focusField(failed);
    }
    rowCommitted();
}

void TimelinePage::commitRow(bool typedTimes) {
    if (!model_.hasRow()) return;
    TimeField failed = TimeField::Start;
    if (!model_.commit(typed(TimeField::Start), typed(TimeField::Duration), &failed, typedTimes)) {
        showField(failed);
        return focusField(failed);
    }
    rowCommitted();
}

void TimelinePage::rowCommitted() {
    setPendingEdit(false);
    showCaptionRow(mainCaptionListView(), app().captions, model_.rowIndex());
    showLoadedRow();
    applyEnabling();
}

void TimelinePage::enterRangeMode() {
    if (app().captions.pendingEdit()) {
        commitEdit();
        setPendingEdit(false);
    }
    deselectCaptionRows(mainCaptionListView(), app().captions);
    model_.clearRow();
    resetTab();
}

void TimelinePage::runRange() {
    const TimeRangeResult result = model_.runRange(rangeRequest());
    if (result.status != 0) {
        const bool slide = isChecked(IDC_SLIDE_START);
        const int field = result.focus == RangeField::FirstRow  ? IDC_RANGE_FIRST_ROW
                          : result.focus == RangeField::LastRow ? IDC_RANGE_LAST_ROW
                          : slide                               ? IDC_SLIDE_AMOUNT
                                                                : IDC_DURATION_AMOUNT;
        SetFocus(item(field));
        return;
    }
    refreshCaptionRows(mainCaptionListView(), app().captions);
    applyEnabling();
    if (HWND play = mainButton(IDC_PLAY_PAUSE)) SetFocus(play);
}

void TimelinePage::undo() {
    if (!model_.undo()) return;
    refreshCaptionRows(mainCaptionListView(), app().captions);
    showLoadedRow();
    applyEnabling();
}

void TimelinePage::repeat() {
    if (!model_.takeField(TimeField::Start, typed(TimeField::Start)) ||
        !model_.takeField(TimeField::Duration, typed(TimeField::Duration)))
        return showLoadedRow();
    replayFromRow(parseTime(model_.shown(TimeField::Start)));
}

void TimelinePage::startLiveTiming() {
    const int first = model_.startLive();
    if (first < 0) return;
    AppState& state = app();
    state.liveTiming = true;
    selectCaptionRow(mainCaptionListView(), first);
    // Live timing plays the movie alone: the captions are being timed.
    state.captionsInPreview = false;
    if (state.mainWindow) CheckDlgButton(state.mainWindow, IDC_PLAY_WITH_CAPTIONS, BST_UNCHECKED);
    applyEnabling();
    sendMainCommand(IDC_PLAY_PAUSE);
    refresh();
    if (model_.live()) SetFocus(item(IDC_IN_OUT));
}

void TimelinePage::inOutPressed() {
    // The position of the moment of the press, read from the graph now.
    const int32_t position = int32_t(previewPosition().currentTimeMs());
    const LivePress press = model_.press(position);
    HWND list = mainCaptionListView();
    if (press.stampedRow >= 0) showCaptionRow(list, app().captions, press.stampedRow);
    if (press.stampedRow == model_.rowIndex()) showLoadedRow();
    if (press.finished) {
        app().liveTiming = false;
        deselectCaptionRows(list, app().captions);
        model_.clearRow();
        resetTab();
        sendMainCommand(IDC_STOP);
        return;
    }
    if (press.nextRow != press.stampedRow) selectCaptionRow(list, press.nextRow);
    applyEnabling();
    // The button keeps the focus, so the next press can be the space bar.
    SetFocus(item(IDC_IN_OUT));
}

void TimelinePage::stripClicked(StripClick click, int64_t ms) {
    if (click == StripClick::Seek) return seekPreviewTo(ms * 10'000);
    // As the fields: only with a row selected and while they can be edited.
    if (!model_.hasRow() || !IsWindowEnabled(item(IDC_START_TIME))) return setMessage(kStripNeedsRow);
    const auto time = int32_t(std::min<int64_t>(ms, kLargestShownTime));
    if (click == StripClick::SetStart) {
        setItemText(IDC_START_TIME, formatTime(time, TimeForm::Caption));
    } else {
        const int32_t start = parseTime(typed(TimeField::Start));
        if (time < start) return setMessage(kStripEndBeforeStart);
        setItemText(IDC_DURATION_TIME, formatTime(time - start, TimeForm::Caption));
    }
    commitRow(true);
}

void TimelinePage::updateSnapper() {
    const AppState& state = app();
    snapper_.reset();
    if (isChecked(IDC_SNAP_TO_SHOTS) && state.cuts && state.cuts->frameDuration > 0)
        snapper_.emplace(state.cuts->cuts, FrameClock{state.cuts->frameDuration},
                         readTimingRules(state.io, state.paths.settingsFile).snap);
    model_.setSnapper(snapper_ ? &*snapper_ : nullptr);
}

void TimelinePage::retime() {
    AppState& state = app();
    const TimeRangeRequest request = rangeRequest();
    const RowRange range = rowRangeOf(request.allRows, request.firstRow, request.lastRow, state.captions.rowCount(), state.ui);
    if (!range.ok()) {
        SetFocus(item(range.refused == RangeField::FirstRow ? IDC_RANGE_FIRST_ROW : IDC_RANGE_LAST_ROW));
        return;
    }
    if (const std::u16string fault = captionListFault(state.captions); !fault.empty()) return setMessage(fault);
    RetimeRules rules = readTimingRules(state.io, state.paths.settingsFile);
    rules.shots = isChecked(IDC_SNAP_TO_SHOTS);
    if (rules.shots && !state.cuts) return setMessage(kRetimeWaitForCuts);
    // The cuts are counted in the frames they were found in.
    const int64_t frameDuration = rules.shots && state.cuts->frameDuration > 0 ? state.cuts->frameDuration
                                  : state.movie.frameDuration > 0               ? state.movie.frameDuration
                                                                                : kAssumedFrameDuration;
    std::vector<RowTimes> rows = rowTimesOf(state.captions);
    const std::vector<RetimeChange> changes = retimeRows(rows, range.first, range.last,
                                                         rules.shots ? state.cuts->cuts : std::vector<int64_t>{},
                                                         FrameClock{frameDuration}, rules);
    if (changes.empty()) return setMessage(kRetimeNothing);
    if (!state.ui.askYesNo(retimeQuestion(changes), kProgramTitle)) return;
    model_.changeTimes([&](CaptionList& list) { applyRowTimes(list, rows, changes); });
    refreshCaptionRows(mainCaptionListView(), state.captions);
    showLoadedRow();
    applyEnabling();
    setMessage(retimeDoneMessage(changes.size()));
}

void TimelinePage::resetTab() {
    showLoadedRow();
    showing_ = true;
    CheckRadioButton(window(), IDC_MODE_SELECTED_ROW, IDC_MODE_RANGE, model_.hasRow() ? IDC_MODE_SELECTED_ROW : IDC_MODE_RANGE);
    CheckRadioButton(window(), IDC_RANGE_ALL_ROWS, IDC_RANGE_ROWS, IDC_RANGE_ALL_ROWS);
    CheckRadioButton(window(), IDC_SLIDE_START, IDC_CLEAR_TIMES, IDC_SLIDE_START);
    for (const int id : {IDC_RANGE_FIRST_ROW, IDC_RANGE_LAST_ROW}) setItemText(id, u"1");
    for (const int id : {IDC_SLIDE_AMOUNT, IDC_DURATION_AMOUNT}) setItemText(id, kZeroTime);
    SendMessageW(item(IDC_SLIDE_DIRECTION), CB_SETCURSEL, 0, 0);
    SendMessageW(item(IDC_DURATION_DIRECTION), CB_SETCURSEL, 0, 0);
    showing_ = false;
    applyEnabling();
}

void TimelinePage::showLoadedRow() {
    const WorkingRow& row = model_.row();
    showing_ = true;
    setItemText(IDC_SHOW_LINE1_BODY, row.plainTexts[Line1Body]);
    setItemText(IDC_SHOW_LINE2_BODY, row.plainTexts[Line2Body]);
    showing_ = false;
    for (const TimeField field : {TimeField::Start, TimeField::Duration}) {
        showField(field);
        SendMessageW(item(sliderId(field)), TBM_SETPOS, TRUE, kSliderRest);
    }
}

void TimelinePage::showField(TimeField field) {
    showing_ = true;
    setItemText(fieldId(field), model_.shown(field));
    showing_ = false;
}

std::u16string TimelinePage::typed(TimeField field) const { return itemText(fieldId(field), kTimeFieldLimit); }

void TimelinePage::focusField(TimeField field) { SetFocus(item(fieldId(field))); }

void TimelinePage::applyEnabling() {
    AppState& state = app();
    TimelineTabState tab;
    tab.rowSelected = state.captions.selection() >= 0 && model_.hasRow();
    tab.rowRange = isChecked(IDC_RANGE_ROWS);
    tab.operation = chosenOperation();
    tab.undoAvailable = model_.undoAvailable() || displayPositionUndoAvailable();
    tab.live = model_.live() && state.liveTiming;
    for (const ControlEnabling& control : timelineControlStates(state.playState, tab))
        if (HWND controlWindow = item(control.id)) EnableWindow(controlWindow, control.enabled ? TRUE : FALSE);
    InvalidateRect(item(IDC_TIMING_STRIP), nullptr, FALSE);
}

RangeOperation TimelinePage::chosenOperation() const {
    if (isChecked(IDC_CHANGE_DURATION)) return RangeOperation::ChangeDuration;
    return isChecked(IDC_CLEAR_TIMES) ? RangeOperation::Clear : RangeOperation::SlideStart;
}

TimeRangeRequest TimelinePage::rangeRequest() const {
    TimeRangeRequest request;
    request.allRows = !isChecked(IDC_RANGE_ROWS);
    request.firstRow = itemText(IDC_RANGE_FIRST_ROW, kRowNumberLimit);
    request.lastRow = itemText(IDC_RANGE_LAST_ROW, kRowNumberLimit);
    request.operation = chosenOperation();
    const bool duration = request.operation == RangeOperation::ChangeDuration;
    request.amount = itemText(duration ? IDC_DURATION_AMOUNT : IDC_SLIDE_AMOUNT, kTimeFieldLimit);
    const int list = duration ? IDC_DURATION_DIRECTION : IDC_SLIDE_DIRECTION;
    request.later = SendMessageW(item(list), CB_GETCURSEL, 0, 0) == 1;
    return request;
}

bool timelineUndoAvailable() {
    const TimelinePage* page = timelinePage();
    return page && page->model().undoAvailable();
}

void timelineStripClicked(StripClick click, int64_t ms) {
    if (TimelinePage* page = timelinePage()) page->stripClicked(click, ms);
}

void refreshTimingStrip() {
    const TimelinePage* page = timelinePage();
    if (page && app().currentTab == kTimelineTab) InvalidateRect(GetDlgItem(page->window(), IDC_TIMING_STRIP), nullptr, FALSE);
}

void resetTimelineForProject() {
    if (TimelinePage* page = timelinePage()) page->resetForProject();
}

std::unique_ptr<Page> makeTimelinePage() { return std::make_unique<TimelinePage>(); }

}  // namespace qucap
