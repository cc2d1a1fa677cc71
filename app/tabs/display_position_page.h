#pragma once
// The display-position tab (dialog 111): the window side of PositionTab.
// Row mode shows the selected row's texts and positions with their scroll
// bars, lock, orientation switch and default button; range mode moves the
// positions of many rows. The whole list's defaults and the undo work in both.
#include <windows.h>

#include <memory>

#include "app/core/display_position/position_tab.h"
#include "app/tabs/page.h"

namespace qucap {

class DisplayPositionPage : public Page {
public:
    // Works on app(): its caption list, settings, movie and play state.
    DisplayPositionPage();

    void refresh() override;
    void growRight(int dx) override;
    void showRow(int row) override;
    void clearRow() override;
    void commitEdit() override;

    // A project was loaded: the bars span its frame, and the new rows have
    // nothing to undo.
    void resetForProject();

    const PositionTab& model() const { return model_; }
    bool rangeMode() const { return rangeMode_; }

protected:
    void initialise() override;
    bool handle(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    void command(int id, int code);
    void scrolled(HWND bar, int code, int thumb);
    void positionTyped(int text);
    void enterRangeMode();
    void runRangeMove();
    void allRowsDefault();
    void undo();
    // After a commit of the loaded row: the list and the tab show it.
    void rowCommitted();
    // After a change to many rows.
    void rowsChanged();
    void commitPending();

    void resetTab();
    void showLoadedRow();
    void showBar(int text);
    void setScrollRanges();
    void applyEnabling();
    RangeMoveRequest rangeRequest() const;

    PositionTab model_;
    bool rangeMode_ = true;
    bool showing_ = false;  // the page itself is setting a field's text
};

// Whether the display-position tab's undo has something to give back (the
// timeline's undo button follows it too).
bool displayPositionUndoAvailable();

// The file-selection tab's load, once the project's rows and movie are in.
void resetDisplayPositionRanges();

// What the main window creates for tab 4.
std::unique_ptr<Page> makeDisplayPositionPage();

}  // namespace qucap
