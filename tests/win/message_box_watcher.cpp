#include "tests/win/message_box_watcher.h"

#include <algorithm>

namespace qucap::test {
namespace {

constexpr int kMessageTextControl = 0xFFFF;
constexpr auto kPollInterval = std::chrono::milliseconds(20);

std::u16string windowText(HWND window) {
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, int(std::size(text)));
    return std::u16string(reinterpret_cast<const char16_t*>(text));
}

bool isDialog(HWND window) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, int(std::size(name)));
    return std::wstring(name) == L"#32770";
}

}  // namespace

MessageBoxWatcher::MessageBoxWatcher(std::u16string title) : title_(std::move(title)), thread_([this] { watch(); }) {}

MessageBoxWatcher::~MessageBoxWatcher() {
    stop_ = true;
    thread_.join();
}

std::vector<std::u16string> MessageBoxWatcher::texts() const {
    std::lock_guard<std::mutex> guard(lock_);
    return texts_;
}

bool MessageBoxWatcher::waitFor(std::size_t count, std::chrono::milliseconds timeout) const {
    const auto until = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < until) {
        if (texts().size() >= count) return true;
        std::this_thread::sleep_for(kPollInterval);
    }
    return texts().size() >= count;
}

void MessageBoxWatcher::clear() {
    std::lock_guard<std::mutex> guard(lock_);
    texts_.clear();
    answers_.clear();
}

void MessageBoxWatcher::answerNext(std::initializer_list<int> buttons) {
    std::lock_guard<std::mutex> guard(lock_);
    answers_.insert(answers_.end(), buttons);
}

int MessageBoxWatcher::takeAnswer(HWND box) {
    int button = IDOK;
    if (!answers_.empty()) {
        button = answers_.front();
        answers_.pop_front();
    }
    if (GetDlgItem(box, button)) return button;
    return GetDlgItem(box, IDOK) ? IDOK : IDNO;
}

void MessageBoxWatcher::watch() {
    while (!stop_) {
        EnumWindows(visit, reinterpret_cast<LPARAM>(this));
        std::this_thread::sleep_for(kPollInterval);
    }
}

BOOL CALLBACK MessageBoxWatcher::visit(HWND window, LPARAM self) {
    reinterpret_cast<MessageBoxWatcher*>(self)->closeIfOurs(window);
    return TRUE;
}

void MessageBoxWatcher::closeIfOurs(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId() || !IsWindowVisible(window) || !isDialog(window)) return;
    if (windowText(window) != title_) return;
    std::lock_guard<std::mutex> guard(lock_);
    // A box already told to close may still be listed for a moment; forget
    // handles that are gone so a new box reusing one is seen.
    closing_.erase(std::remove_if(closing_.begin(), closing_.end(), [](HWND w) { return !IsWindow(w); }),
                   closing_.end());
    if (std::find(closing_.begin(), closing_.end(), window) != closing_.end()) return;
    wchar_t text[1024] = {};
    GetDlgItemTextW(window, kMessageTextControl, text, int(std::size(text)));
    texts_.emplace_back(reinterpret_cast<const char16_t*>(text));
    closing_.push_back(window);
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(takeAnswer(window), BN_CLICKED), 0);
}

}  // namespace qucap::test
