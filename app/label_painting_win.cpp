#include "app/label_painting_win.h"

#include "controls/window_text_win.h"

namespace quorvane {
namespace {

constexpr COLORREF kLabelText = RGB(0x00, 0x00, 0x00);

}  // namespace

void PaintLabel(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    RECT area = item.rcItem;
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    std::wstring text = WindowTextWide(item.hwndItem);
    int savedDc = SaveDC(dc);
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kLabelText);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area,
              DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    RestoreDC(dc, savedDc);
}

}  // namespace quorvane
