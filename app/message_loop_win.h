#pragma once
#include "app/main_window_win.h"

namespace quorvane {

// Runs until the quit message; every message first passes the main window's
// own key and mouse-press handling.
void RunMessageLoop(MainWindow& window);

}  // namespace quorvane
