#pragma once
// Watches the test process for the filter's message boxes: a thread finds
// top-level dialogs titled "カブレン字幕合成フィルタ", records their text
// (the static control 0xFFFF of a message box) and answers them, so code
// that shows a message box on any thread carries on. A box is answered with
// the next queued button it has, else with OK, else with No.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <deque>
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
    // Forgets the texts recorded so far (and the answers not yet used).
    void clear();
    // The buttons (IDYES, IDNO, IDOK...) for the next boxes, in order.
    void answerNext(std::initializer_list<int> buttons);

private:
    void watch();
    void closeIfOurs(HWND window);
    int takeAnswer(HWND box);  // under lock_
    static BOOL CALLBACK visit(HWND window, LPARAM self);

    std::u16string title_;
    std::atomic<bool> stop_{false};
    mutable std::mutex lock_;
    std::vector<std::u16string> texts_;
    std::deque<int> answers_;
    std::vector<HWND> closing_;  // boxes told to close that may still be on screen
    std::thread thread_;
};

}  // namespace qucap::test
