#pragma once

namespace quorvane {

// Makes the folder that holds the program file the current directory, so that
// nothing depends on where the program was started from.
void EnterProgramFolder();

}  // namespace quorvane
