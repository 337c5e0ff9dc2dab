#pragma once
#include <windows.h>

#include "app/window_definition.h"

namespace quorvane {

// The child window of one control of the table, hidden, at its place, with the
// styles of its kind; disabled when the table says so.
HWND CreateControlWindow(HWND parent, HINSTANCE instance, const ControlDefinition& control);

}  // namespace quorvane
