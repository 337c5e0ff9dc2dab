#pragma once
// Texts cross the Windows boundary as UTF-16, converted explicitly from and to
// code page 936, so that the program's GBK texts read the same on a Windows of
// any language, not only on one whose ANSI code page is 936.

#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

// Strict: a text that is not valid code page 936 gives no value, never a guess.
std::optional<std::wstring> WideFromCp936(std::string_view text);

// Lenient, for display texts: invalid bytes become U+FFFD.
std::wstring DisplayWideFromCp936(std::string_view text);

// Without best-fit mapping: a character that GBK cannot hold becomes '?', never a
// lookalike, so a converted path can never name some other existing file.
std::string Cp936FromWide(std::wstring_view text);

}  // namespace quorvane
