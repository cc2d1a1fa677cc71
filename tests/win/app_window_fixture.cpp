#include "tests/win/app_window_fixture.h"

#include <commctrl.h>

#include "app/core/project/batch_project.h"
#include "app/main_window/app_state.h"
#include "app/main_window/caption_list_view.h"
#include "app/main_window/main_window.h"
#include "app/tabs/page.h"
#include "captiondata/text/u16.h"
#include "resources/app/resource.h"
#include "tests/win/filter_module.h"

namespace qucap::test {
namespace {
bool quitSeen = false;
}

void pumpMessages(int milliseconds) {
    const DWORD until = GetTickCount() + DWORD(milliseconds);
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                quitSeen = true;
                continue;
            }
            dispatchMessage(message);
        }
        Sleep(5);
    } while (GetTickCount() < until);
}

bool quitPosted() { return quitSeen; }

namespace {

ModalSteps* currentSteps = nullptr;
std::function<HWND()> currentFind;

void CALLBACK onModalTick(HWND, UINT, UINT_PTR, DWORD) {
    ModalSteps& run = *currentSteps;
    HWND dialog = currentFind();
    // A step showing a message box runs a modal loop of its own, where the
    // timer keeps ticking: wait for the step to end.
    if (!dialog || run.busy) return;
    run.busy = true;
    if (run.next < run.steps.size())
        run.steps[run.next++](dialog);
    else
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), LPARAM(GetDlgItem(dialog, IDCANCEL)));
    run.busy = false;
}

}  // namespace

void runModal(const std::function<void()>& open, const std::function<HWND()>& find, ModalSteps& steps, UINT tickMs) {
    currentSteps = &steps;
    currentFind = find;
    const UINT_PTR timer = SetTimer(nullptr, 0, tickMs, onModalTick);
    open();
    KillTimer(nullptr, timer);
    currentSteps = nullptr;
    currentFind = {};
}

HWND findPreviewDialog() {
    for (HWND dialog = FindWindowW(L"#32770", nullptr); dialog; dialog = FindWindowExW(nullptr, dialog, L"#32770", nullptr)) {
        DWORD process = 0;
        GetWindowThreadProcessId(dialog, &process);
        if (process == GetCurrentProcessId() && dialog != app().mainWindow && GetDlgItem(dialog, 1099)) return dialog;
    }
    return nullptr;
}

bool menuItemGreyed(HWND main, int id) {
    return (GetMenuState(GetMenu(main), UINT(id), MF_BYCOMMAND) & MF_GRAYED) != 0;
}

// The save dialog of this process whose title names the file kind.
HWND findSaveDialog(std::wstring_view kind) { return findDialogTitled(L"名前を付けて" + std::wstring(kind) + L"の保存"); }

HWND findDialogTitled(std::wstring_view title) {
    for (HWND dialog = FindWindowW(L"#32770", nullptr); dialog; dialog = FindWindowExW(nullptr, dialog, L"#32770", nullptr)) {
        DWORD process = 0;
        GetWindowThreadProcessId(dialog, &process);
        wchar_t text[128] = {};
        GetWindowTextW(dialog, text, 128);
        if (process == GetCurrentProcessId() && title == text) return dialog;
    }
    return nullptr;
}

// Types `path` into the dialog's file name field and presses 保存.
void answerSaveDialog(HWND dialog, const std::u16string& path) {
    for (int field : {0x47C, 0x480}) {  // the name's combo box edit, or the plain edit
        HWND edit = GetDlgItem(dialog, field);
        if (edit) SetWindowTextW(edit, reinterpret_cast<const wchar_t*>(path.c_str()));
    }
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), LPARAM(GetDlgItem(dialog, IDOK)));
}

std::u16string windowText(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, int(std::size(text)));
    return reinterpret_cast<const char16_t*>(text);
}

std::u16string controlText(HWND parent, int id) { return windowText(GetDlgItem(parent, id)); }

bool controlEnabled(HWND parent, int id) { return IsWindowEnabled(GetDlgItem(parent, id)) != FALSE; }

RECT screenRect(HWND parent, int id) {
    RECT r{};
    GetWindowRect(GetDlgItem(parent, id), &r);
    return r;
}

