#pragma once
// The user seam of the program: real message boxes owned by the main window,
// its message line, and the system's save dialog.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "captiondata/io/ui.h"

namespace qucap {

class WindowUi : public Ui {
public:
    // The window that owns the boxes and holds the message line 1113.
    void setOwner(HWND mainWindow) { owner_ = mainWindow; }
    HWND owner() const { return owner_; }

    void messageBox(std::u16string_view text, std::u16string_view title, MessageIcon icon) override;
    bool askYesNo(std::u16string_view text, std::u16string_view title) override;
    void setMessage(std::u16string_view text) override;
    std::optional<std::u16string> askSaveFileName(const SaveFileRequest& request) override;

private:
    HWND owner_ = nullptr;
};

// The system's open dialog: the chosen file and the filter it was chosen
// with (1 for the first), or nothing when the user cancelled.
struct OpenFileChoice {
    std::u16string path;
    int filterIndex = 1;
};
std::optional<OpenFileChoice> askOpenFileName(HWND owner, std::u16string_view title,
                                              const std::vector<FileTypeFilter>& filters);

// The owner of a box: the active window of this thread when it is ours, else
// the main window (so a box from a page or dialog stays above it).
HWND messageBoxOwner(HWND mainWindow);

}  // namespace qucap
