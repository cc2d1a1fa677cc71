#include "app/tabs/timing_strip_window.h"

#include <windowsx.h>

#include <vector>

#include "app/core/main_window/main_window_texts.h"
#include "app/main_window/app_state.h"
#include "app/preview/preview.h"
#include "app/tabs/timeline_page.h"
#include "app/timing/timing_strip.h"
#include "captiondata/text/u16.h"
#include "dshowbase/com_guard.h"
#include "win32/wide.h"

namespace qucap {
namespace {

constexpr COLORREF kBackground = RGB(255, 255, 255);
constexpr COLORREF kWave = RGB(150, 150, 150);
constexpr COLORREF kRowFill = RGB(205, 222, 255);
constexpr COLORREF kRowEdge = RGB(40, 70, 160);
constexpr COLORREF kCut = RGB(220, 0, 0);
constexpr COLORREF kPlayhead = RGB(0, 0, 0);

// The wave takes the top three fifths, the rows the rest.
int waveBottom(int height) { return height * 3 / 5; }

void fill(HDC dc, const RECT& rect, COLORREF colour) {
    SetBkColor(dc, colour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

void paintPicture(HDC dc, const RECT& client, const StripPicture& picture) {
    const int height = client.bottom, bottom = waveBottom(height), middle = bottom / 2;
    fill(dc, client, kBackground);
    for (std::size_t x = 0; x < picture.loudness.size(); ++x) {
        const int reach = int(picture.loudness[x] * (middle - 1) / std::max<int>(picture.loudest, 1));
        fill(dc, {int(x), middle - reach, int(x) + 1, middle + reach + 1}, kWave);
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kRowEdge);
    for (const StripRow& row : picture.rows) {
        RECT span{row.left, bottom + 1, std::max(row.right, row.left + 1), height - 1};
        fill(dc, span, kRowEdge);
        InflateRect(&span, -1, -1);
        if (span.right > span.left) fill(dc, span, kRowFill);
        const std::u16string number = toDecimal(row.number);
        DrawTextW(dc, wide(number), int(number.size()), &span, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOCLIP);
    }
    for (const int x : picture.cuts) fill(dc, {x, 0, x + 1, height}, kCut);
    fill(dc, {picture.playhead - 1, 0, picture.playhead + 1, height}, kPlayhead);
}

StripPicture pictureFor(HWND strip, int width) {
    const AppState& state = app();
    StripView view;
    view.width = std::max(1, width);
    view.spanMs = timingStripSpan(strip);
    view.centreMs = state.playState == PlayState::NoMedia ? 0 : previewPosition().currentTimeMs();
    const std::vector<int64_t> none;
    return stripPicture(view, state.soundPeaks ? &*state.soundPeaks : nullptr, state.cuts ? state.cuts->cuts : none,
                        state.cuts ? state.cuts->frameDuration : 0, state.captions.captionTable());
}

// Painted into a bitmap first, so a redraw during playback does not flicker.
void paint(HWND strip) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(strip, &ps);
    RECT client;
    GetClientRect(strip, &client);
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
    if (memory && bitmap) {
        HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
        HGDIOBJ oldFont = SelectObject(memory, HGDIOBJ(SendMessageW(GetParent(strip), WM_GETFONT, 0, 0)));
        paintPicture(memory, client, pictureFor(strip, client.right));
        BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
        SelectObject(memory, oldFont);
        SelectObject(memory, oldBitmap);
    }
    if (bitmap) DeleteObject(bitmap);
    if (memory) DeleteDC(memory);
    EndPaint(strip, &ps);
}

void clicked(HWND strip, int x, WPARAM keys) {
    RECT client;
    GetClientRect(strip, &client);
    StripView view;
    view.width = std::max(1, int(client.right));
    view.spanMs = timingStripSpan(strip);
    view.centreMs = app().playState == PlayState::NoMedia ? 0 : previewPosition().currentTimeMs();
    const StripClick click = keys & MK_SHIFT     ? StripClick::SetStart
                             : keys & MK_CONTROL ? StripClick::SetEnd
                                                 : StripClick::Seek;
    timelineStripClicked(click, std::max<int64_t>(0, view.msAt(x)));
}

LRESULT stripProcedureUnguarded(HWND strip, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: paint(strip); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_LBUTTONDOWN:
            SetFocus(strip);
            clicked(strip, GET_X_LPARAM(lParam), wParam);
            return 0;
        case WM_MOUSEWHEEL:
            SetWindowLongPtrW(strip, GWLP_USERDATA,
                              LONG_PTR(zoomedSpan(timingStripSpan(strip), GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA)));
            InvalidateRect(strip, nullptr, FALSE);
            return 0;
        default: return DefWindowProcW(strip, message, wParam, lParam);
    }
}

LRESULT CALLBACK stripProcedure(HWND strip, UINT message, WPARAM wParam, LPARAM lParam) {
    return guardWindowProc(kProgramTitle, LRESULT(0), [&] { return stripProcedureUnguarded(strip, message, wParam, lParam); });
}

}  // namespace

bool registerTimingStripClass(HINSTANCE instance) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = stripProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kTimingStripClass;
    return RegisterClassW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

int64_t timingStripSpan(HWND strip) {
    const auto span = int64_t(GetWindowLongPtrW(strip, GWLP_USERDATA));
    return span > 0 ? span : kStripSpanMs;
}

}  // namespace qucap
