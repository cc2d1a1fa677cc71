#pragma once
// Ctrl+C and Ctrl+Break in the console as a job's abort button: while a
// ConsoleBreak lives, a break calls its action (on the thread the system
// starts for the break) instead of ending the process.
#include <functional>

namespace qucap {

class ConsoleBreak {
public:
    explicit ConsoleBreak(std::function<void()> action);
    ~ConsoleBreak();
    ConsoleBreak(const ConsoleBreak&) = delete;
    ConsoleBreak& operator=(const ConsoleBreak&) = delete;

    // Whether the handler is installed (false: a break ends the process as usual).
    bool installed() const { return installed_; }

private:
    std::function<void()> action_;
    bool installed_ = false;
};

}  // namespace qucap
