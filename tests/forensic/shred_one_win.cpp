// Shreds one file in the real program, as a user would, for tools/forensic-check:
// start quorvane.exe, choose the file in the open dialog, Shred, Yes, wait for
// the success line, close the window. Exits 0 only when the success line
// appeared, the program ended with code 0 and the file no longer exists.
// Usage: shred_one.exe QUORVANE_EXE FILE   (both as Windows paths)

#include <cstdio>
#include <string>

#include "app/resource_ids.h"
#include "tests/gui/program_driver_win.h"
#include "workflow/catalogue.h"

namespace quorvane::gui {
namespace {

// Covers the zero pass over the largest file of the check (64 MiB) with room
// for a loaded machine; the pauses of the procedure alone take 1.25 s.
constexpr DWORD kWatchdogSeconds = 90;
constexpr DWORD kStepMs = 15000;
constexpr DWORD kShredMs = 60000;
constexpr int kUsageError = 2;

int Fail(const ProgramDriver& program, const char* what) {
    std::fprintf(stderr, "shred_one: %s\n", what);
    if (program.Main() != nullptr) {
        std::fprintf(stderr, "log: %s\n", program.Text(program.Control(IDC_EDIT2)).c_str());
    }
    return 1;
}

int ShredOne(const std::wstring& exe, const std::wstring& path) {
    if (!FileExists(path)) {
        std::fprintf(stderr, "shred_one: the file does not exist before the shred\n");
        return 1;
    }
    ProgramDriver program(exe);
    if (program.Main() == nullptr) {
        return Fail(program, "the main window did not appear");
    }
    Watchdog watchdog(program.Process(), kWatchdogSeconds);
    auto log = [&] { return program.Text(program.Control(IDC_EDIT2)); };

    program.Click(IDC_BUTTON1);
    HWND dialog = program.WaitForFileDialog();
    if (dialog == nullptr) {
        return Fail(program, "no open-file dialog after Open");
    }
    program.ChooseInDialog(dialog, path);
    if (!program.WaitUntil([&] { return IsWindowEnabled(program.Control(IDC_BUTTON2)) != FALSE; },
                           kStepMs)) {
        return Fail(program, "the file was not loaded (Shred stayed disabled)");
    }

    program.Click(IDC_BUTTON2);
    HWND box = program.WaitForMessageBox();
    if (box == nullptr) {
        return Fail(program, "no confirmation box after Shred");
    }
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), 0);
    // The credit line is the last append of the procedure, so the outcome line
    // before it is final once it is there.
    if (!program.WaitUntil([&] { return log().ends_with(catalogue::kCreditLine); }, kShredMs)) {
        return Fail(program, "the shred did not finish");
    }
    if (log().find(catalogue::kSuccessLine) == std::string::npos) {
        return Fail(program, "the log has no success line");
    }
    // The path field is emptied after the closing pause, the procedure's last step.
    program.WaitUntil([&] { return program.Text(program.Control(IDC_EDIT1)).empty(); }, kStepMs);

    PostMessageW(program.Main(), WM_CLOSE, 0, 0);
    DWORD code = program.WaitForExit(kStepMs);
    if (code != 0) {
        std::fprintf(stderr, "shred_one: the program ended with code %lu\n", code);
        return 1;
    }
    if (FileExists(path)) {
        std::fprintf(stderr, "shred_one: the file still exists after the shred\n");
        return 1;
    }
    return 0;
}

}  // namespace
}  // namespace quorvane::gui

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: shred_one QUORVANE_EXE FILE\n");
        return quorvane::gui::kUsageError;
    }
    return quorvane::gui::ShredOne(argv[1], argv[2]);
}
