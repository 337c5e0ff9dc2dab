#pragma once
// What the display really shows inside a window: its pixels read back from the
// screen, for checks on colours that no window message reports.

#include <windows.h>

#include <cstddef>
#include <vector>

namespace quorvane::gui {

class ScreenPixels {
  public:
    // The window's rectangle as it is on the screen now; empty when it could
    // not be read.
    static ScreenPixels OfWindow(HWND window);

    bool empty() const { return pixels_.empty(); }
    std::size_t size() const { return pixels_.size(); }
    // Pixels within `tolerance` of `colour` in each of red, green and blue;
    // the tolerance lets anti-aliased edges of letters count.
    std::size_t CountNear(COLORREF colour, int tolerance) const;

  private:
    std::vector<COLORREF> pixels_;
};

}  // namespace quorvane::gui
