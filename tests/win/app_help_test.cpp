// The help window and the version dialog, created in the test process from
// the program's own templates over a dummy owner window.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/core/help/help_host.h"
#include "app/main_window/app_state.h"
#include "app/tabs/help_host.h"
#include "app/tabs/version_dialog.h"
#include "captiondata/project/project_keys.h"
#include "resources/app/resource.h"
#include "tests/win/app_window_fixture.h"
#include "tests/win/temp_folder.h"
#include "tests/win/window_capture.h"
#include "win32/wide.h"

namespace qucap::test {
namespace {

RECT clientRectIn(HWND window, HWND parent) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::vector<HWND> children(HWND parent) {
    std::vector<HWND> found;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        found.push_back(child);
    return found;
}

HWND helpPageWindow() { return GetWindow(helpHostWindow(), GW_CHILD); }

struct ExpectedPage {
    int heightUnits;
    std::vector<std::u16string> headings;
};

// The title and headings each page must show, in order.
const ExpectedPage kPages[kHelpPageCount] = {
    {237, {u"プロジェクトファイル新規作成", u"プロジェクトファイルを開く", u"入力動画ファイル", u"色情報ファイル",
           u"字幕情報ファイル", u"枠情報ファイル", u"出力動画ファイル"}},
    {546, {u"本文フォント名", u"本文フォントサイズ", u"ルビフォント名", u"ルビフォントサイズ",
           u"ルビは本文の両端に表示する", u"ルビは本文の行間に表示する", u"２行目にルビがないときは、行間を詰める",
           u"字幕を端から表示する", u"縁取りあり", u"縁取りを影として表示", u"グラデーション表示(透過なし)",
           u"縁取り、影なし", u"黒枠を表示", u"本文の縁取り幅", u"ルビの縁取り幅", u"再生時の巻き戻し時間"}},
    {445, {u"１行目本文", u"１行目本文縁取り", u"１行目ルビ", u"１行目ルビ縁取り", u"２行目の本文、ルビ", u"文字効果",
           u"文字色", u"リピート", u"追加", u"挿入", u"削除"}},
    {441, {u"位置入力", u"位置スクロールバー", u"位置をロック", u"縦横変更", u"デフォルト位置",
           u"リストより選択後に位置入力、範囲を指定して位置移動", u"全ての行、範囲指定", u"横字幕変更", u"縦字幕変更",
           u"実行", u"全行デフォルト位置", u"元に戻す"}},
    {485, {u"開始時間", u"表示時間", u"開始時間スライダー", u"表示時間スライダー",
           u"リストより選択後に時間入力、範囲を指定して時間スライド", u"全ての行、範囲指定", u"開始時間変更",
           u"表示時間変更", u"開始時間、表示時間をクリアする", u"実行", u"元に戻す", u"リピート", u"連続設定",
           u"イン／アウト"}},
    {457, {u"ウォーターマークを表示する", u"表示文字", u"文字色", u"進行状態", u"映像エンコーダ", u"映像プロパティ",
           u"音声エンコーダ", u"音声プロパティ", u"SAMI出力", u"SRT出力", u"字幕合成", u"中断"}},
};

class HelpWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetAppState();
        owner_ = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(owner_, nullptr);
    }
    void TearDown() override {
        if (helpHostWindow()) DestroyWindow(helpHostWindow());
        DestroyWindow(owner_);
        pumpMessages(10);
        resetAppState();
    }

    // Sets the host's client area to width x height pixels.
    static void resizeClient(int width, int height) {
        HWND host = helpHostWindow();
        // Both scroll bars take room inside the frame as well.
        RECT rect{0, 0, width + GetSystemMetrics(SM_CXVSCROLL), height + GetSystemMetrics(SM_CYHSCROLL)};
        AdjustWindowRectEx(&rect, DWORD(GetWindowLongW(host, GWL_STYLE)), FALSE,
                           DWORD(GetWindowLongW(host, GWL_EXSTYLE)));
        SetWindowPos(host, nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
                     SWP_NOMOVE | SWP_NOZORDER);
        pumpMessages(10);
        RECT client{};
        GetClientRect(host, &client);
        ASSERT_EQ(client.right, width);
        ASSERT_EQ(client.bottom, height);
    }

