#include "app/cli/console_break.h"

#include <windows.h>

#include <atomic>
#include <utility>

namespace qucap {
namespace {

// The one ConsoleBreak in force; a second one while it lives is not installed.
std::atomic<ConsoleBreak*> current{nullptr};
std::function<void()>* currentAction = nullptr;

BOOL WINAPI onConsoleBreak(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
    if (!current.load() || !currentAction) return FALSE;
    try {
        (*currentAction)();
    } catch (...) {
    }
    return TRUE;
}

}  // namespace

ConsoleBreak::ConsoleBreak(std::function<void()> action) : action_(std::move(action)) {
    ConsoleBreak* none = nullptr;
    if (!current.compare_exchange_strong(none, this)) return;
    currentAction = &action_;
    installed_ = SetConsoleCtrlHandler(onConsoleBreak, TRUE) != FALSE;
    if (!installed_) {
        currentAction = nullptr;
        current = nullptr;
    }
}

ConsoleBreak::~ConsoleBreak() {
    if (!installed_) return;
    SetConsoleCtrlHandler(onConsoleBreak, FALSE);
    current = nullptr;
    currentAction = nullptr;
}

}  // namespace qucap
