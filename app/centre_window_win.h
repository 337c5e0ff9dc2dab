#pragma once
#include <windows.h>

namespace quorvane {

// The top-left corner that centres an outer size on the primary screen.
POINT CentredOnPrimaryScreen(int width, int height);

}  // namespace quorvane