    static void scroll(UINT message, int code, int tracked = 0) {
        SendMessageW(helpHostWindow(), message, MAKEWPARAM(code, tracked), 0);
    }

    static POINT pagePosition() {
        const RECT rect = clientRectIn(helpPageWindow(), helpHostWindow());
        return {rect.left, rect.top};
    }

    HWND owner_ = nullptr;
};

TEST_F(HelpWindowTest, EachIndexShowsItsPageWithCaptionTitleHeadingsAndCloseButton) {
    for (int index = 1; index <= kHelpPageCount; ++index) {
        SCOPED_TRACE(index);
        const ExpectedPage& expected = kPages[index - 1];
        openHelp(index, owner_);
        HWND host = helpHostWindow();
        ASSERT_NE(host, nullptr);
        EXPECT_TRUE(IsWindowVisible(host));
        EXPECT_EQ(GetWindow(host, GW_OWNER), owner_);
        const std::u16string caption(helpPage(index)->caption);
        EXPECT_EQ(windowText(host), caption);
        const LONG style = GetWindowLongW(host, GWL_STYLE);
        for (LONG bit : {WS_THICKFRAME, WS_HSCROLL, WS_VSCROLL, WS_CAPTION}) EXPECT_EQ(style & bit, bit);

        HWND page = helpPageWindow();
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(pagePosition().x, 0);
        EXPECT_EQ(pagePosition().y, 0);
        RECT units{0, 0, 237, expected.heightUnits};
        MapDialogRect(page, &units);
        const RECT size = clientRectIn(page, host);
        EXPECT_EQ(size.right - size.left, units.right);
        EXPECT_EQ(size.bottom - size.top, units.bottom);

        // The title first, then the headings in order, each indented 8 units
        // with its explanations below it indented 16.
        std::vector<std::u16string> headings;
        std::u16string first;
        RECT indent{8, 0, 16, 0};
        MapDialogRect(page, &indent);
        for (HWND child : children(page)) {
            const std::u16string text = windowText(child);
            if (child == GetDlgItem(page, IDOK)) continue;
            if (first.empty()) first = text;
            const LONG left = clientRectIn(child, page).left;
            if (text.starts_with(u"■")) {
                headings.push_back(text.substr(1));
                EXPECT_EQ(left, indent.left) << reinterpret_cast<const char*>(text.c_str());
            } else if (text != first) {
                EXPECT_EQ(left, indent.right);
            }
        }
        EXPECT_EQ(first, caption);
        EXPECT_EQ(headings, expected.headings);
        HWND close = GetDlgItem(page, IDOK);
        ASSERT_NE(close, nullptr);
        EXPECT_EQ(windowText(close), u"閉じる");
        const RECT button = clientRectIn(close, page);
        EXPECT_LE(std::abs((button.left + button.right) - (size.right - size.left)), 2);
        EXPECT_GT(button.bottom, size.bottom - size.top - units.bottom / 12);

        SendMessageW(close, BM_CLICK, 0, 0);
        EXPECT_EQ(helpHostWindow(), nullptr);
        EXPECT_FALSE(IsWindow(host));
        EXPECT_FALSE(IsWindow(page));
    }
}

TEST_F(HelpWindowTest, EveryTextOfEveryPageFitsItsControl) {
    for (int index = 1; index <= kHelpPageCount; ++index) {
        openHelp(index, owner_);
        HWND page = helpPageWindow();
        ASSERT_NE(page, nullptr);
        for (HWND child : children(page)) {
            if (child == GetDlgItem(page, IDOK)) continue;
            const std::u16string text = windowText(child);
            HDC dc = GetDC(child);
            HGDIOBJ old = SelectObject(dc, HFONT(SendMessageW(child, WM_GETFONT, 0, 0)));
            SIZE extent{};
            GetTextExtentPoint32W(dc, wide(text), int(text.size()), &extent);
            SelectObject(dc, old);
            ReleaseDC(child, dc);
            RECT client{};
            GetClientRect(child, &client);
            EXPECT_LE(extent.cx, client.right) << index << ": " << reinterpret_cast<const char*>(text.c_str());
            EXPECT_LE(extent.cy, client.bottom + 2) << index;
        }
        DestroyWindow(helpHostWindow());
    }
}

