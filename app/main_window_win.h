#pragma once
// MainWindow: the one top-level window, its nine controls built from the window
// definition, and the routing of the controls' notifications to their events.

#include <windows.h>

#include <memory>

#include "app/app_icon_win.h"
#include "app/event_wiring.h"
#include "app/window_definition.h"
#include "controls/window_controls_win.h"

namespace quorvane {

class MainWindow {
  public:
    MainWindow(HINSTANCE instance, WindowControls& controls, EventWiring wiring);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Builds, shows and focuses the window; false when it could not be created.
    bool Create();
    HWND Handle() const { return window_; }

    // Looks at a message before it is dispatched; true when it was handled here
    // and must not reach its window.
    bool PreTranslate(const MSG& message);

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    bool CreateControls();
    void OnCommand(int id, int code);
    void OnActivate(bool active);
    LRESULT OnControlColour(HDC dc, HWND control);
    void FocusFirstTabStop();
    bool PreTranslateKey(const MSG& message);
    bool PreTranslatePress(const MSG& message);
    ControlState* StateOfWindow(HWND control);

    HINSTANCE instance_;
    WindowControls& controls_;
    EventWiring wiring_;
    AppIcons icons_;
    HWND window_ = nullptr;
    // The control that had the focus when the window was last deactivated.
    HWND lastFocus_ = nullptr;
};

}  // namespace quorvane
