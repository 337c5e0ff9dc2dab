#pragma once
// The main window and its nine controls, as a fixed table read once when the
// window is built. Places are client coordinates of the main window; the
// window's own size is its outer size.

#include <array>

#include "workflow/controls.h"

namespace quorvane {

enum class ControlKind { Label, EditBox, Button, CommonDlg, ProcessBar, HyperLinker };

struct ControlDefinition {
    ControlName name;
    ControlKind kind;
    int id;
    int left;
    int top;
    int width;
    int height;
    const char* text;  // code page 936
    bool visible;
    bool disabled;
    bool tabStop;
};

struct WindowDefinition {
    const char* title;
    int width;
    int height;
};

extern const WindowDefinition kMainWindowDefinition;

// In creation order, which is also the Tab order.
extern const std::array<ControlDefinition, 9> kControlTable;

const ControlDefinition* FindDefinition(ControlName name);
const ControlDefinition* FindDefinitionById(int id);

}  // namespace quorvane
