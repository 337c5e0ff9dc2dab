#pragma once
// Opening a link's address: the shell's "open" verb first, and when the shell
// cannot, the command line registered for ".htm" web pages.

#include <optional>
#include <string>

#include "controls/hyperlink_win.h"

namespace quorvane {

// The web address for a web link, "mailto:" and the address for an e-mail
// link; no value when the address is empty.
std::optional<std::string> LinkTarget(const HyperlinkSettings& settings);

// The command line registered for ".htm" pages with `target` in place of the
// page; no value when a key cannot be read or the result does not fit.
std::optional<std::string> RegisteredWebPageCommand(const std::string& target);

// True when a program was started for the link's target.
bool OpenLinkTarget(const HyperlinkSettings& settings);

}  // namespace quorvane
