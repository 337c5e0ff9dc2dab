#pragma once
// Real pointer input, through the system's own routing of the mouse to the
// window under it, as a person's hand would give it.

#include <windows.h>

namespace quorvane::gui {

// Moves the pointer to a point on the screen.
void MovePointerTo(POINT screen);
// The centre of a window, on the screen.
POINT CentreOf(HWND window);
// Presses and releases the left button where the pointer is, `clicks` times in
// quick succession (2: a double click).
void ClickLeftButton(int clicks);

}  // namespace quorvane::gui
