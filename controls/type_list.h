#pragma once
// The open-file dialog's list of file types, built from a filter text of
// descriptions and patterns separated by vertical bars ("All files|*.*").

#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

// The double-NUL-terminated list that the dialog takes, in code page 936: white
// space cut from the end, "||" appended unless already there, then every bar a
// terminator. A bar is only a bar where it stands as a character of its own: the
// trail byte of a double-byte character may have the same value and is kept.
// An empty filter (or one of white space only) gives no list.
std::optional<std::string> TypeListFromFilter(std::string_view filter);

}  // namespace quorvane
