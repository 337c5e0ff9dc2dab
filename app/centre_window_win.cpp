#include "app/centre_window_win.h"

namespace quorvane {

POINT CentredOnPrimaryScreen(int width, int height) {
    // The whole primary display, taskbar included, not its work area.
    int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    return POINT{(screenWidth - width) / 2, (screenHeight - height) / 2};
}

}  // namespace quorvane
