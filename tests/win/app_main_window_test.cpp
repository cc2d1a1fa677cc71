// The main window created in-process and driven by messages.
#include <windows.h>

#include <commctrl.h>

#include <array>
#include <optional>

#include "app/main_window/app_state.h"
#include "app/main_window/main_window.h"
#include "app/program_start.h"
#include "app/tabs/help_host.h"
#include "app/tabs/page.h"
#include "resources/app/resource.h"
#include "tests/win/app_window_fixture.h"
#include "tests/win/filter_module.h"

namespace qucap::test {
namespace {

std::u16string tabTitle(HWND tabs, int index) {
    wchar_t text[64] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = int(std::size(text));
    TabCtrl_GetItem(tabs, index, &item);
    return reinterpret_cast<const char16_t*>(text);
}

RECT rectOf(HWND main, int id) {
    RECT r{};
    GetWindowRect(GetDlgItem(main, id), &r);
    MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Sets the client size of the main window.
void resizeClient(HWND main, int width, int height) {
    RECT frame{0, 0, width, height};
    AdjustWindowRectEx(&frame, DWORD(GetWindowLongW(main, GWL_STYLE)), GetMenu(main) != nullptr,
                       DWORD(GetWindowLongW(main, GWL_EXSTYLE)));
    SetWindowPos(main, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top, SWP_NOMOVE | SWP_NOZORDER);
    pumpMessages(20);
}

void notifyTabChange(HWND main, int tab) {
    HWND tabs = GetDlgItem(main, IDC_TABS);
    TabCtrl_SetCurSel(tabs, tab);
    NMHDR header{tabs, IDC_TABS, UINT(TCN_SELCHANGE)};
    SendMessageW(main, WM_NOTIFY, IDC_TABS, LPARAM(&header));
}

void setState(PlayState state) {
    app().playState = state;
    refreshControls();
}

TEST_F(AppWindowTest, StartsWithTitleEightTabsAndOnlyTheFileSelectionPageShown) {
    ASSERT_TRUE(openMainWindow());
    EXPECT_EQ(windowText(main()), u"ｶﾌﾞﾚﾝｷｬﾌﾟｼｮﾝ Ver 3.70");
    HWND tabs = GetDlgItem(main(), IDC_TABS);
    ASSERT_EQ(TabCtrl_GetItemCount(tabs), 8);
    const std::array<std::u16string, 8> titles = {u"ファイル選択", u"フォント設定", u"色設定", u"字幕作成",
                                                  u"表示位置", u"枠表示", u"タイムライン", u"字幕合成"};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(tabTitle(tabs, i), titles[std::size_t(i)]);
        ASSERT_NE(app().pages[std::size_t(i)], nullptr) << i;
        EXPECT_EQ(IsWindowVisible(app().pages[std::size_t(i)]->window()) != FALSE, i == 0) << i;
    }
    EXPECT_EQ(controlText(main(), IDC_MESSAGE_LINE), u"");
    EXPECT_EQ(app().playState, PlayState::NoMedia);
    EXPECT_TRUE(boxes_->texts().empty());
}

TEST_F(AppWindowTest, ProjectItemsAndTheirSeparatorAreRemovedFromTheMenu) {
    ASSERT_TRUE(openMainWindow());
    HMENU bar = GetMenu(main());
    for (int id = 40000; id <= 40003; ++id) EXPECT_EQ(GetMenuState(bar, UINT(id), MF_BYCOMMAND), UINT(-1)) << id;
    HMENU file = GetSubMenu(bar, 0);
    EXPECT_EQ(GetMenuItemID(file, 0), UINT(IDM_EXIT));
}

TEST_F(AppWindowTest, MissingFilterModuleLeavesTheWindowWithoutPages) {
    ASSERT_TRUE(openMainWindow(false));
    ASSERT_TRUE(boxes_->waitFor(1));
    EXPECT_EQ(boxes_->texts()[0], u"カブレン字幕合成フィルタが見つかりません");
    EXPECT_EQ(controlText(main(), IDC_MESSAGE_LINE), u"初期化に失敗しました");
    EXPECT_EQ(TabCtrl_GetItemCount(GetDlgItem(main(), IDC_TABS)), 0);
    EXPECT_EQ(app().pages[0], nullptr);
    EXPECT_TRUE(controlEnabled(main(), IDC_END));
}

// The play-state table: tab control, check box, play, stop, end, frame step, scroll bar.
TEST_F(AppWindowTest, PlayStateDrivesTheMainControls) {
    ASSERT_TRUE(openMainWindow());
    struct Row {
        PlayState state;
        std::array<bool, 7> enabled;  // 1111, 1106, 1108, 1110, 1009, 1107/1109, 1102
        std::u16string playText;
    };
    const std::array<Row, 6> rows = {{
        {PlayState::NoMedia, {0, 0, 0, 0, 1, 0, 0}, u"再生(&P)"},
        {PlayState::Playing, {0, 0, 1, 1, 0, 0, 1}, u"一時停止(&P)"},
        {PlayState::Paused, {0, 0, 1, 1, 0, 1, 1}, u"再生(&P)"},
        {PlayState::Stopped, {1, 1, 1, 0, 1, 0, 0}, u"再生(&P)"},
        {PlayState::Synthesizing, {0, 0, 0, 0, 0, 0, 0}, u"再生(&P)"},
        {PlayState::SynthesisDone, {1, 1, 1, 1, 1, 0, 0}, u"再生(&P)"},
    }};
    const std::array<int, 7> ids = {IDC_TABS, IDC_PLAY_WITH_CAPTIONS, IDC_PLAY_PAUSE, IDC_STOP,
                                    IDC_END,  IDC_FRAME_BACK,         IDC_POSITION_SCROLL};
    for (const Row& row : rows) {
        setState(row.state);
        for (std::size_t i = 0; i < ids.size(); ++i)
            EXPECT_EQ(controlEnabled(main(), ids[i]), row.enabled[i]) << int(row.state) << " id " << ids[i];
        EXPECT_EQ(controlEnabled(main(), IDC_FRAME_FORWARD), row.enabled[5]);
        EXPECT_EQ(controlText(main(), IDC_PLAY_PAUSE), row.playText);
    }
}

TEST_F(AppWindowTest, EnteringStoppedResetsTheCountersAndClearsTheMessage) {
    ASSERT_TRUE(openMainWindow());
    setState(PlayState::Playing);
    SetDlgItemTextW(main(), IDC_FRAME_COUNTER, L"000010 / 000090");
    SetDlgItemTextW(main(), IDC_CAPTION_LINE1, L"字幕");
    setMessage(u"再生中");
    setState(PlayState::Stopped);
    EXPECT_EQ(controlText(main(), IDC_FRAME_COUNTER), u"000000 / 000000");
    EXPECT_EQ(controlText(main(), IDC_TIME_COUNTER), u"0:00:00.000 / 0:00:00.000");
    EXPECT_EQ(controlText(main(), IDC_CAPTION_LINE1), u"");
    EXPECT_EQ(controlText(main(), IDC_MESSAGE_LINE), u"");
}

TEST_F(AppWindowTest, SaveButtonFollowsThePendingEdit) {
    ASSERT_TRUE(openMainWindow());
    setState(PlayState::Stopped);
    EXPECT_FALSE(controlEnabled(main(), IDC_SAVE_TO_LIST));
    setPendingEdit(true);
    EXPECT_TRUE(controlEnabled(main(), IDC_SAVE_TO_LIST));
    SendMessageW(main(), WM_COMMAND, MAKEWPARAM(IDC_SAVE_TO_LIST, BN_CLICKED), 0);
    EXPECT_FALSE(controlEnabled(main(), IDC_SAVE_TO_LIST));
    EXPECT_FALSE(app().captions.pendingEdit());
}

TEST_F(AppWindowTest, EscapeNeverClosesTheWindow) {
    ASSERT_TRUE(openMainWindow());
    MSG escape{GetDlgItem(main(), IDC_END), WM_KEYDOWN, VK_ESCAPE, 0x00010001, 0, {}};
    EXPECT_TRUE(isDroppedKey(escape));
    dispatchMessage(escape);
    PostMessageW(GetFocus() ? GetFocus() : main(), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    pumpMessages();
    EXPECT_TRUE(IsWindow(main()));
    EXPECT_FALSE(quitPosted());
}

TEST_F(AppWindowTest, CloseBoxIsRefusedWhilePreviewPlaysPausedOrSynthesisRuns) {
    ASSERT_TRUE(openMainWindow());
    for (PlayState s : {PlayState::Playing, PlayState::Paused}) {
        setState(s);
        SendMessageW(main(), WM_CLOSE, 0, 0);
        EXPECT_TRUE(IsWindow(main())) << int(s);
    }
    setState(PlayState::Stopped);
    app().synthesisRunning = true;
    SendMessageW(main(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(main()));
    app().synthesisRunning = false;
}

TEST_F(AppWindowTest, EndingWithoutAProjectWritesNoFileAndQuits) {
    ASSERT_TRUE(openMainWindow());
    const auto programFiles = namesIn(programFolder_->path());
    HWND window = main();
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDC_END, BN_CLICKED), 0);
    pumpMessages();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(quitPosted());
    EXPECT_EQ(namesIn(programFolder_->path()), programFiles);
    EXPECT_TRUE(namesIn(documents_->path()).empty());
}

TEST_F(AppWindowTest, MenuItemsFollowThePlayState) {
    ASSERT_TRUE(openMainWindow());
    auto openMenu = [&] { SendMessageW(main(), WM_INITMENUPOPUP, WPARAM(GetSubMenu(GetMenu(main()), 0)), 0); };
    setState(PlayState::Playing);
    openMenu();
    for (int id : {IDM_EXIT, IDM_CUT, IDM_COPY, IDM_PASTE, IDM_HELP, IDM_VERSION}) EXPECT_TRUE(menuItemGreyed(main(), id)) << id;
    EXPECT_FALSE(menuItemGreyed(main(), IDM_DISPLAY_ITEMS));
    setState(PlayState::Stopped);
    openMenu();
    for (int id : {IDM_EXIT, IDM_HELP, IDM_VERSION, IDM_DISPLAY_ITEMS}) EXPECT_FALSE(menuItemGreyed(main(), id)) << id;
    // Not on the caption-creation page: nothing to cut, copy or paste.
    for (int id : {IDM_CUT, IDM_COPY, IDM_PASTE}) EXPECT_TRUE(menuItemGreyed(main(), id)) << id;

    // Paused: ending, help and version are locked, the editing items keep their state.
    EnableMenuItem(GetMenu(main()), IDM_PASTE, MF_BYCOMMAND | MF_ENABLED);
    setState(PlayState::Paused);
    openMenu();
    for (int id : {IDM_EXIT, IDM_HELP, IDM_VERSION}) EXPECT_TRUE(menuItemGreyed(main(), id)) << id;
    EXPECT_FALSE(menuItemGreyed(main(), IDM_PASTE));
    EXPECT_TRUE(menuItemGreyed(main(), IDM_CUT));

    // A synthesis running locks the same items as playing.
    setState(PlayState::Synthesizing);
    app().synthesisRunning = true;
    openMenu();
    for (int id : {IDM_EXIT, IDM_CUT, IDM_COPY, IDM_PASTE, IDM_HELP, IDM_VERSION}) EXPECT_TRUE(menuItemGreyed(main(), id)) << id;
    app().synthesisRunning = false;
}

TEST_F(AppWindowTest, ShrinkingBelowTheStartSizeKeepsTheLayoutAndGrowingMovesTheControls) {
    ASSERT_TRUE(openMainWindow());
    const ClientSize start = app().minimumClient;
    const RECT end = rectOf(main(), IDC_END), save = rectOf(main(), IDC_SAVE_TO_LIST);
    const RECT tabs = rectOf(main(), IDC_TABS), list = rectOf(main(), IDC_CAPTION_LIST);
    resizeClient(main(), start.width - 100, start.height - 80);
    EXPECT_EQ(rectOf(main(), IDC_END).left, end.left);
    EXPECT_EQ(rectOf(main(), IDC_END).top, end.top);
    EXPECT_EQ(rectOf(main(), IDC_TABS).right, tabs.right);

    resizeClient(main(), start.width + 40, start.height + 30);
    EXPECT_EQ(rectOf(main(), IDC_END).left, end.left + 40);
    EXPECT_EQ(rectOf(main(), IDC_END).top, end.top + 30);
    EXPECT_EQ(rectOf(main(), IDC_SAVE_TO_LIST).left, save.left + 40);
    EXPECT_EQ(rectOf(main(), IDC_TABS).right, tabs.right + 40);
    EXPECT_EQ(rectOf(main(), IDC_TABS).bottom, tabs.bottom);
    EXPECT_EQ(rectOf(main(), IDC_CAPTION_LIST).right, list.right + 40);
    EXPECT_EQ(rectOf(main(), IDC_CAPTION_LIST).bottom, list.bottom + 30);
    RECT page{};
    GetWindowRect(app().pages[0]->window(), &page);
    RECT tabWindow{};
    GetWindowRect(GetDlgItem(main(), IDC_TABS), &tabWindow);
    EXPECT_LT(page.right, tabWindow.right);
    EXPECT_GT(page.right, tabWindow.right - 12);

    ShowWindow(main(), SW_MINIMIZE);
    pumpMessages(20);
    ShowWindow(main(), SW_RESTORE);
    pumpMessages(20);
    EXPECT_EQ(rectOf(main(), IDC_END).left, end.left + 40);
}

// Records the calls a row-editing page gets.
class RecordingPage : public Page {
public:
    int commits = 0, shownRow = -2, clears = 0;
    void commitEdit() override { ++commits; }
    void showRow(int row) override { shownRow = row; }
    void clearRow() override { ++clears; }
};

TEST_F(AppWindowTest, ChangingTabsCommitsAPendingEditFirst) {
    ASSERT_TRUE(openMainWindow());
    setState(PlayState::Stopped);
    auto recording = std::make_unique<RecordingPage>();
    ASSERT_TRUE(recording->create(GetModuleHandleW(nullptr), main(), IDD_CAPTION_CREATION));
    RecordingPage& page = *recording;
    app().pages[3] = std::move(recording);

    notifyTabChange(main(), 3);
    EXPECT_EQ(app().currentTab, 3);
    EXPECT_EQ(page.clears, 1);  // no row selected
    EXPECT_TRUE(IsWindowVisible(page.window()));
    EXPECT_FALSE(IsWindowVisible(app().pages[0]->window()));

    setPendingEdit(true);
    notifyTabChange(main(), 0);
    EXPECT_EQ(page.commits, 1);
    EXPECT_FALSE(app().captions.pendingEdit());
    EXPECT_EQ(app().currentTab, 0);
    EXPECT_FALSE(IsWindowVisible(page.window()));
}

TEST_F(AppWindowTest, EveryHelpButtonOpensItsTabsHelpPage) {
    ASSERT_TRUE(openMainWindow());
    const std::array<std::pair<int, std::u16string>, 6> helped = {{{0, u"ファイル選択ヘルプ"},
                                                                    {1, u"フォント設定ヘルプ"},
                                                                    {3, u"字幕作成ヘルプ"},
                                                                    {4, u"表示位置ヘルプ"},
                                                                    {6, u"タイムラインヘルプ"},
                                                                    {7, u"字幕合成ヘルプ"}}};
    for (const auto& [tab, caption] : helped) {
        HWND page = app().pages[std::size_t(tab)]->window();
        SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_PAGE_HELP, BN_CLICKED), LPARAM(GetDlgItem(page, IDC_PAGE_HELP)));
        pumpMessages(20);
        ASSERT_NE(helpHostWindow(), nullptr) << tab;
        EXPECT_EQ(windowText(helpHostWindow()), caption);
        SendMessageW(helpHostWindow(), WM_COMMAND, IDCANCEL, 0);
        pumpMessages(20);
        EXPECT_EQ(helpHostWindow(), nullptr);
    }
}

