#pragma once
// The fallback way to open a link when the shell cannot: the command line that
// is registered for web pages, with the link's target put where the page's name
// goes. Pure byte logic on code page 936 texts, free of Win32, so that its limits
// can be tested anywhere.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

// Each registry value is read into a buffer of this many bytes, terminator
// included: a longer value counts as unreadable.
inline constexpr std::size_t kRegistryValueBytes = 260;

// The finished command line must fit this many bytes, terminator included.
inline constexpr std::size_t kCommandLineBytes = 520;

// Whether a value of `text.size()` bytes fits a buffer of `bufferBytes` with
// its terminator.
constexpr bool FitsBuffer(std::string_view text, std::size_t bufferBytes) {
    return text.size() < bufferBytes;
}

// The registered command up to the page's placeholder: cut before the first
// quoted "%1" (quotes included), or else before the first bare %1, or else the
// whole command when it names no placeholder.
std::string_view CutAtPlaceholder(std::string_view registeredCommand);

// The cut command, one blank and the target; no value when that does not fit
// kCommandLineBytes, so the caller never starts a truncated command.
std::optional<std::string> BuildFallbackCommandLine(std::string_view registeredCommand,
                                                    std::string_view target);

}  // namespace quorvane
