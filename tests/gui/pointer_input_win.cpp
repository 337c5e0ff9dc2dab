#include "tests/gui/pointer_input_win.h"

namespace quorvane::gui {
namespace {

void Send(DWORD flags, LONG dx = 0, LONG dy = 0) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = dx;
    input.mi.dy = dy;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof(input));
}

}  // namespace

void MovePointerTo(POINT screen) {
    // Absolute coordinates run from 0 to 65535 across the primary screen.
    const LONG width = GetSystemMetrics(SM_CXSCREEN);
    const LONG height = GetSystemMetrics(SM_CYSCREEN);
    Send(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, MulDiv(screen.x, 65535, width - 1),
         MulDiv(screen.y, 65535, height - 1));
}

POINT CentreOf(HWND window) {
    RECT place{};
    GetWindowRect(window, &place);
    return {(place.left + place.right) / 2, (place.top + place.bottom) / 2};
}

void ClickLeftButton(int clicks) {
    for (int i = 0; i < clicks; ++i) {
        Send(MOUSEEVENTF_LEFTDOWN);
        Send(MOUSEEVENTF_LEFTUP);
    }
}

}  // namespace quorvane::gui