TEST_F(AppWindowTest, ASecondInstanceEndsAtOnceWithoutAWindow) {
    HANDLE first = CreateMutexW(nullptr, FALSE, L"qucapInstance");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(runProgram(GetModuleHandleW(nullptr), SW_SHOW), 0);
    EXPECT_EQ(app().mainWindow, nullptr);
    EXPECT_EQ(FindWindowW(L"cqucapmain", nullptr), nullptr);
    CloseHandle(first);
}

// The built program started as a process of its own; ended at the end of
// the test if it still runs.
class ProgramProcess {
public:
    ProgramProcess() {
        std::u16string command = u"\"" + windowsPathOf(QUCAP_PROGRAM_DIR) + u"\\Qucapadd.exe\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        started_ = CreateProcessW(nullptr, reinterpret_cast<wchar_t*>(command.data()), nullptr, nullptr, FALSE, 0,
                                  nullptr, nullptr, &startup, &process_) != FALSE;
    }
    ~ProgramProcess() {
        if (!started_) return;
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 1);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
    bool started() const { return started_; }
    // Still running after `milliseconds`.
    bool runsAfter(DWORD milliseconds) const { return WaitForSingleObject(process_.hProcess, milliseconds) == WAIT_TIMEOUT; }
    // The exit code once it ended (20 s at most); nothing while it still runs.
    std::optional<DWORD> exitCode() const {
        if (runsAfter(20000)) return std::nullopt;
        DWORD code = 1;
        GetExitCodeProcess(process_.hProcess, &code);
        return code;
    }
    // Its main window, once it shows (10 s at most).
    HWND mainWindow() const {
        for (int tries = 0; tries < 500; ++tries) {
            for (HWND w = FindWindowW(L"cqucapmain", nullptr); w; w = FindWindowExW(nullptr, w, L"cqucapmain", nullptr)) {
                DWORD owner = 0;
                GetWindowThreadProcessId(w, &owner);
                if (owner == process_.dwProcessId && IsWindowVisible(w)) return w;
            }
            Sleep(20);
        }
        return nullptr;
    }

