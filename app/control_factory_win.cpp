#include "app/control_factory_win.h"

#include <commctrl.h>

#include "controls/hyperlink_win.h"
#include "text/code_page_win.h"
#include "workflow/catalogue.h"

namespace quorvane {
namespace {

constexpr int kProgressLower = 0;
constexpr int kProgressUpper = 100;

struct KindStyle {
    const wchar_t* className;
    DWORD style;
    DWORD extendedStyle;
};

KindStyle StyleOf(const ControlDefinition& control) {
    switch (control.kind) {
        case ControlKind::Label:
            // Drawn by the main window: black text over the button face.
            return {L"STATIC", SS_OWNERDRAW, 0};
        case ControlKind::EditBox:
            if (control.name == ControlName::编辑框2) {
                // The log: wraps at its width, scrolls vertically only, read-only.
                return {L"EDIT", ES_LEFT | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY | WS_VSCROLL,
                        WS_EX_STATICEDGE};
            }
            return {L"EDIT", ES_LEFT | ES_AUTOHSCROLL, WS_EX_STATICEDGE};
        case ControlKind::Button:
            return {L"BUTTON", BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE, 0};
        case ControlKind::ProcessBar:
            // No PBS_SMOOTH: the classic bar of separate blocks.
            return {PROGRESS_CLASSW, 0, WS_EX_STATICEDGE};
        case ControlKind::CommonDlg:
            // Holds the dialog's settings only; never shown.
            return {L"STATIC", 0, 0};
        case ControlKind::HyperLinker:
            return {kHyperlinkClass, 0, 0};
    }
    return {L"STATIC", 0, 0};
}

HWND CreateLink(HWND parent, const ControlDefinition& control, DWORD style) {
    HyperlinkSettings settings;
    settings.caption = control.text;
    settings.kind = LinkKind::kWeb;
    settings.webAddress = catalogue::kLinkAddress;
    RECT place{control.left, control.top, control.left + control.width,
               control.top + control.height};
    return CreateHyperlink(parent, control.id, place, style, settings);
}

}  // namespace

HWND CreateControlWindow(HWND parent, HINSTANCE instance, const ControlDefinition& control) {
    KindStyle kind = StyleOf(control);
    DWORD style = WS_CHILD | kind.style;
    if (control.tabStop) {
        style |= WS_TABSTOP;
    }
    if (control.disabled) {
        style |= WS_DISABLED;
    }
    HWND window = nullptr;
    if (control.kind == ControlKind::HyperLinker) {
        window = CreateLink(parent, control, style);
    } else {
        std::wstring text = DisplayWideFromCp936(control.text);
        window = CreateWindowExW(kind.extendedStyle, kind.className, text.c_str(), style,
                                 control.left, control.top, control.width, control.height, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)),
                                 instance, nullptr);
    }
    if (window == nullptr) {
        return nullptr;
    }
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
    if (control.kind == ControlKind::ProcessBar) {
        SendMessageW(window, PBM_SETRANGE32, kProgressLower, kProgressUpper);
        SendMessageW(window, PBM_SETPOS, 0, 0);
    }
    return window;
}

}  // namespace quorvane
