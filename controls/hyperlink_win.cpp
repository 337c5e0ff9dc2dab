#include "controls/hyperlink_win.h"

#include <memory>

#include "app/resource_ids.h"
#include "controls/hyperlink_open_win.h"
#include "text/code_page_win.h"

namespace quorvane {
namespace {

// What the window keeps beside its platform window, reached through
// GWLP_USERDATA from creation (WM_NCCREATE) to destruction (WM_NCDESTROY).
struct Hyperlink {
    HyperlinkSettings settings;
    bool hovering = false;
    bool visited = false;
};

Hyperlink* LinkOf(HWND window) {
    return reinterpret_cast<Hyperlink*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// Restores the object a DC had before, so the caller's DC is left as found.
class SelectedObject {
  public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() { SelectObject(dc_, previous_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

class SolidBrush {
  public:
    explicit SolidBrush(COLORREF colour) : brush_(CreateSolidBrush(colour)) {}
    ~SolidBrush() {
        if (brush_ != nullptr) {
            DeleteObject(brush_);
        }
    }
    SolidBrush(const SolidBrush&) = delete;
    SolidBrush& operator=(const SolidBrush&) = delete;
    HBRUSH get() const { return brush_; }

  private:
    HBRUSH brush_;
};

// The text shown when the caption is empty: the address as a reader knows it,
// so an e-mail link shows no "mailto:".
const std::string& ShownText(const HyperlinkSettings& settings) {
    if (!settings.caption.empty()) {
        return settings.caption;
    }
    return settings.kind == LinkKind::kWeb ? settings.webAddress : settings.emailAddress;
}

COLORREF TextColour(const Hyperlink& link) {
    if (link.hovering) {
        return link.settings.hoverColour;
    }
    return link.visited ? link.settings.visitedColour : link.settings.normalColour;
}

void Paint(HWND window, HDC dc, const Hyperlink& link) {
    RECT client{};
    GetClientRect(window, &client);
    if (link.settings.background) {
        SolidBrush brush(*link.settings.background);
        FillRect(dc, &client, brush.get());
    } else {
        // A system colour brush is shared and must not be deleted.
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    }

    HFONT font = link.settings.font;
    if (font == nullptr) {
        font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }
    SelectedObject selectedFont(dc, font);
    int previousMode = SetBkMode(dc, TRANSPARENT);
    COLORREF previousColour = SetTextColor(dc, TextColour(link));
    std::wstring text = DisplayWideFromCp936(ShownText(link.settings));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &client,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
    SetTextColor(dc, previousColour);
    SetBkMode(dc, previousMode);
}

void OnPaint(HWND window, const Hyperlink& link) {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(window, &paint);
    if (dc != nullptr) {
        Paint(window, dc, link);
    }
    EndPaint(window, &paint);
}

// The capture keeps moves outside the control coming to it, which is the only
// way it learns that the pointer has left.
void OnMouseMove(HWND window, Hyperlink& link, LPARAM lParam) {
    if (!link.hovering) {
        link.hovering = true;
        InvalidateRect(window, nullptr, TRUE);
        SetCapture(window);
        return;
    }
    RECT client{};
    GetClientRect(window, &client);
    // Signed: with the capture, a pointer left of or above the control gives
    // negative coordinates.
    POINT pointer{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    if (!PtInRect(&client, pointer)) {
        link.hovering = false;
        ReleaseCapture();
        InvalidateRect(window, nullptr, TRUE);
        return;
    }
    if (GetCapture() != window) {
        SetCapture(window);
    }
}

void OnPress(HWND window, Hyperlink& link) {
    link.visited = OpenLinkTarget(link.settings);
    if (link.visited) {
        InvalidateRect(window, nullptr, TRUE);
        UpdateWindow(window);
    }
}

static LRESULT CALLBACK HyperlinkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        // From here on the window owns the object and frees it on WM_NCDESTROY.
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* owner = static_cast<std::unique_ptr<Hyperlink>*>(create->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner->release()));
        return DefWindowProcW(window, message, wParam, lParam);
    }
    Hyperlink* link = LinkOf(window);
    if (link == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    switch (message) {
        case WM_NCDESTROY:
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            delete link;
            return 0;
        case WM_ERASEBKGND:
            return 1;  // painting fills the whole control itself
        case WM_PAINT:
            OnPaint(window, *link);
            return 0;
        case WM_PRINTCLIENT:
            Paint(window, reinterpret_cast<HDC>(wParam), *link);
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove(window, *link, lParam);
            return 0;
        case WM_LBUTTONDOWN:
            OnPress(window, *link);
            return 0;
        case WM_LBUTTONDBLCLK:
            // The first press of the double click has already opened the address.
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

bool RegisterHyperlinkClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    if (GetClassInfoExW(instance, kHyperlinkClass, &windowClass)) {
        return true;
    }
    // The program's own hand has its hot spot at the fingertip; the system's
    // hand is the fallback for a module that carries none.
    HCURSOR hand = LoadCursorW(instance, MAKEINTRESOURCEW(IDC_HAND_POINTER));
    if (hand == nullptr) {
        hand = LoadCursorW(nullptr, IDC_HAND);
    }
    windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = HyperlinkProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = hand;
    windowClass.lpszClassName = kHyperlinkClass;
    return RegisterClassExW(&windowClass) != 0;
}

HWND CreateHyperlink(HWND parent, int id, const RECT& place, DWORD style,
                     const HyperlinkSettings& settings) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!RegisterHyperlinkClass(instance)) {
        return nullptr;
    }
    // Still owned here if creation failed before WM_NCCREATE took it.
    auto link = std::make_unique<Hyperlink>(Hyperlink{settings});
    return CreateWindowExW(0, kHyperlinkClass, L"", style | WS_CHILD, place.left, place.top,
                           place.right - place.left, place.bottom - place.top, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, &link);
}

bool IsHyperlinkHovering(HWND link) {
    const Hyperlink* state = LinkOf(link);
    return state != nullptr && state->hovering;
}

bool IsHyperlinkVisited(HWND link) {
    const Hyperlink* state = LinkOf(link);
    return state != nullptr && state->visited;
}

}  // namespace quorvane