TEST_F(HelpWindowTest, ASecondHelpButtonKeepsTheOpenPage) {
    openHelp(1, owner_);
    HWND host = helpHostWindow();
    HWND page = helpPageWindow();
    openHelp(3, owner_);
    EXPECT_EQ(helpHostWindow(), host);
    EXPECT_EQ(helpPageWindow(), page);
    EXPECT_EQ(windowText(host), u"ファイル選択ヘルプ");
    // Indexes without a page show nothing.
    DestroyWindow(host);
    openHelp(0, owner_);
    openHelp(7, owner_);
    EXPECT_EQ(helpHostWindow(), nullptr);
}

TEST_F(HelpWindowTest, ScrollingMovesThePageByTheStepsWithinNinePositions) {
    openHelp(2, owner_);
    ASSERT_NE(helpHostWindow(), nullptr);
    resizeClient(200, 300);
    const RECT page = clientRectIn(helpPageWindow(), helpHostWindow());
    const int vertical = helpScrollStep(page.bottom - page.top, 300);
    const int horizontal = helpScrollStep(page.right - page.left, 200);
    ASSERT_GT(vertical, 5);
    ASSERT_GT(horizontal, 5);

    scroll(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(pagePosition().y, -vertical);
    scroll(WM_VSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(pagePosition().y, -3 * vertical);
    EXPECT_EQ(GetScrollPos(helpHostWindow(), SB_VERT), 3);
    scroll(WM_VSCROLL, SB_ENDSCROLL);
    scroll(WM_VSCROLL, SB_THUMBPOSITION, 7);
    EXPECT_EQ(pagePosition().y, -3 * vertical);
    scroll(WM_VSCROLL, SB_THUMBTRACK, 9);
    EXPECT_EQ(pagePosition().y, -9 * vertical);
    scroll(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(pagePosition().y, -9 * vertical);
    EXPECT_EQ(GetScrollPos(helpHostWindow(), SB_VERT), 9);
    scroll(WM_VSCROLL, SB_PAGEUP);
    EXPECT_EQ(pagePosition().y, -7 * vertical);
    EXPECT_EQ(GetScrollPos(helpHostWindow(), SB_VERT), 7);

    scroll(WM_HSCROLL, SB_LINERIGHT);
    scroll(WM_HSCROLL, SB_LINERIGHT);
    EXPECT_EQ(pagePosition().x, -2 * horizontal);
    scroll(WM_HSCROLL, SB_LINELEFT);
    EXPECT_EQ(pagePosition().x, -horizontal);
    EXPECT_EQ(GetScrollPos(helpHostWindow(), SB_HORZ), 1);
    EXPECT_EQ(pagePosition().y, -7 * vertical);

    // A resize keeps the positions and recomputes the steps.
    resizeClient(220, 400);
    EXPECT_EQ(pagePosition().y, -7 * helpScrollStep(page.bottom - page.top, 400));
    EXPECT_EQ(pagePosition().x, -helpScrollStep(page.right - page.left, 220));
}

TEST_F(HelpWindowTest, AWindowLargerThanItsPageNoLongerMovesIt) {
    openHelp(1, owner_);
    resizeClient(200, 200);
    scroll(WM_VSCROLL, SB_PAGEDOWN);
    scroll(WM_HSCROLL, SB_PAGERIGHT);
    ASSERT_LT(pagePosition().y, 0);
    ASSERT_LT(pagePosition().x, 0);
    const RECT page = clientRectIn(helpPageWindow(), helpHostWindow());
    resizeClient(page.right - page.left + 20, page.bottom - page.top + 20);
    EXPECT_EQ(pagePosition().x, 0);
    EXPECT_EQ(pagePosition().y, 0);
    scroll(WM_VSCROLL, SB_LINEDOWN);
    scroll(WM_HSCROLL, SB_THUMBTRACK, 9);
    EXPECT_EQ(pagePosition().x, 0);
    EXPECT_EQ(pagePosition().y, 0);
}

TEST_F(HelpWindowTest, CancelCloseOrALostOwnerEndTheWindowAndTheNextButtonMakesANewOne) {
    openHelp(1, owner_);
    HWND first = helpHostWindow();
    SendMessageW(first, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(helpHostWindow(), nullptr);
    EXPECT_FALSE(IsWindow(first));

    openHelp(4, owner_);
    HWND second = helpHostWindow();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(windowText(second), u"表示位置ヘルプ");
    SendMessageW(second, WM_CLOSE, 0, 0);
    EXPECT_EQ(helpHostWindow(), nullptr);

    openHelp(5, owner_);
    ASSERT_NE(helpHostWindow(), nullptr);
    EXPECT_EQ(windowText(helpHostWindow()), u"タイムラインヘルプ");
    DestroyWindow(owner_);
    EXPECT_EQ(helpHostWindow(), nullptr);
    owner_ = nullptr;
}

TEST_F(HelpWindowTest, HostIsCentredSixPixelsAboveTheMiddleWithWhiteBackgrounds) {
    openHelp(6, owner_);
    HWND host = helpHostWindow();
    RECT rect{};
    GetWindowRect(host, &rect);
    EXPECT_EQ(rect.left, (GetSystemMetrics(SM_CXSCREEN) - (rect.right - rect.left)) / 2);
    EXPECT_EQ(rect.top, (GetSystemMetrics(SM_CYSCREEN) - (rect.bottom - rect.top)) / 2 - 6);
    EXPECT_NE(SendMessageW(host, WM_GETICON, ICON_BIG, 0), 0) << "the program's icon is not set";
    HWND page = helpPageWindow();
    HWND title = GetWindow(page, GW_CHILD);
    HDC dc = GetDC(title);
    const auto brush = SendMessageW(page, WM_CTLCOLORSTATIC, WPARAM(dc), LPARAM(title));
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    ReleaseDC(title, dc);
    EXPECT_EQ(HBRUSH(brush), HBRUSH(GetStockObject(WHITE_BRUSH)));
    dc = GetDC(page);
    EXPECT_EQ(HBRUSH(SendMessageW(page, WM_CTLCOLORDLG, WPARAM(dc), LPARAM(page))), HBRUSH(GetStockObject(WHITE_BRUSH)));
    EXPECT_EQ(HBRUSH(SendMessageW(host, WM_CTLCOLORDLG, WPARAM(dc), LPARAM(host))), HBRUSH(GetStockObject(WHITE_BRUSH)));
    ReleaseDC(page, dc);
}

// What the version dialog showed, read from a timer inside its modal loop.
struct VersionSeen {
    bool found = false;
    std::u16string caption, version, copyright, address;
    RECT window{}, frame{};
    bool icon = false;
    std::vector<COLORREF> rule;
    COLORREF aboveRule = 0;
    bool blueAddressPixel = false;
    bool screenshot = false;
};
VersionSeen* versionSeen = nullptr;

void CALLBACK readVersionDialog(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    VersionSeen& seen = *versionSeen;
    HWND dialog = FindWindowW(L"#32770", L"ﾊﾞｰｼﾞｮﾝ情報");
    if (!dialog) return;
    seen.found = true;
    seen.caption = windowText(dialog);
    seen.version = controlText(dialog, IDC_VERSION_TEXT);
    seen.copyright = controlText(dialog, IDC_VERSION_COPYRIGHT);
    seen.address = controlText(dialog, IDC_VERSION_ADDRESS);
    GetWindowRect(dialog, &seen.window);
    seen.icon = SendMessageW(dialog, WM_GETICON, ICON_BIG, 0) != 0;
    seen.frame = clientRectIn(GetDlgItem(dialog, IDC_VERSION_BITMAP), dialog);
    UpdateWindow(dialog);
    HDC dc = GetDC(dialog);
    for (int x : {77, 100, 130, 160, 181}) seen.rule.push_back(GetPixel(dc, x, 77));
    seen.aboveRule = GetPixel(dc, 130, 76);
    const RECT address = clientRectIn(GetDlgItem(dialog, IDC_VERSION_ADDRESS), dialog);
    for (int y = address.top; y < address.bottom && !seen.blueAddressPixel; ++y)
        for (int x = address.left; x < address.right; ++x)
            if (GetPixel(dc, x, y) == RGB(0, 0, 255)) seen.blueAddressPixel = true;
    ReleaseDC(dialog, dc);
    if (seen.screenshot) captureWindow(dialog, u"version");
    SendMessageW(dialog, WM_COMMAND, IDOK, 0);
}

VersionSeen showVersionAndRead(HWND owner, bool screenshot = false) {
    VersionSeen seen;
    seen.screenshot = screenshot;
    versionSeen = &seen;
    SetTimer(nullptr, 0, 300, readVersionDialog);
    showVersion(owner);
    versionSeen = nullptr;
    return seen;
}

TEST_F(HelpWindowTest, VersionDialogShowsTheVersionAndDrawsTheBlueRule) {
    const VersionSeen seen = showVersionAndRead(owner_);
    ASSERT_TRUE(seen.found) << "the version dialog did not appear";
    EXPECT_EQ(seen.caption, u"ﾊﾞｰｼﾞｮﾝ情報");
    EXPECT_EQ(seen.version, u"Version 3.70");
    EXPECT_EQ(seen.copyright, u"Copyright (C) 2026 Qucap Project");
    EXPECT_EQ(seen.address, std::u16string(kMakerWebAddress));
    const int width = seen.window.right - seen.window.left, height = seen.window.bottom - seen.window.top;
    EXPECT_EQ(seen.window.left, (GetSystemMetrics(SM_CXSCREEN) - width) / 2);
    EXPECT_EQ(seen.window.top, (GetSystemMetrics(SM_CYSCREEN) - height) / 2 - 6);
    for (COLORREF pixel : seen.rule) EXPECT_EQ(pixel, RGB(0, 0, 255));
    EXPECT_NE(seen.aboveRule, RGB(0, 0, 255));
    EXPECT_TRUE(seen.blueAddressPixel) << "the address is not drawn in blue";
    EXPECT_GT(seen.frame.right - seen.frame.left, 0);
    EXPECT_TRUE(seen.icon);
}

TEST_F(HelpWindowTest, ScreenshotsOfTheHelpPagesAndTheVersionDialog) {
    if (screenshotFolder().empty()) GTEST_SKIP() << "QUCAP_SCREENSHOT_DIR is not set";
    for (int index = 1; index <= kHelpPageCount; ++index) {
        openHelp(index, owner_);
        HWND host = helpHostWindow();
        ASSERT_NE(host, nullptr);
        // The whole page when the screen is tall enough, else its top part.
        const RECT page = clientRectIn(helpPageWindow(), host);
        RECT frame{0, 0, page.right - page.left + GetSystemMetrics(SM_CXVSCROLL),
                   page.bottom - page.top + GetSystemMetrics(SM_CYHSCROLL)};
        AdjustWindowRectEx(&frame, DWORD(GetWindowLongW(host, GWL_STYLE)), FALSE,
                           DWORD(GetWindowLongW(host, GWL_EXSTYLE)));
        const int width = frame.right - frame.left;
        const int height = std::min<int>(frame.bottom - frame.top, GetSystemMetrics(SM_CYSCREEN));
        SetWindowPos(host, HWND_TOP, (GetSystemMetrics(SM_CXSCREEN) - width) / 2, 0, width, height, 0);
        SetForegroundWindow(host);
        pumpMessages(150);
        const std::u16string name = u"help-" + std::u16string(1, char16_t(u'0' + index));
        EXPECT_TRUE(captureWindow(host, name));
        DestroyWindow(host);
    }
    EXPECT_TRUE(showVersionAndRead(owner_, true).found);
}

}  // namespace
}  // namespace qucap::test
