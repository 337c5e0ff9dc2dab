// Start-up: the program's folder as the current directory, OLE, the main window
// and its message loop; at the end every file still open is closed untouched.

#include <windows.h>

#include <commctrl.h>

#include "app/event_wiring.h"
#include "app/fatal_win.h"
#include "app/main_window_win.h"
#include "app/message_loop_win.h"
#include "app/ole_session_win.h"
#include "app/program_folder_win.h"
#include "controls/window_controls_win.h"
#include "files/file_table.h"
#include "workflow/workflow.h"

namespace quorvane {
namespace {

constexpr int kExitCode = 0;

void RegisterCommonControls() {
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&classes);
}

void RunProgram(HINSTANCE instance) {
    RegisterCommonControls();
    WindowControls controls;
    Workflow workflow(controls);
    MainWindow window(instance, controls, WireWorkflow(workflow));
    if (window.Create()) {
        // OLE is first needed by a handler (the file dialog's shell), and no
        // handler runs before the loop: starting it here, once the window is
        // on the screen, lets the window appear that much sooner.
        OleSession ole;
        RunMessageLoop(window);
    }
    // A file loaded but not shredded is closed as it is.
    CloseAllFiles();
}

}  // namespace
}  // namespace quorvane

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    quorvane::InstallOutOfMemoryHandler();
    quorvane::EnterProgramFolder();
    quorvane::RunProgram(instance);
    return quorvane::kExitCode;
}
