#pragma once
// Ctrl+C and Ctrl+Break in the console. The tool takes breaks from its start
// (takeConsoleBreaks, before the command line is even read), so a break
// never ends the process in the middle of a step: while a ConsoleBreak
// lives, a break calls its action (on the thread the system starts for the
// break); before that, the break is remembered and the job ends at its next
// step with exit 1.
#include <functional>

namespace qucap {

// Installs the process's break handler (once; later calls do nothing).
void takeConsoleBreaks();
// Whether a break came since the handler was installed.
bool consoleBreakRequested();

class ConsoleBreak {
public:
    explicit ConsoleBreak(std::function<void()> action);
    ~ConsoleBreak();
    ConsoleBreak(const ConsoleBreak&) = delete;
    ConsoleBreak& operator=(const ConsoleBreak&) = delete;

    // Whether the action is in force (false when another ConsoleBreak is).
    bool installed() const { return installed_; }

private:
    std::function<void()> action_;
    bool installed_ = false;
};

}  // namespace qucap
