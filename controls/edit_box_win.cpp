// The edit box operations. The windows are Unicode edit controls: texts go in
// and out as UTF-16, converted from and to the code page 936 bytes the program
// holds, and the program's byte positions are mapped onto UTF-16 positions.

#include "controls/window_controls_win.h"
#include "controls/window_text_win.h"
#include "text/code_page_win.h"

namespace quorvane {
namespace {

void SelectAndShow(HWND edit, int start, int end) {
    SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
    SendMessageW(edit, EM_SCROLLCARET, 0, 0);
}

}  // namespace

void WindowControls::RaiseTextChanged(ControlState& state) {
    if (state.onTextChanged) {
        state.onTextChanged();
    }
}

void WindowControls::NotifyTextChanged(ControlName editBox) {
    ControlState& state = State(editBox);
    if (state.edit.textWriteFlag) {
        return;
    }
    if (state.edit.appending) {
        // One append is one change, however many notifications the window sends.
        if (state.edit.appendNotified) {
            return;
        }
        state.edit.appendNotified = true;
    }
    RaiseTextChanged(state);
}

void WindowControls::SetText(ControlName editBox, std::string_view text) {
    ControlState& state = State(editBox);
    state.edit.textWriteFlag = true;
    state.edit.text = std::string(text);
    if (state.window != nullptr) {
        SetWindowTextW(state.window, DisplayWideFromCp936(text).c_str());
    }
    state.edit.textWriteFlag = false;
    RaiseTextChanged(state);
}

void WindowControls::SetSelectionStart(ControlName editBox, int position) {
    ControlState& state = State(editBox);
    constexpr int kEnd = -1;
    std::wstring shown = state.window != nullptr ? WindowTextWide(state.window) : std::wstring();
    if (position == kEnd) {
        state.edit.selectionStart = Cp936Length(shown);
        state.edit.selectionLength = 0;
    } else {
        state.edit.selectionStart = position < 0 ? 0 : position;
    }
    if (state.window == nullptr) {
        return;
    }
    int start = WideIndexFromCp936Position(shown, state.edit.selectionStart);
    int end =
        WideIndexFromCp936Position(shown, state.edit.selectionStart + state.edit.selectionLength);
    SelectAndShow(state.window, start, end);
}

void WindowControls::AppendText(ControlName editBox, std::string_view text) {
    ControlState& state = State(editBox);
    if (state.window == nullptr) {
        return;
    }
    // The end of the shown text, in the window's own UTF-16 positions.
    int end = GetWindowTextLengthW(state.window);
    SelectAndShow(state.window, end, end);

    state.edit.appending = true;
    state.edit.appendNotified = false;
    std::wstring wide = DisplayWideFromCp936(text);
    constexpr WPARAM kCannotUndo = FALSE;
    // The window sends EN_CHANGE to its parent from inside this call, so the
    // text changed handler runs before the replacement returns.
    SendMessageW(state.window, EM_REPLACESEL, kCannotUndo, reinterpret_cast<LPARAM>(wide.c_str()));
    bool notified = state.edit.appendNotified;
    state.edit.appending = false;
    if (!notified) {
        RaiseTextChanged(state);
    }
}

}  // namespace quorvane
