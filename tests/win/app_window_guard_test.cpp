// What a page's dialog procedure returns to the dialog manager, and that an
// exception thrown while a message is handled ends as the program's message
// box and the default result, with the window and the process alive.
#include <windows.h>

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "app/tabs/page.h"
#include "tests/win/dshowbase_test_resource.h"
#include "tests/win/message_box_watcher.h"

namespace qucap::test {
namespace {

constexpr UINT kThrowsOutOfMemory = WM_APP + 1;
constexpr UINT kThrowsOther = WM_APP + 2;
constexpr UINT kAnswers = WM_APP + 3;  // a message whose result goes through DWLP_MSGRESULT
constexpr INT_PTR kAnswer = 42;

HBRUSH probeBrush() { return HBRUSH(GetStockObject(GRAY_BRUSH)); }

class ProbePage : public Page {
protected:
    bool handle(UINT message, WPARAM, LPARAM, INT_PTR& result) override {
        switch (message) {
            case WM_CTLCOLORSTATIC:
            case WM_CTLCOLORDLG: result = INT_PTR(probeBrush()); return true;
            case WM_QUERYDRAGICON: result = INT_PTR(LoadIconW(nullptr, IDI_APPLICATION)); return true;
            case kAnswers: result = kAnswer; return true;
            case kThrowsOutOfMemory: throw std::bad_alloc();
            case kThrowsOther: throw std::runtime_error("probe");
        }
        return false;
    }
};

TEST(WindowGuardTest, PageResultsAndExceptionsReachTheDialogManagerRightly) {
    MessageBoxWatcher watcher(u"カブレン字幕付加システム");
    HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPED, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(parent);
    ProbePage page;
    ASSERT_TRUE(page.create(GetModuleHandleW(nullptr), parent, IDD_DSHOWBASE_TEST_PAGE));
    HWND window = page.window();

    struct Case {
        UINT message;
        LRESULT expected;
        const char16_t* box;  // the text of the box shown, or none
    };
    const Case cases[] = {
        // The messages whose result is the procedure's own return value.
        {WM_CTLCOLORSTATIC, LRESULT(probeBrush()), nullptr},
        {WM_CTLCOLORDLG, LRESULT(probeBrush()), nullptr},
        {WM_QUERYDRAGICON, LRESULT(LoadIconW(nullptr, IDI_APPLICATION)), nullptr},
        // Every other message's result goes through DWLP_MSGRESULT.
        {kAnswers, kAnswer, nullptr},
        // An exception: the box in the system's words, then the result of a message not handled.
        {kThrowsOutOfMemory, 0, u"メモリが不足したため操作を中止しました"},
        {kThrowsOther, 0, u"予期しないエラーのため操作を中止しました"},
    };
    HDC dc = GetDC(window);
    for (const Case& c : cases) {
        watcher.clear();
        EXPECT_EQ(SendMessageW(window, c.message, WPARAM(dc), 0), c.expected) << std::hex << c.message;
        if (c.box) {
            ASSERT_TRUE(watcher.waitFor(1)) << std::hex << c.message;
            EXPECT_EQ(watcher.texts().front(), c.box);
        } else {
            EXPECT_TRUE(watcher.texts().empty()) << std::hex << c.message;
        }
    }
    ReleaseDC(window, dc);
    EXPECT_TRUE(IsWindow(window));
    page.destroy();
    DestroyWindow(parent);
}

}  // namespace
}  // namespace qucap::test
