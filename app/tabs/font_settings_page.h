#pragma once
// The font-settings tab (dialog 105): the window side of FontTab. It fills
// the drop-down lists, shows the project's font settings, passes the user's
// choices to the model, applies its enabling and, after a change of a font,
// size or layout, recomputes the default positions of the unlocked rows.
#include <windows.h>

#include <functional>
#include <memory>

#include "app/core/font_settings/font_tab.h"
#include "app/tabs/page.h"

namespace qucap {

class FontSettingsPage : public Page {
public:
    // Works on app(): its project settings, font-name table, display-item
    // lists and play state.
    FontSettingsPage();

    void refresh() override;
    void growRight(int dx) override;

    // Both font lists filled anew from the display-item list of fonts.
    void refillFontLists();

    const FontTab& model() const { return model_; }
    // What a change that moves the default positions runs; the program's
    // recomputes the unlocked rows, the tests count the calls.
    void setPositionRecompute(std::function<void()> recompute) { recomputePositions_ = std::move(recompute); }

protected:
    void initialise() override;
    bool handle(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    void command(int id, int code);
    void rewindChanged();
    void apply(const FontTabChange& change);

    void fillNumberLists();
    void fillFontLists();
    void showAll();
    void showCombos();
    void showRewind();
    void applyEnabling();

    FontTab model_;
    std::function<void()> recomputePositions_;
    bool showing_ = false;  // the page itself is setting the rewind text
};

// What the main window creates for tab 1.
std::unique_ptr<Page> makeFontSettingsPage();

// The font tab of the main window refills its lists, when it exists.
void refillFontSettingsLists();

}  // namespace qucap
