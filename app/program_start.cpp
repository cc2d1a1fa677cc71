#include "app/program_start.h"

#include <commctrl.h>

#include "app/core/main_window/main_window_texts.h"
#include "app/main_window/main_window.h"
#include "win32/wide.h"

namespace qucap {
namespace {

const std::u16string kMutexName(kInstanceMutexName);

// Owns the instance mutex and the rich-edit library for the process's life.
struct ProcessResources {
    HANDLE mutex = nullptr;
    HMODULE richEdit = nullptr;
    ~ProcessResources() {
        if (richEdit) FreeLibrary(richEdit);
        if (mutex) {
            ReleaseMutex(mutex);
            CloseHandle(mutex);
        }
    }
};

// True when another instance holds the mutex already.
bool anotherInstanceRuns() {
    HANDLE existing = OpenMutexW(MUTEX_ALL_ACCESS, FALSE, wide(kMutexName));
    if (!existing) return false;
    CloseHandle(existing);
    return true;
}

}  // namespace

void runMessageLoop() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) dispatchMessage(message);
}

int runProgram(HINSTANCE instance, int showCommand) {
    if (anotherInstanceRuns()) return 0;
    ProcessResources resources;
    resources.mutex = CreateMutexW(nullptr, FALSE, wide(kMutexName));
    if (!resources.mutex) return 0;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES |
                                                       ICC_BAR_CLASSES | ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    if (!registerMainWindowClass(instance)) return 0;
    resources.richEdit = LoadLibraryW(wide(std::u16string(kRichEditLibrary)));
    if (!resources.richEdit) return 0;
    if (!createMainWindow(instance, showCommand)) return 0;
    runMessageLoop();
    return 0;
}

}  // namespace qucap
