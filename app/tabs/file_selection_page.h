#pragma once
// The file-selection tab (dialog 103): the window side of FileSelectionTab.
// It shows the model's fields and mode, passes the user's edits, radio
// clicks, browses, "クリア" and "データ読込" to the model, and applies the
// model's enabling to the controls.
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "app/core/file_selection/file_selection_tab.h"
#include "app/tabs/page.h"

namespace qucap {

// Shows the dialog of a browse button and gives the chosen path, nothing
// when cancelled. The page's own chooser runs the system's dialogs; the
// tests put a stand-in in its place.
using BrowseChooser =
    std::function<std::optional<std::u16string>(HWND owner, const BrowseDialog& dialog, std::u16string_view folder)>;

// The system's open, save and folder dialogs for a browse button.
std::optional<std::u16string> chooseWithSystemDialog(HWND owner, const BrowseDialog& dialog,
                                                     std::u16string_view initialFolder);

class FileSelectionPage : public Page {
public:
    // Works on app(): its Io, settings file, project settings, play state and
    // caption list.
    FileSelectionPage();

    void refresh() override;

    const FileSelectionTab& model() const { return model_; }
    void setBrowseChooser(BrowseChooser chooser) { chooseFile_ = std::move(chooser); }

protected:
    void initialise() override;
    bool handle(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    void command(int id, int code);
    void editChanged(FileField field);
    void editFocused(FileField field);
    void changeMode(SelectionMode mode);
    void browse(const BrowseDialog& dialog);
    void clear();
    void load();
    LoadSteps loadSteps();

    // Puts the model's texts into the edits that differ, ignoring the change
    // notifications this causes.
    void showFields();
    void showMode();
    void applyEnabling();
    void showAll();
    void focusField(FileField field);

    FileSelectionTab model_;
    BrowseChooser chooseFile_ = chooseWithSystemDialog;
    bool showing_ = false;  // the page itself is setting an edit's text
};

// What the main window creates for tab 0.
std::unique_ptr<Page> makeFileSelectionPage();

}  // namespace qucap