private:
    PROCESS_INFORMATION process_{};
    bool started_ = false;
};

TEST_F(AppWindowTest, TheRealProgramShowsItsWindowIgnoresEscapeAndEndsByItsCloseBox) {
    ProgramProcess program;
    ASSERT_TRUE(program.started());
    HWND window = program.mainWindow();
    ASSERT_NE(window, nullptr) << "the program showed no window";
    EXPECT_EQ(windowText(window), u"ｶﾌﾞﾚﾝｷｬﾌﾟｼｮﾝ Ver 3.70");
    EXPECT_EQ(TabCtrl_GetItemCount(GetDlgItem(window, IDC_TABS)), 8);

    // Escape goes through the program's own loop and is dropped there.
    PostMessageW(GetDlgItem(window, IDC_END), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    EXPECT_TRUE(program.runsAfter(500));
    EXPECT_TRUE(IsWindow(window));

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.exitCode(), std::optional<DWORD>(0));
}

TEST_F(AppWindowTest, TheProgramStartedWhileAnotherRunsEndsAtOnce) {
    HANDLE first = CreateMutexW(nullptr, FALSE, L"qucapInstance");
    ASSERT_NE(first, nullptr);
    {
        ProgramProcess second;
        ASSERT_TRUE(second.started());
        EXPECT_EQ(second.exitCode(), std::optional<DWORD>(0));
        EXPECT_EQ(FindWindowW(L"cqucapmain", nullptr), nullptr);
    }
    CloseHandle(first);
}

}  // namespace
}  // namespace qucap::test