std::u16string AppWindowTest::createProject(std::u16string_view name, const std::u16string& movie, int32_t width) {
    NewProject request;
    request.name = std::u16string(name);
    request.saveLocation = *documents_ / name;
    request.settingsFile = *programFolder_ / u"Qucapadd.ini";
    request.inputMovie = movie;
    request.movie = {333667, width};
    return createBatchProject(app().io, request);
}

void AppWindowTest::loadOfferedProject() {
    HWND page = app().pages[0]->window();
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_LOAD, BN_CLICKED), LPARAM(GetDlgItem(page, IDC_LOAD)));
    pumpMessages();
}

void AppWindowTest::putCaptionRows(std::initializer_list<std::pair<const char16_t*, const char16_t*>> times) {
    CaptionList& captions = app().captions;
    captions.clear();
    for (const auto& [begin, length] : times) {
        WorkingRow row;
        row.texts[Line1Body] = row.plainTexts[Line1Body] = u"字幕" + toDecimal(captions.rowCount() + 1);
        row.start = begin;
        row.duration = length;
        captions.writeRow(captions.appendRow(), row);
    }
    captions.clearSelection();
    captions.rebuildCaptionTable();
    showCaptionRows(GetDlgItem(app().mainWindow, IDC_CAPTION_LIST), captions);
}

void AppWindowTest::widenMainWindow(int dx) {
    RECT client;
    GetClientRect(main(), &client);
    RECT frame{0, 0, client.right + dx, client.bottom};
    AdjustWindowRectEx(&frame, DWORD(GetWindowLongW(main(), GWL_STYLE)), TRUE, DWORD(GetWindowLongW(main(), GWL_EXSTYLE)));
    SetWindowPos(main(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top, SWP_NOMOVE | SWP_NOZORDER);
    pumpMessages();
}

void AppWindowTest::openTab(int tab) {
    HWND tabs = GetDlgItem(main(), IDC_TABS);
    TabCtrl_SetCurSel(tabs, tab);
    NMHDR header{tabs, IDC_TABS, UINT(TCN_SELCHANGE)};
    SendMessageW(main(), WM_NOTIFY, IDC_TABS, LPARAM(&header));
    pumpMessages(30);
}

void AppWindowTest::SetUp() {
    // What the program's start does before its window: the controls of the
    // pages' templates must be registered.
    static const bool ready = [] {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES |
                                                           ICC_BAR_CLASSES | ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
        // The test thread keeps an apartment of its own, so the program's
        // CoUninitialize at its end is not the last (Wine then waits 2 s).
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        return LoadLibraryW(L"riched32.dll") != nullptr;
    }();
    ASSERT_TRUE(ready);
    resetAppState();
    quitSeen = false;
    programFolder_ = std::make_unique<TempFolder>();
    documents_ = std::make_unique<TempFolder>();
    boxes_ = std::make_unique<MessageBoxWatcher>(u"カブレン字幕付加システム");
}

void AppWindowTest::TearDown() {
    forceClose();
    pumpMessages(20);
    boxes_.reset();
    resetAppState();
}

bool AppWindowTest::openMainWindow(bool withFilterModule) {
    if (withFilterModule) {
        const std::u16string copy = *programFolder_ / u"Qucapsyf.ax";
        CopyFileW(reinterpret_cast<const wchar_t*>(builtFilterModule().c_str()),
                  reinterpret_cast<const wchar_t*>(copy.c_str()), FALSE);
    }
    AppState& state = app();
    state.paths.programFolder = programFolder_->path();
    state.documentsFolder = documents_->path();
    // The movie's analysis would write the message line at times of its own;
    // the tests of the timing analysis switch it on again.
    state.analyseMovies = false;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!registerMainWindowClass(instance)) return false;
    if (!createMainWindow(instance, SW_SHOW)) return false;
    pumpMessages();
    return main() != nullptr;
}

void AppWindowTest::forceClose() {
    AppState& state = app();
    if (!state.mainWindow) return;
    state.playState = PlayState::NoMedia;
    state.synthesisRunning = false;
    state.projectLoaded = false;
    SendMessageW(state.mainWindow, WM_CLOSE, 0, 0);
}

HWND AppWindowTest::main() const { return app().mainWindow; }

}  // namespace qucap::test
