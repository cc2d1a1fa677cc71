// Pictures of the main window on each tab for the documentation; skipped
// unless tools/screenshots.sh names a folder for them.
#include <windows.h>

#include <commctrl.h>

#include "app/app_state.h"
#include "app/tabs/page.h"
#include "captiondata/project/projectsettings.h"
#include "resources/app/resource.h"
#include "tests/win/app_window_fixture.h"
#include "tests/win/window_capture.h"

namespace qucap::test {
namespace {

std::u16string environment(const wchar_t* name) {
    wchar_t value[MAX_PATH] = {};
    if (!GetEnvironmentVariableW(name, value, MAX_PATH)) return {};
    return reinterpret_cast<const char16_t*>(value);
}

TEST_F(AppWindowTest, ScreenshotsOfEveryTab) {
    if (screenshotFolder().empty()) GTEST_SKIP() << "QUCAP_SCREENSHOT_DIR is not set";
    // The project to show: the demo's, offered as the last one opened.
    const std::u16string project = environment(L"QUCAP_SCREENSHOT_PROJECT");
    if (!project.empty()) recordLastProject(app().io, *programFolder_ / u"Qucapadd.ini", project);
    ASSERT_TRUE(openMainWindow());
    HWND fileSelection = app().pages[0]->window();
    if (!project.empty()) {
        SendMessageW(fileSelection, WM_COMMAND, MAKEWPARAM(IDC_LOAD, BN_CLICKED), LPARAM(GetDlgItem(fileSelection, IDC_LOAD)));
        pumpMessages(300);
        EXPECT_EQ(app().playState, PlayState::Stopped) << "the demo project did not load";
    }
    HWND tabs = GetDlgItem(main(), IDC_TABS);
    // The file-selection tab last, when the list has shown the loaded rows.
    for (int shot = 1; shot <= kPageCount; ++shot) {
        const int tab = shot % kPageCount;
        TabCtrl_SetCurSel(tabs, tab);
        NMHDR header{tabs, IDC_TABS, UINT(TCN_SELCHANGE)};
        SendMessageW(main(), WM_NOTIFY, IDC_TABS, LPARAM(&header));
        pumpMessages(150);
        EXPECT_TRUE(captureWindow(main(), u"main-tab-" + std::u16string(1, char16_t(u'0' + tab))));
    }
}

}  // namespace
}  // namespace qucap::test
