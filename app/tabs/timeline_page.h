#pragma once
// The timeline tab (dialog 117): the window side of TimelineTab. Row mode
// edits the selected row's start and duration by field, steps and sliders;
// range mode slides, lengthens or clears the times of many rows; live mode
// plays the movie and stamps in and out times with one button.
#include <windows.h>

#include <memory>
#include <optional>

#include "app/core/timeline/timeline_tab.h"
#include "app/timing/shot_snapping.h"
#include "app/tabs/page.h"
#include "app/tabs/timing_strip_window.h"

namespace qucap {

class TimelinePage : public Page {
public:
    // Works on app(): its caption list, play state and preview.
    TimelinePage();

    void refresh() override;
    void growRight(int dx) override;
    void showRow(int row) override;
    void clearRow() override;
    void commitEdit() override;

    // A project was loaded: its rows have nothing to undo; the tab is reset.
    void resetForProject();

    const TimelineTab& model() const { return model_; }

    // The subclassed time fields: Enter released commits, another key asks for it.
    void timeFieldKeyReleased(UINT key);
    // The space bar on "イン／アウト": a press when it goes down; held long
    // enough after an in press, its release is the out press.
    void inOutKey(bool down, bool repeated);
    // A click on the strip at `ms`: a seek, or the selected row's start or end.
    void stripClicked(StripClick click, int64_t ms);

protected:
    void initialise() override;
    bool handle(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    void command(int id, int code);
    void sliderMoved(HWND slider, int code);
    void stepPressed(int id);
    void commitRow(bool typed = false);
    void enterRangeMode();
    void runRange();
    void undo();
    void repeat();
    void startLiveTiming();
    void inOutPressed();
    // "ショットに合わせる" with the cuts found: the model's snapper; else none.
    void updateSnapper();
    // "タイミング調整": the clean-up by the rules of every row or the range.
    void retime();
    // After the selected row's times went into the list.
    void rowCommitted();

    void resetTab();
    void showLoadedRow();
    void showField(TimeField field);
    std::u16string typed(TimeField field) const;
    void focusField(TimeField field);
    void applyEnabling();
    RangeOperation chosenOperation() const;
    TimeRangeRequest rangeRequest() const;

    TimelineTab model_;
    bool showing_ = false;  // the page itself is setting a field's text
    std::optional<CutSnapper> snapper_;
    bool inKeyHeld_ = false;     // the space bar went down for an in press
    uint64_t inKeyDownAt_ = 0;   // then (GetTickCount64)
};

// Whether the timeline's undo has something to give back (the display-position
// tab's undo button follows it too).
bool timelineUndoAvailable();
// The file-selection tab's load, once the project's rows are in.
void resetTimelineForProject();

// The strip's clicks reach the tab through these; the strip is redrawn with
// the preview's display and after every change of the rows.
void timelineStripClicked(StripClick click, int64_t ms);
void refreshTimingStrip();

// What the main window creates for tab 7.
std::unique_ptr<Page> makeTimelinePage();

}  // namespace qucap
