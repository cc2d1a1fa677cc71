#include "app/media/message_wait.h"

#include <vector>

namespace qucap {
namespace {

void dispatchPendingMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace

void dispatchOnePendingMessage() {
    MSG message;
    if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

int waitDispatching(std::initializer_list<HANDLE> handles, DWORD timeoutMs) {
    const std::vector<HANDLE> list(handles);
    const DWORD count = DWORD(list.size());
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        const ULONGLONG now = GetTickCount64();
        const DWORD left = now >= deadline ? 0 : DWORD(deadline - now);
        const DWORD woken = MsgWaitForMultipleObjects(count, list.data(), FALSE, left, QS_ALLINPUT);
        if (woken < WAIT_OBJECT_0 + count) return int(woken - WAIT_OBJECT_0);
        if (woken != WAIT_OBJECT_0 + count) return -1;  // time-out or failure
        dispatchPendingMessages();
    }
}

}  // namespace qucap
