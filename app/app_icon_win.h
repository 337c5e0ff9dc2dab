#pragma once
// The application icon at the two sizes a window shows it: large for Alt+Tab
// and the taskbar, small for the title bar. Owned: destroyed with the object.

#include <windows.h>

namespace quorvane {

class AppIcons {
  public:
    explicit AppIcons(HINSTANCE instance);
    ~AppIcons();
    AppIcons(const AppIcons&) = delete;
    AppIcons& operator=(const AppIcons&) = delete;

    HICON Large() const { return large_; }
    HICON Small() const { return small_; }

  private:
    HICON large_ = nullptr;
    HICON small_ = nullptr;
};

}  // namespace quorvane
