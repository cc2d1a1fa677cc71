#pragma once
// The program's main window created in the test process: a program folder of
// the test's own holding a copy of the filter module, a documents folder of
// its own, and helpers to pump messages and read the controls.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "tests/win/message_box_watcher.h"
#include "tests/win/temp_folder.h"

namespace qucap::test {

// Dispatches the thread's pending messages (as the program's loop does)
// for about `milliseconds`; remembers a quit message instead of ending.
void pumpMessages(int milliseconds = 50);
bool quitPosted();

std::u16string windowText(HWND window);
std::u16string controlText(HWND parent, int id);
bool controlEnabled(HWND parent, int id);
// A control's rectangle on the screen.
RECT screenRect(HWND parent, int id);

// A modal dialog opened by `open` (which returns when the dialog has
// closed), driven by a thread timer: each tick runs the next step on the
// dialog `find` gives; a step that calls `again()` runs once more at the
// next tick; after the last step the dialog gets IDCANCEL.
struct ModalSteps {
    std::vector<std::function<void(HWND)>> steps;
    std::size_t next = 0;
    bool busy = false;
    void again() { --next; }
};
void runModal(const std::function<void()>& open, const std::function<HWND()>& find, ModalSteps& steps,
              UINT tickMs = 40);
// The preview dialog 120 of this process, when open.
HWND findPreviewDialog();
// Whether the main window's menu shows item `id` greyed (as last set).
bool menuItemGreyed(HWND main, int id);
// The dialog of this process titled `title`, when open.
HWND findDialogTitled(std::wstring_view title);
// The save dialog of this process titled "名前を付けて" + kind + "の保存", when open.
HWND findSaveDialog(std::wstring_view kind);
// Types `path` into a save dialog's file name field and presses 保存.
void answerSaveDialog(HWND dialog, const std::u16string& path);

class AppWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the main window; false when it could not be made.
    bool openMainWindow(bool withFilterModule = true);
    // Ends a main window still open without saving anything.
    void forceClose();
    HWND main() const;
    // A new project NAME in the documents folder for `movie`, `width` pixels
    // wide at 29.97 fps, offered as the last one opened: its project file,
    // or empty when it could not be made.
    std::u16string createProject(std::u16string_view name, const std::u16string& movie, int32_t width);
    // Clicks データ読込 on the file-selection tab and lets the load run.
    void loadOfferedProject();
    // Makes the main window's client area `dx` pixels wider and lets it resize.
    void widenMainWindow(int dx);
    // Makes tab `tab` current as a click on it does.
    void openTab(int tab);
    // The caption list made of rows with these (start, duration), texts
    // "字幕1", "字幕2"..., shown in the main window's list.
    static void putCaptionRows(std::initializer_list<std::pair<const char16_t*, const char16_t*>> times);

    std::unique_ptr<TempFolder> programFolder_;
    std::unique_ptr<TempFolder> documents_;
    std::unique_ptr<MessageBoxWatcher> boxes_;
};

}  // namespace qucap::test
