#pragma once
// The timeline tab (dialog 117): the window side of TimelineTab. Row mode
// edits the selected row's start and duration by field, steps and sliders;
// range mode slides, lengthens or clears the times of many rows; live mode
// plays the movie and stamps in and out times with one button.
#include <windows.h>

#include <memory>

#include "app/core/timeline/timeline_tab.h"
#include "app/tabs/page.h"

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

protected:
    void initialise() override;
    bool handle(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    void command(int id, int code);
    void sliderMoved(HWND slider, int code);
    void stepPressed(int id);
    void commitRow();
    void enterRangeMode();
    void runRange();
    void undo();
    void repeat();
    void startLiveTiming();
    void inOutPressed();
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
};

// Whether the timeline's undo has something to give back (the display-position
// tab's undo button follows it too).
bool timelineUndoAvailable();
// The file-selection tab's load, once the project's rows are in.
void resetTimelineForProject();

// What the main window creates for tab 7.
std::unique_ptr<Page> makeTimelinePage();

}  // namespace qucap
