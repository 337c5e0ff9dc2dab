#pragma once
#include <windows.h>

namespace quorvane {

enum class CycleDirection { kForward, kBackward };

// The next (or previous) control of the table after `current` that can take the
// focus by Tab: visible, enabled and a tab stop, wrapping around at either end.
// With no current control (or one outside the table) the search starts before
// the first, respectively after the last. Null when no control qualifies.
HWND NextTabStop(HWND mainWindow, HWND current, CycleDirection direction);

}  // namespace quorvane
