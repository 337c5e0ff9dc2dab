#pragma once
// A window's text as the program holds it (code page 936 bytes), and the
// mapping between byte positions in that text and the UTF-16 positions that a
// Unicode edit control counts in.

#include <windows.h>

#include <string>
#include <string_view>

namespace quorvane {

std::wstring WindowTextWide(HWND window);

// The length in code page 936 bytes of `text`.
int Cp936Length(std::wstring_view text);

// The UTF-16 index in `text` at which its first `bytePosition` code page 936
// bytes end. A position inside a double-byte character rounds up to its end;
// one past the end gives the end.
int WideIndexFromCp936Position(std::wstring_view text, int bytePosition);

}  // namespace quorvane
