#include "app/cli/console_break.h"

#include <windows.h>

#include <atomic>
#include <mutex>
#include <utility>

namespace qucap {
namespace {

std::atomic<bool> breakRequested{false};
// The action in force and the lock under which it is called or changed, so
// an action is never called after its ConsoleBreak has gone.
std::mutex actionLock;
std::function<void()>* currentAction = nullptr;

BOOL WINAPI onConsoleBreak(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
    breakRequested = true;
    const std::lock_guard<std::mutex> held(actionLock);
    if (currentAction) {
        try {
            (*currentAction)();
        } catch (...) {
        }
    }
    return TRUE;
}

}  // namespace

void takeConsoleBreaks() {
    static const bool installed = SetConsoleCtrlHandler(onConsoleBreak, TRUE) != FALSE;
    (void)installed;
}

bool consoleBreakRequested() { return breakRequested; }

ConsoleBreak::ConsoleBreak(std::function<void()> action) : action_(std::move(action)) {
    takeConsoleBreaks();
    const std::lock_guard<std::mutex> held(actionLock);
    if (currentAction) return;
    currentAction = &action_;
    installed_ = true;
}

ConsoleBreak::~ConsoleBreak() {
    if (!installed_) return;
    const std::lock_guard<std::mutex> held(actionLock);
    currentAction = nullptr;
}

}  // namespace qucap
