#pragma once
// The colour-settings tab (dialog 122): the 24 colour fields of the
// project's colour table with their swatches, the platform's colour dialog
// on a swatch click and the eight reset buttons. Every change goes into
// app().colours, which notes that the table was changed so the save points
// write the colour-info file.
#include <windows.h>

#include <memory>

#include "app/core/colour_settings/colour_tab.h"
#include "app/tabs/page.h"

namespace qucap {

class ColourSettingsPage : public Page {
public:
    void refresh() override;

protected:
    void initialise() override;
    bool handle(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    void command(int id, int code);
    void fieldTyped(int id, const ColourFieldPlace& place);
    void swatchClicked(const ColourFieldPlace& place);
    void reset(int slot);
    // Writes the table's texts into the fields and repaints the swatches.
    void showColours();
    void showField(const ColourFieldPlace& place);
    void applyEnabling();

    bool showing_ = false;  // the page itself is writing a field
};

// What the main window creates for tab 2.
std::unique_ptr<Page> makeColourSettingsPage();

}  // namespace qucap
