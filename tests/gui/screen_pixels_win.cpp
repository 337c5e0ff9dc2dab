#include "tests/gui/screen_pixels_win.h"

#include <cstdlib>

namespace quorvane::gui {
namespace {

// Each GDI object of the capture, released however the capture ends.
struct ScreenDc {
    HDC dc = GetDC(nullptr);
    ~ScreenDc() { ReleaseDC(nullptr, dc); }
};
struct MemoryDc {
    HDC dc;
    explicit MemoryDc(HDC like) : dc(CreateCompatibleDC(like)) {}
    ~MemoryDc() { DeleteDC(dc); }
};
struct Bitmap {
    HBITMAP bitmap = nullptr;
    ~Bitmap() { DeleteObject(bitmap); }
};

bool Near(COLORREF a, COLORREF b, int tolerance) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
           std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

}  // namespace

ScreenPixels ScreenPixels::OfWindow(HWND window) {
    ScreenPixels result;
    RECT place{};
    if (!GetWindowRect(window, &place)) {
        return result;
    }
    const int width = place.right - place.left;
    const int height = place.bottom - place.top;
    if (width <= 0 || height <= 0) {
        return result;
    }
    ScreenDc screen;
    MemoryDc memory(screen.dc);
    if (screen.dc == nullptr || memory.dc == nullptr) {
        return result;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    Bitmap bitmap;
    bitmap.bitmap = CreateDIBSection(screen.dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap.bitmap == nullptr) {
        return result;
    }
    HGDIOBJ previous = SelectObject(memory.dc, bitmap.bitmap);
    BOOL copied = BitBlt(memory.dc, 0, 0, width, height, screen.dc, place.left, place.top, SRCCOPY);
    SelectObject(memory.dc, previous);
    if (!copied) {
        return result;
    }
    const auto* row = static_cast<const DWORD*>(bits);
    result.pixels_.reserve(static_cast<std::size_t>(width) * height);
    for (int i = 0; i < width * height; ++i) {
        DWORD bgr = row[i];  // a DIB stores blue in the low byte
        result.pixels_.push_back(RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF));
    }
    return result;
}

std::size_t ScreenPixels::CountNear(COLORREF colour, int tolerance) const {
    std::size_t count = 0;
    for (COLORREF pixel : pixels_) {
        if (Near(pixel, colour, tolerance)) {
            ++count;
        }
    }
    return count;
}

}  // namespace quorvane::gui
