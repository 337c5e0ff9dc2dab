#include <algorithm>

#include "controls/window_controls_win.h"

#include <commctrl.h>

namespace quorvane {
namespace {

constexpr int kLowestPosition = 0;
constexpr int kHighestPosition = 32767;

}  // namespace

void WindowControls::SetProgress(ControlName progressBar, int position) {
    ControlState& state = State(progressBar);
    ProgressBarState& bar = state.progress;
    bar.position = std::clamp(position, kLowestPosition, kHighestPosition);
    int shown = std::max(bar.position, bar.lower);
    shown = std::min(shown, bar.upper);
    if (state.window == nullptr) {
        return;
    }
    SendMessageW(state.window, PBM_SETPOS, static_cast<WPARAM>(shown), 0);
    // The shred procedure sleeps between its steps without a message loop: the
    // bar must be drawn now, not at the next WM_PAINT.
    UpdateWindow(state.window);
}

}  // namespace quorvane
