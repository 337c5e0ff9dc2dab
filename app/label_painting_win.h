#pragma once
#include <windows.h>

namespace quorvane {

// The owner-drawn label: black text, one line, vertically centred, drawn
// transparently over the button face, "&" as itself.
void PaintLabel(const DRAWITEMSTRUCT& item);

}  // namespace quorvane
