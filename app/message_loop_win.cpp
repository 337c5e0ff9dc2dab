#include "app/message_loop_win.h"

namespace quorvane {

void RunMessageLoop(MainWindow& window) {
    MSG message{};
    // GetMessageW gives 0 for the quit message and -1 on failure: both end the loop.
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (window.PreTranslate(message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace quorvane
