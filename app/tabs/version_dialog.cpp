#include "app/tabs/version_dialog.h"

#include <shellapi.h>

#include <string>

#include "app/core/main_window/main_layout.h"
#include "app/core/main_window/main_window_texts.h"
#include "app/main_window/app_state.h"
#include "app/main_window/dialog_placement.h"
#include "captiondata/io/ui.h"
#include "captiondata/project/project_keys.h"
#include "dshowbase/com_guard.h"
#include "resources/app/resource.h"
#include "win32/handles.h"
#include "win32/wide.h"

namespace qucap {
namespace {

// The rule under the program's name, in client pixels, and its colour.
constexpr int kRuleLeft = 77;
constexpr int kRuleRight = 182;
constexpr int kRuleY = 77;
constexpr COLORREF kBlue = 0xFF0000;  // blue as a colour reference (0x00BBGGRR)
constexpr int kBitmapSize = 32;

// "Version" becomes "Version 3.70".
void appendVersion(HWND dialog) {
    wchar_t text[64] = {};
    GetDlgItemTextW(dialog, IDC_VERSION_TEXT, text, 64);
    std::u16string version = reinterpret_cast<const char16_t*>(text);
    version += u" ";
    version += kProgramVersion;
    SetDlgItemTextW(dialog, IDC_VERSION_TEXT, wide(version));
}

// The program's bitmap at the top-left corner of the frame 1214.
void drawBitmap(HWND dialog, HDC dc) {
    const GdiObject<HBITMAP> bitmap(LoadBitmapW(programResources(), MAKEINTRESOURCEW(IDB_PROGRAM_BITMAP)));
    if (!bitmap) return;
    RECT frame{};
    GetWindowRect(GetDlgItem(dialog, IDC_VERSION_BITMAP), &frame);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&frame), 2);
    HDC memory = CreateCompatibleDC(dc);
    {
        const SelectedObject selected(memory, bitmap.get());
        BitBlt(dc, frame.left, frame.top, kBitmapSize, kBitmapSize, memory, 0, 0, SRCCOPY);
    }
    DeleteDC(memory);
}

// The 1-pixel blue rule; the program's shared pen when it exists.
void drawRule(HDC dc) {
    HPEN shared = app().drawing.bluePen.get();
    const GdiObject<HPEN> own(shared ? nullptr : CreatePen(PS_SOLID, 1, kBlue));
    const SelectedObject selected(dc, shared ? shared : own.get());
    MoveToEx(dc, kRuleLeft, kRuleY, nullptr);
    LineTo(dc, kRuleRight, kRuleY);
}

void paint(HWND dialog) {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(dialog, &paint);
    drawBitmap(dialog, dc);
    drawRule(dc);
    EndPaint(dialog, &paint);
}

void openMakerAddress(HWND dialog) {
    const std::u16string address(kMakerWebAddress);
    ShellExecuteW(dialog, L"open", wide(address), nullptr, nullptr, SW_SHOWNORMAL);
}

INT_PTR versionProcedureUnguarded(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The procedure the system calls: versionProcedureUnguarded, with no exception let through.
INT_PTR CALLBACK versionProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return guardWindowProc(kProgramTitle, INT_PTR(FALSE), [&] {
        return versionProcedureUnguarded(dialog, message, wParam, lParam);
    });
}

INT_PTR versionProcedureUnguarded(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            centreDialogOnScreen(dialog);
            showProgramIcon(dialog);
            appendVersion(dialog);
            return TRUE;
        case WM_PAINT: paint(dialog); return TRUE;
        case WM_CTLCOLORSTATIC:
            // The address in blue over the dialog's own face.
            if (GetDlgCtrlID(HWND(lParam)) != IDC_VERSION_ADDRESS) return FALSE;
            SetTextColor(HDC(wParam), kBlue);
            SetBkMode(HDC(wParam), TRANSPARENT);
            return INT_PTR(GetSysColorBrush(COLOR_3DFACE));
        case WM_SETCURSOR:
            if (HWND(wParam) != GetDlgItem(dialog, IDC_VERSION_ADDRESS)) return FALSE;
            SetCursor(LoadCursorW(nullptr, IDC_HAND));
            SetWindowLongPtrW(dialog, DWLP_MSGRESULT, TRUE);
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDC_VERSION_ADDRESS:
                    if (HIWORD(wParam) == STN_CLICKED) openMakerAddress(dialog);
                    return TRUE;
                case IDOK:
                case IDCANCEL: EndDialog(dialog, LOWORD(wParam)); return TRUE;
                default: return FALSE;
            }
        default: return FALSE;
    }
}

}  // namespace

void showVersion(HWND owner) {
    DialogBoxParamW(programResources(), MAKEINTRESOURCEW(IDD_VERSION), owner, versionProcedure, 0);
}

}  // namespace qucap
