#pragma once
// Watches the test process for the filter's message boxes: a thread finds
// top-level dialogs titled "カブレン字幕合成フィルタ", records their text
// (the static control 0xFFFF of a message box) and closes them with IDOK, so
// code that shows a message box on any thread carries on.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace qucap::test {

class MessageBoxWatcher {
public:
    explicit MessageBoxWatcher(std::u16string title = u"カブレン字幕合成フィルタ");
    ~MessageBoxWatcher();
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

    // The texts of the boxes closed so far, in order.
    std::vector<std::u16string> texts() const;
    // Waits until at least `count` boxes were closed; false on time-out.
    bool waitFor(std::size_t count, std::chrono::milliseconds timeout = std::chrono::seconds(10)) const;
    // Forgets the texts recorded so far.
    void clear();

private:
    void watch();
    void closeIfOurs(HWND window);
    static BOOL CALLBACK visit(HWND window, LPARAM self);

    std::u16string title_;
    std::atomic<bool> stop_{false};
    mutable std::mutex lock_;
    std::vector<std::u16string> texts_;
    std::vector<HWND> closing_;  // boxes told to close that may still be on screen
    std::thread thread_;
};

}  // namespace qucap::test
