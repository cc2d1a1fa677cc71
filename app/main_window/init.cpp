// The main window's initialisation: the steps in their order, then the tab
// control with its eight pages.
#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>
#include <versionhelpers.h>

#include "app/core/display_items/display_items.h"
#include "app/core/main_window/main_window_texts.h"
#include "app/main_window/app_state.h"
#include "app/main_window/caption_list_view.h"
#include "app/main_window/dialog_placement.h"
#include "app/main_window/font_names.h"
#include "app/main_window/main_window.h"
#include "app/main_window/parts.h"
#include "app/media/caption_filter.h"
#include "app/media/encoders.h"
#include "app/tabs/pages.h"
#include "resources/app/resource.h"
#include "win32/program_folder.h"
#include "win32/wide.h"

namespace qucap {
namespace {


std::u16string inProgramFolder(const std::u16string& folder, std::u16string_view name) {
    return folder + u"\\" + std::u16string(name);
}

std::u16string documentsFolder() {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
    return reinterpret_cast<const char16_t*>(path);
}

// The files beside the program; false (after the box) when the filter module is missing.
bool buildPaths(AppState& state) {
    if (state.paths.programFolder.empty()) state.paths.programFolder = programFolder();
    const std::u16string& folder = state.paths.programFolder;
    state.paths.settingsFile = inProgramFolder(folder, u"Qucapadd.ini");
    state.paths.helpDocument = inProgramFolder(folder, kHelpDocument);
    state.paths.filterModule = inProgramFolder(folder, kFilterModuleName);
    state.displayLists = std::make_unique<DisplayLists>(folder);
    if (state.files.kind(state.paths.filterModule) != PathKind::File) {
        state.ui.warn(kFilterModuleMissing, Deliverable::Program);
        return false;
    }
    if (state.documentsFolder.empty()) state.documentsFolder = documentsFolder();
    const std::u16string last = readLastOpenForProgram(state.io, state.paths.settingsFile);
    state.lastOpened = state.files.kind(last) == PathKind::File ? last : std::u16string();
    return true;
}

void createDrawingObjects(SharedDrawing& drawing) {
    drawing.faceColourPen.reset(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNFACE)));
    drawing.bluePen.reset(CreatePen(PS_SOLID, 1, RGB(0, 0, 255)));
    drawing.darkBluePen.reset(CreatePen(PS_SOLID, 1, RGB(0, 0, 128)));
    drawing.faceColourBrush.reset(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
    drawing.darkBlueBrush.reset(CreateSolidBrush(RGB(0, 0, 128)));
    drawing.whiteBrush.reset(CreateSolidBrush(RGB(255, 255, 255)));
    drawing.blackBrush.reset(CreateSolidBrush(RGB(0, 0, 0)));
}

HFONT createCounterFont() {
    return CreateFontW(kSharedFontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, FIXED_PITCH | FF_MODERN, wide(std::u16string(kSharedFontName)));
}

// Project handling lives in the file-selection tab: the four project items
// and the separator after them leave the "ﾌｧｲﾙ(&F)" popup.
void removeProjectMenuItems(HWND window) {
    HMENU bar = GetMenu(window);
    if (!bar) return;
    for (int id = IDM_PROJECT_NEW; id <= IDM_PROJECT_SAVE_AS; ++id) DeleteMenu(bar, UINT(id), MF_BYCOMMAND);
    DrawMenuBar(window);
    if (HMENU file = GetSubMenu(bar, 0)) DeleteMenu(file, 0, MF_BYPOSITION);
    DrawMenuBar(window);
}

void loadDisplayLists(AppState& state) {
    for (DisplayListKind kind : {DisplayListKind::Fonts, DisplayListKind::VideoEncoders, DisplayListKind::AudioEncoders})
        state.displayLists->load(state.io, kind, displayListSourceNames(kind, state.fontNames, state.encoders));
}

bool initialiseState(HWND window) {
    AppState& state = app();
    centreDialogOnScreen(window);
    state.mainWindow = window;
    state.ui.setOwner(window);
    showProgramIcon(window);
    state.modernSystem = IsWindowsVistaOrGreater();
    state.playState = PlayState::NoMedia;
    state.captions.setPendingEdit(false);
    refreshControls();
    state.fontNames = installedJapaneseFontNames();
    if (!buildPaths(state)) return false;
    state.drawing.counterFont.reset(createCounterFont());
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (FAILED(com)) return false;
    state.comInitialised = true;
    createDrawingObjects(state.drawing);
    setUpCaptionColumns(GetDlgItem(window, IDC_CAPTION_LIST));
    state.captions.clearSelection();
    removeProjectMenuItems(window);
    state.encoders = buildEncoderTables();
    loadDisplayLists(state);
    for (int id : {IDC_CAPTION_LINE1, IDC_CAPTION_LINE2, IDC_FRAME_COUNTER, IDC_TIME_COUNTER, IDC_MESSAGE_LINE})
        SetDlgItemTextW(window, id, L"");
    return true;
}

void createPages(HWND window) {
    AppState& state = app();
    state.tabControl = GetDlgItem(window, IDC_TABS);
    for (int index = 0; index < kPageCount; ++index) {
        std::u16string title(kTabPages[std::size_t(index)].title);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = wideForReading(title);
        TabCtrl_InsertItem(state.tabControl, index, &item);
    }
    const RECT area = pageRectangle(window);
    for (int index = 0; index < kPageCount; ++index) {
        auto page = makePage(index);
        if (!page->create(state.instance, window, kTabPages[std::size_t(index)].dialogId)) continue;
        MoveWindow(page->window(), area.left, area.top, area.right - area.left, area.bottom - area.top, FALSE);
        // Pages sit above the tab control so they get the clicks.
        SetWindowPos(page->window(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        state.pages[std::size_t(index)] = std::move(page);
    }
    state.currentTab = 0;
    if (state.pages[0]) ShowWindow(state.pages[0]->window(), SW_SHOW);
}

}  // namespace

RECT pageRectangle(HWND main) {
    RECT area{};
    controlRect(main, IDC_TABS, area);
    TabCtrl_AdjustRect(app().tabControl, FALSE, &area);
    return area;
}

void initialiseMainWindow(HWND window) {
    AppState& state = app();
    if (!initialiseState(window)) {
        setMessage(kInitialisationFailed);
        return;
    }
    createPages(window);
    state.initialised = true;
    RECT client;
    GetClientRect(window, &client);
    state.minimumClient = state.lastClient = {client.right, client.bottom};
    refreshCurrentPage();
}

}  // namespace qucap
