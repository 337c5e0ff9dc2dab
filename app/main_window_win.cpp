#include "app/main_window_win.h"

#include "app/centre_window_win.h"
#include "app/control_factory_win.h"
#include "app/focus_cycle_win.h"
#include "app/label_painting_win.h"
#include "controls/hyperlink_win.h"
#include "text/code_page_win.h"
#include "workflow/catalogue.h"

namespace quorvane {
namespace {

constexpr wchar_t kMainWindowClass[] = L"QuorvaneMainWindow";
// Fixed frame, caption with the system menu and close button only.
constexpr DWORD kMainWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr COLORREF kLogText = RGB(0x00, 0xFF, 0x00);

bool RegisterMainWindowClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    if (GetClassInfoExW(instance, kMainWindowClass, &windowClass)) {
        return true;
    }
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kMainWindowClass;
    return RegisterClassExW(&windowClass) != 0;
}

int HeldModifiers() {
    auto held = [](int key) { return (GetKeyState(key) & 0x8000) != 0; };
    int modifiers = 0;
    if (held(VK_CONTROL)) {
        modifiers += kModifierCtrl;
    }
    if (held(VK_SHIFT)) {
        modifiers += kModifierShift;
    }
    if (held(VK_MENU)) {
        modifiers += kModifierAlt;
    }
    return modifiers;
}

bool CanTakeFocusBack(HWND control) {
    return control != nullptr && IsWindow(control) && IsWindowVisible(control) &&
           IsWindowEnabled(control);
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, WindowControls& controls, EventWiring wiring)
    : instance_(instance), controls_(controls), wiring_(std::move(wiring)), icons_(instance) {}

MainWindow::~MainWindow() {
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
}

bool MainWindow::Create() {
    if (!RegisterMainWindowClass(instance_, &MainWindow::Procedure)) {
        return false;
    }
    const int width = kMainWindowDefinition.width;
    const int height = kMainWindowDefinition.height;
    POINT origin = CentredOnPrimaryScreen(width, height);
    std::wstring title = DisplayWideFromCp936(kMainWindowDefinition.title);
    HWND window = CreateWindowExW(0, kMainWindowClass, title.c_str(), kMainWindowStyle, origin.x,
                                  origin.y, width, height, nullptr, nullptr, instance_, this);
    if (window == nullptr) {
        return false;
    }
    RECT outer{};
    GetWindowRect(window, &outer);
    if (outer.left != origin.x || outer.top != origin.y || outer.right - outer.left != width ||
        outer.bottom - outer.top != height) {
        SetWindowPos(window, nullptr, origin.x, origin.y, width, height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icons_.Large()));
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icons_.Small()));
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
    if (!CreateControls()) {
        DestroyWindow(window);
        return false;
    }
    for (const ControlDefinition& control : kControlTable) {
        if (control.visible) {
            ShowWindow(controls_.State(control.name).window, SW_SHOWNA);
        }
    }
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    FocusFirstTabStop();
    return true;
}

bool MainWindow::CreateControls() {
    RegisterHyperlinkClass(instance_);
    for (const ControlDefinition& control : kControlTable) {
        HWND child = CreateControlWindow(window_, instance_, control);
        if (child == nullptr) {
            return false;
        }
        ControlState& state = controls_.State(control.name);
        state.window = child;
        state.disabled = control.disabled;
        state.onTextChanged = wiring_[control.name].textChanged;
        if (control.kind == ControlKind::EditBox) {
            state.edit.text = control.text;
        }
        if (control.kind == ControlKind::CommonDlg) {
            state.dialog.filter = catalogue::kAllFilesFilter;
        }
    }
    return true;
}

void MainWindow::FocusFirstTabStop() {
    HWND first = NextTabStop(window_, nullptr, CycleDirection::kForward);
    if (first != nullptr) {
        SetFocus(first);
    }
}

ControlState* MainWindow::StateOfWindow(HWND control) {
    if (control == nullptr || GetParent(control) != window_) {
        return nullptr;
    }
    const ControlDefinition* definition = FindDefinitionById(GetDlgCtrlID(control));
    if (definition == nullptr) {
        return nullptr;
    }
    return &controls_.State(definition->name);
}

