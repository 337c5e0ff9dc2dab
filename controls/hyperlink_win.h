#pragma once
// The credit link: an owner-drawn static-like window that shows a caption in
// one of three colours (normal, hovered, visited) and opens its address when
// pressed: through the shell's "open" verb, and failing that through the command
// line registered for ".htm" web pages.

#include <windows.h>

#include <optional>
#include <string>

namespace quorvane {

enum class LinkKind { kEmail = 0, kWeb = 1 };

struct HyperlinkSettings {
    std::string caption;  // code page 936; empty shows the address itself
    LinkKind kind = LinkKind::kWeb;
    std::string emailAddress;
    std::string webAddress;
    COLORREF normalColour = RGB(0x00, 0xFF, 0x00);
    COLORREF visitedColour = RGB(0x00, 0xFF, 0x00);
    COLORREF hoverColour = RGB(0x00, 0x00, 0xFF);
    std::optional<COLORREF> background;  // none: the 3-D face colour
    HFONT font = nullptr;                 // none: the default GUI font
};

// The window class name of the link.
inline constexpr wchar_t kHyperlinkClass[] = L"QuorvaneHyperlink";

// Registers the class once per process (pointing-hand cursor, double clicks).
bool RegisterHyperlinkClass(HINSTANCE instance);

// A child window of `parent`, created hidden unless `style` holds WS_VISIBLE.
HWND CreateHyperlink(HWND parent, int id, const RECT& place, DWORD style,
                     const HyperlinkSettings& settings);

// State the tests and the window read back.
bool IsHyperlinkHovering(HWND link);
bool IsHyperlinkVisited(HWND link);

}  // namespace quorvane
