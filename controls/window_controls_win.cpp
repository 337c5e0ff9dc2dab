#include "controls/window_controls_win.h"

#include <algorithm>

namespace quorvane {

void WindowControls::SetDisabled(ControlName control, bool disabled) {
    ControlState& state = State(control);
    state.disabled = disabled;
    if (state.window != nullptr) {
        EnableWindow(state.window, disabled ? FALSE : TRUE);
    }
}

std::string WindowControls::FileName(ControlName commonDialog) {
    return State(commonDialog).dialog.fileName;
}

void WindowControls::Pause(int milliseconds) {
    // No message loop on purpose: the window takes no input while the shred runs.
    Sleep(static_cast<DWORD>(std::max(milliseconds, 0)));
}

}  // namespace quorvane
