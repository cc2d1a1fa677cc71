#pragma once
// The caption filter shows its messages in message boxes without an owner
// window, on whichever thread meets the problem. A console job has nobody to
// close them, so while a relay lives, a thread of its own finds the filter's
// boxes in this process, keeps their texts and answers them (OK, or No for
// a question) so the job goes on. The texts are printed by the job's own
// thread with flushTo, in the order the boxes came.
#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "win32/console.h"

namespace qucap {

class FilterMessageRelay {
public:
    FilterMessageRelay();
    ~FilterMessageRelay();
    FilterMessageRelay(const FilterMessageRelay&) = delete;
    FilterMessageRelay& operator=(const FilterMessageRelay&) = delete;

    // Writes the texts of the boxes answered since the last call, one a line.
    void flushTo(TextSink& sink);

private:
    void watch();
    void answerIfFilterBox(HWND window);
    static BOOL CALLBACK visit(HWND window, LPARAM relay);

    std::atomic<bool> stopping_{false};
    std::mutex mutex_;
    std::vector<std::u16string> texts_;
    std::vector<HWND> answered_;  // boxes told to close that may still be on screen
    std::thread thread_;
};

}  // namespace qucap
