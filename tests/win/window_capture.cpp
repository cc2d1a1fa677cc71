#include "tests/win/window_capture.h"

#include <algorithm>

#include "app/media/bmp_file.h"
#include "tests/win/temp_folder.h"

namespace qucap::test {

std::u16string screenshotFolder() {
    wchar_t folder[MAX_PATH] = {};
    if (!GetEnvironmentVariableW(L"QUCAP_SCREENSHOT_DIR", folder, MAX_PATH)) return {};
    return reinterpret_cast<const char16_t*>(folder);
}

bool captureWindow(HWND window, std::u16string_view name) {
    const std::u16string folder = screenshotFolder();
    if (folder.empty() || !window) return false;
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    RECT frame;
    GetWindowRect(window, &frame);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    RgbPicture picture{width, -height, 24, std::vector<uint8_t>(rgbRowBytes(width, 24) * std::size_t(height))};
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    // The window's own drawing: Wine's copy of the screen misses the lower
    // part of tall windows.
    HDC source = GetWindowDC(window);
    HDC memory = CreateCompatibleDC(source);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY);
    GdiFlush();
    std::copy_n(static_cast<const uint8_t*>(bits), picture.bytes.size(), picture.bytes.begin());
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, source);
    putFile(folder + u"\\" + std::u16string(name) + u".bmp", bmpFileBytes(picture));
    return true;
}

}  // namespace qucap::test
