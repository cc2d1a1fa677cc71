// Shows one dialog template of Qucapadd.exe and saves a screenshot of it, so
// the templates can be looked at without the program's behaviour. It also
// prints the layout faults the resource tests look for (texts wider than their
// control, overlapping controls, controls outside the dialog), one per line.
//
// usage: dialog-preview.exe main OUT.bmp [PAGE_ID]   dialog 110, tabs filled, a page on the display area
//        dialog-preview.exe page ID OUT.bmp          a tab page (child template) in a bare frame
//        dialog-preview.exe dialog ID OUT.bmp        a pop-up template
// Exit code: 0 shown and saved, 1 bad arguments or failure, 2 no such template.
// Built by tools/dialog_shots.sh with the program's resource objects linked in.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/win/dialog_layout.h"

namespace {

HINSTANCE instance() { return GetModuleHandleW(nullptr); }

INT_PTR CALLBACK quietDialog(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

bool templateExists(int id) {
    return FindResourceW(instance(), MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(5)) != nullptr;  // RT_DIALOG
}

void prepareClasses() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES |
                                                       ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    LoadLibraryW(L"riched20.dll");
    LoadLibraryW(L"riched32.dll");
    // Dialog 110 names its window class; the dialog manager needs it registered.
    WNDCLASSW main{};
    main.lpfnWndProc = DefDlgProcW;
    main.cbWndExtra = DLGWINDOWEXTRA + 30;
    main.hInstance = instance();
    main.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    main.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    main.lpszClassName = L"cqucapmain";
    RegisterClassW(&main);
    WNDCLASSW frame{};
    frame.lpfnWndProc = DefWindowProcW;
    frame.hInstance = instance();
    frame.hCursor = main.hCursor;
    frame.hbrBackground = main.hbrBackground;
    frame.lpszClassName = L"QucapPreviewFrame";
    RegisterClassW(&frame);
}

void pump(DWORD milliseconds) {
    DWORD end = GetTickCount() + milliseconds;
    MSG message;
    while (static_cast<LONG>(end - GetTickCount()) > 0) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(20);
    }
}

// The screen pixels of the window's rectangle as a 24-bit bitmap file.
bool saveWindowShot(HWND window, const wchar_t* path) {
    RECT r;
    GetWindowRect(window, &r);
    int width = r.right - r.left, height = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFOHEADER info{sizeof info, width, height, 1, 24, BI_RGB};
    int stride = (width * 3 + 3) & ~3;
    std::vector<unsigned char> pixels(static_cast<size_t>(stride) * height);
    GetDIBits(memory, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof info + pixels.size()), 0, 0,
                          static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof info)};
    FILE* out = _wfopen(path, L"wb");
    if (!out) return false;
    fwrite(&file, sizeof file, 1, out);
    fwrite(&info, sizeof info, 1, out);
    fwrite(pixels.data(), 1, pixels.size(), out);
    fclose(out);
    return true;
}