bool MainWindow::PreTranslate(const MSG& message) {
    if (window_ == nullptr || (message.hwnd != window_ && !IsChild(window_, message.hwnd))) {
        return false;
    }
    switch (message.message) {
        case WM_KEYDOWN:
            return PreTranslateKey(message);
        case WM_SYSKEYDOWN:
            // With no control focused, plain keys reach the window as system keys.
            if (GetFocus() == nullptr && (GetKeyState(VK_MENU) & 0x8000) == 0) {
                return PreTranslateKey(message);
            }
            return false;
        case WM_LBUTTONDOWN:
            return PreTranslatePress(message);
        default:
            return false;
    }
}

bool MainWindow::PreTranslateKey(const MSG& message) {
    switch (message.wParam) {
        case VK_ESCAPE:
            // No control of this window claims Esc: it closes like the close button.
            SendMessageW(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
            return true;
        case VK_TAB: {
            if ((GetKeyState(VK_CONTROL) & 0x8000) != 0 || (GetKeyState(VK_MENU) & 0x8000) != 0) {
                return false;
            }
            bool backward = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
            HWND current = GetFocus();
            if (current == nullptr || current == window_) {
                current = lastFocus_;
            }
            HWND next = NextTabStop(
                window_, current, backward ? CycleDirection::kBackward : CycleDirection::kForward);
            if (next != nullptr) {
                SetFocus(next);
            }
            return true;
        }
        default:
            // Enter included: no default button, so it goes on to the focused control.
            return false;
    }
}

bool MainWindow::PreTranslatePress(const MSG& message) {
    ControlState* state = StateOfWindow(message.hwnd);
    if (state == nullptr) {
        return false;
    }
    const ControlDefinition* definition = FindDefinitionById(GetDlgCtrlID(message.hwnd));
    const PressHandler& handler = wiring_[definition->name].leftButtonPressed;
    if (!handler) {
        return false;
    }
    int x = LOWORD(message.lParam);
    int y = HIWORD(message.lParam);
    std::optional<bool> result = handler(x, y, HeldModifiers());
    // Only an explicit false keeps the press from the control.
    return result.has_value() && !*result;
}

void MainWindow::OnCommand(int id, int code) {
    const ControlDefinition* control = FindDefinitionById(id);
    if (control == nullptr) {
        return;
    }
    if (control->kind == ControlKind::Button && code == BN_CLICKED) {
        const auto& clicked = wiring_[control->name].clicked;
        if (clicked) {
            clicked();
        }
        return;
    }
    if (control->kind == ControlKind::EditBox && code == EN_CHANGE) {
        controls_.NotifyTextChanged(control->name);
    }
}

void MainWindow::OnActivate(bool active) {
    if (!active) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(window_, focus)) {
            lastFocus_ = focus;
        }
        return;
    }
    if (CanTakeFocusBack(lastFocus_)) {
        SetFocus(lastFocus_);
        return;
    }
    FocusFirstTabStop();
}

LRESULT MainWindow::OnControlColour(HDC dc, HWND control) {
    // The read-only log asks for the colours of a static control.
    if (control != controls_.State(ControlName::编辑框2).window) {
        return DefWindowProcW(window_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                              reinterpret_cast<LPARAM>(control));
    }
    SetTextColor(dc, kLogText);
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

LRESULT CALLBACK MainWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* self = static_cast<MainWindow*>(create->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->Handle(message, wParam, lParam);
}

LRESULT MainWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (lParam != 0) {
                OnCommand(LOWORD(wParam), HIWORD(wParam));
            }
            return 0;
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item->CtlType == ODT_STATIC) {
                PaintLabel(*item);
                return TRUE;
            }
            break;
        }
        case WM_CTLCOLORSTATIC:
            return OnControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_ACTIVATE:
            OnActivate(LOWORD(wParam) != WA_INACTIVE);
            return 0;
        case WM_DESTROY: {
            for (const ControlDefinition& control : kControlTable) {
                controls_.State(control.name).window = nullptr;
            }
            HWND window = window_;
            window_ = nullptr;
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            PostQuitMessage(0);
            return 0;
        }
        default:
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace quorvane
