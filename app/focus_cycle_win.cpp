#include "app/focus_cycle_win.h"

#include "app/window_definition.h"

namespace quorvane {
namespace {

bool TakesTabFocus(HWND control) {
    return control != nullptr && IsWindowVisible(control) && IsWindowEnabled(control) &&
           (GetWindowLongW(control, GWL_STYLE) & WS_TABSTOP) != 0;
}

}  // namespace

HWND NextTabStop(HWND mainWindow, HWND current, CycleDirection direction) {
    const int count = static_cast<int>(kControlTable.size());
    int position = direction == CycleDirection::kForward ? -1 : count;
    for (int i = 0; i < count; ++i) {
        if (current != nullptr && GetDlgItem(mainWindow, kControlTable[i].id) == current) {
            position = i;
        }
    }
    int step = direction == CycleDirection::kForward ? 1 : -1;
    for (int tried = 1; tried <= count; ++tried) {
        int index = ((position + step * tried) % count + count) % count;
        HWND candidate = GetDlgItem(mainWindow, kControlTable[index].id);
        if (TakesTabFocus(candidate)) {
            return candidate;
        }
    }
    return nullptr;
}

}  // namespace quorvane