RECT rectIn(HWND parent, HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Prints the layout faults of `dialog`'s controls; returns their number.
int checkControls(HWND dialog, HWND skip) {
    std::vector<std::string> faults = qucap::test::layoutFaults(dialog, skip);
    for (const std::string& fault : faults) std::printf("%s\n", fault.c_str());
    return static_cast<int>(faults.size());
}

// Pixels per 100 dialog units of `dialog`, for reporting rectangles in dialog units.
POINT unitsScale(HWND dialog) {
    RECT r{0, 0, 100, 100};
    MapDialogRect(dialog, &r);
    return POINT{r.right, r.bottom};
}

const wchar_t* const kTabTitles[] = {L"ファイル選択", L"フォント設定", L"色設定",   L"字幕作成",
                                     L"表示位置",     L"枠表示",       L"タイムライン", L"字幕合成"};

// The counters are drawn by the program in its shared 16-pixel font; the
// preview sets that font too, so their widths are measured as they will be.
void useCounterFont(HWND dialog) {
    static HFONT font = CreateFontW(16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                                    CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH, L"ＭＳ ゴシック");
    for (int id : {1104, 1105})
        if (HWND counter = GetDlgItem(dialog, id)) SendMessageW(counter, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

// The tab of a page, so the screenshot shows the page under its own title.
int tabIndexOf(int pageId) {
    const int pages[] = {103, 105, 122, 108, 111, 121, 117, 114};
    for (int i = 0; i < 8; ++i)
        if (pages[i] == pageId) return i;
    return 0;
}

HWND showMain(int pageId, HWND& page) {
    HWND main = CreateDialogParamW(instance(), MAKEINTRESOURCEW(110), nullptr, quietDialog, 0);
    if (!main) return nullptr;
    HWND tabs = GetDlgItem(main, 1111);
    for (int i = 0; i < 8; ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(kTabTitles[i]);
        SendMessageW(tabs, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
    RECT display = rectIn(main, tabs);
    SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    POINT scale = unitsScale(main);
    std::printf("tab display area: %ld,%ld %ldx%ld px = %ld,%ld %ldx%ld dialog units\n", display.left, display.top,
                display.right - display.left, display.bottom - display.top, display.left * 100 / scale.x,
                display.top * 100 / scale.y, (display.right - display.left) * 100 / scale.x,
                (display.bottom - display.top) * 100 / scale.y);
    std::printf("dialog unit: %ld/100 x %ld/100 px\n", scale.x, scale.y);
    if (pageId) {
        page = CreateDialogParamW(instance(), MAKEINTRESOURCEW(pageId), main, quietDialog, 0);
        if (!page) return nullptr;
        RECT own;
        GetWindowRect(page, &own);
        if (own.right - own.left > display.right - display.left || own.bottom - own.top > display.bottom - display.top)
            std::printf("TOO LARGE: page %d is %ldx%ld px, the display area %ldx%ld\n", pageId, own.right - own.left,
                        own.bottom - own.top, display.right - display.left, display.bottom - display.top);
        SetWindowPos(page, HWND_TOP, display.left, display.top, display.right - display.left,
                     display.bottom - display.top, SWP_SHOWWINDOW);
        TabCtrl_SetCurSel(tabs, tabIndexOf(pageId));
    }
    useCounterFont(main);
    SetWindowPos(main, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE);
    return main;
}

HWND showPage(int id, HWND& page) {
    HWND frame = CreateWindowExW(0, L"QucapPreviewFrame", L"", WS_POPUP | WS_BORDER, 0, 0, 100, 100, nullptr,
                                 nullptr, instance(), nullptr);
    page = CreateDialogParamW(instance(), MAKEINTRESOURCEW(id), frame, quietDialog, 0);
    if (!page) return nullptr;
    RECT r{};
    GetWindowRect(page, &r);
    RECT outer{0, 0, r.right - r.left, r.bottom - r.top};
    AdjustWindowRectEx(&outer, WS_POPUP | WS_BORDER, FALSE, 0);
    SetWindowPos(frame, HWND_TOP, 0, 0, outer.right - outer.left, outer.bottom - outer.top, 0);
    ShowWindow(page, SW_SHOW);
    return frame;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return 1;
    std::wstring kind = argv[1];
    prepareClasses();
    HWND window = nullptr, page = nullptr;
    const wchar_t* out = nullptr;
    int checked = 0;
    if (kind == L"main") {
        out = argv[2];
        int pageId = argc > 3 ? _wtoi(argv[3]) : 0;
        if (pageId && !templateExists(pageId)) return 2;
        window = showMain(pageId, page);
    } else if (argc >= 4 && (kind == L"page" || kind == L"dialog")) {
        int id = _wtoi(argv[2]);
        out = argv[3];
        if (!templateExists(id)) return 2;
        if (kind == L"page") {
            window = showPage(id, page);
        } else {
            window = CreateDialogParamW(instance(), MAKEINTRESOURCEW(id), nullptr, quietDialog, 0);
            if (window) {
                SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE);
                useCounterFont(window);
            }
        }
    } else {
        return 1;
    }
    if (!window) {
        std::printf("FAILED: the template could not be made (error %lu)\n", GetLastError());
        return 1;
    }
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    pump(600);
    if (kind == L"main") checked += checkControls(window, page);
    if (page) checked += checkControls(page, nullptr);
    if (kind == L"dialog") checked += checkControls(window, nullptr);
    std::printf("%d fault(s)\n", checked);
    bool saved = saveWindowShot(window, out);
    DestroyWindow(window);
    return saved ? 0 : 1;
}
