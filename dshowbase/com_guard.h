#pragma once
// Keeps C++ exceptions of derived code (a failed allocation while loading or
// composing) from crossing a COM method, a window procedure or a thread's
// start routine, none of which may let one through.
#include <windows.h>

#include <new>
#include <string_view>

namespace qucap {

// COM methods: an exception becomes an HRESULT.
template <typename Body>
HRESULT guardCom(Body&& body) noexcept {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

// What the user is told when an operation ended in an exception.
inline constexpr std::u16string_view kOutOfMemoryStop = u"メモリが不足したため操作を中止しました";
inline constexpr std::u16string_view kUnexpectedErrorStop = u"予期しないエラーのため操作を中止しました";

// Runs `body`; an exception becomes a call of `tell` with the text above
// that fits it, and `fallback` is returned.
template <typename Result, typename Tell, typename Body>
Result guardOperation(Tell&& tell, Result fallback, Body&& body) noexcept {
    std::u16string_view text;
    try {
        return body();
    } catch (const std::bad_alloc&) {
        text = kOutOfMemoryStop;
    } catch (...) {
        text = kUnexpectedErrorStop;
    }
    try {
        tell(text);
    } catch (...) {
    }
    return fallback;
}

// The message box of an operation that ended in an exception: stop icon, no
// owner (the window may be the one that failed), modal for the thread.
// `title` and `text` view terminated literals (kProgramTitle, kFilterTitle):
// nothing is copied, so the box shows even when memory ran out.
inline void tellOperationStopped(std::u16string_view title, std::u16string_view text) noexcept {
    MessageBoxW(nullptr, reinterpret_cast<const wchar_t*>(text.data()), reinterpret_cast<const wchar_t*>(title.data()),
                MB_OK | MB_ICONSTOP | MB_TASKMODAL);
}

// Window, dialog and subclass procedures, enumeration callbacks and thread
// entries: an exception becomes a message box titled `title` (the program's
// or the filter's name) and `fallback` is returned, the result the system
// takes for a message not handled. The process never dies inside user32.
template <typename Result, typename Body>
Result guardWindowProc(std::u16string_view title, Result fallback, Body&& body) noexcept {
    return guardOperation([title](std::u16string_view text) { tellOperationStopped(title, text); }, fallback,
                          static_cast<Body&&>(body));
}

}  // namespace qucap
