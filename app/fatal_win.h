#pragma once

namespace quorvane {

// Running out of memory is the program's one fatal error: an error box with no
// owner, then exit code -1. Installed as the new handler at start-up.
void InstallOutOfMemoryHandler();

}  // namespace quorvane
