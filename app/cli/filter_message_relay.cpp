#include "app/cli/filter_message_relay.h"

#include <algorithm>
#include <chrono>

#include "captiondata/io/ui.h"
#include "dshowbase/com_guard.h"
#include "win32/window_text.h"

namespace qucap {
namespace {

constexpr int kMessageTextControl = 0xFFFF;  // the static text of a message box
constexpr auto kLookInterval = std::chrono::milliseconds(50);

bool isDialog(HWND window) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, int(std::size(name)));
    return std::wstring_view(name) == L"#32770";
}

}  // namespace

FilterMessageRelay::FilterMessageRelay() : thread_([this] { watch(); }) {}

FilterMessageRelay::~FilterMessageRelay() {
    stopping_ = true;
    thread_.join();
}

void FilterMessageRelay::flushTo(TextSink& sink) {
    std::vector<std::u16string> texts;
    {
        std::lock_guard lock(mutex_);
        texts.swap(texts_);
    }
    for (const std::u16string& text : texts) sink.writeLine(text);
}

// The thread's entry.
void FilterMessageRelay::watch() {
    guardWindowProc(kProgramTitle, 0, [this] {
        while (!stopping_) {
            EnumWindows(visit, reinterpret_cast<LPARAM>(this));
            std::this_thread::sleep_for(kLookInterval);
        }
        return 0;
    });
}

BOOL CALLBACK FilterMessageRelay::visit(HWND window, LPARAM relay) {
    return guardWindowProc(kProgramTitle, TRUE, [&] {
        reinterpret_cast<FilterMessageRelay*>(relay)->answerIfFilterBox(window);
        return TRUE;
    });
}

void FilterMessageRelay::answerIfFilterBox(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId() || !IsWindowVisible(window) || !isDialog(window)) return;
    if (windowText(window) != kFilterTitle) return;
    std::lock_guard lock(mutex_);
    // A box told to close may be listed a moment longer; handles that are
    // gone are forgotten, so a new box that reuses one is seen.
    answered_.erase(std::remove_if(answered_.begin(), answered_.end(), [](HWND w) { return !IsWindow(w); }),
                    answered_.end());
    if (std::find(answered_.begin(), answered_.end(), window) != answered_.end()) return;
    texts_.push_back(windowText(GetDlgItem(window, kMessageTextControl)));
    answered_.push_back(window);
    // A warning has OK; a question has Yes and No, and No is the safe answer.
    const int answer = GetDlgItem(window, IDOK) != nullptr ? IDOK : IDNO;
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
}

}  // namespace qucap
