#pragma once
// The box-display tab (dialog 121): the window side of BoxList. It shows the
// project's box rows in its list view, the selected row in its fields, and
// passes selections, edits and the row buttons to the model.
#include <windows.h>

#include <commctrl.h>

#include <memory>

#include "app/core/box_display/box_list.h"
#include "app/tabs/page.h"

namespace qucap {

class BoxDisplayPage : public Page {
public:
    // Works on app(): its box table, movie and play state.
    BoxDisplayPage();

    void refresh() override;
    void growRight(int dx) override;
    // The save points: a row typed but not yet committed goes into the list,
    // so ending the program does not lose it.
    void commitEdit() override;

    const BoxList& model() const { return model_; }
    // A field's Enter (from the fields' key handling).
    void enterPressed();

protected:
    void initialise() override;
    bool handle(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    void command(int id, int code);
    void listChanged(const NMLISTVIEW& change);
    void fieldTyped();
    void box2Clicked();
    void colourClicked(int index);
    void update();
    void append();
    void insert();
    void remove();
    // After a commit: the edited line and the fields show the checked row.
    void committed(int row);

    void showList();
    void showLine(int row);
    void selectLine(int row);
    void showFields();
    void applyEnabling();

    BoxList model_;
    bool showing_ = false;  // the page itself is changing a field or the selection
};

// What the main window creates for tab 5.
std::unique_ptr<Page> makeBoxDisplayPage();

}  // namespace qucap
