// The demonstration that ./run plays without a display of its own: one load and
// one shred of a sample file, stopping at each state for a screenshot.
// Usage: quorvane_demo.exe SAMPLE_PATH. Prints "<state> <geometry>" and waits for
// a line on its input before going on; the geometry is the window's outer
// rectangle in X geometry form (WxH+X+Y).

#include <cstdio>
#include <iostream>
#include <string>

#include "app/resource_ids.h"
#include "tests/gui/program_driver_win.h"
#include "workflow/catalogue.h"

namespace quorvane::gui {
namespace {

constexpr DWORD kWatchdogSeconds = 60;
constexpr DWORD kStepMs = 10000;

void Report(const ProgramDriver& program, const char* state) {
    RECT outer{};
    GetWindowRect(program.Main(), &outer);
    std::printf("%s %ldx%ld+%ld+%ld\n", state, outer.right - outer.left, outer.bottom - outer.top,
                outer.left, outer.top);
    std::fflush(stdout);
    std::string line;
    std::getline(std::cin, line);
}

int Demonstrate(const std::wstring& sample) {
    ProgramDriver program(ProgramPath());
    if (program.Main() == nullptr) {
        std::fprintf(stderr, "the main window did not appear\n");
        return 1;
    }
    Watchdog watchdog(program.Process(), kWatchdogSeconds);
    auto log = [&] { return program.Text(program.Control(IDC_EDIT2)); };
    Report(program, "idle");

    program.Click(IDC_BUTTON1);
    HWND dialog = program.WaitForFileDialog();
    if (dialog == nullptr) {
        std::fprintf(stderr, "no open-file dialog\n");
        return 1;
    }
    program.ChooseInDialog(dialog, sample);
    if (!program.WaitUntil([&] { return IsWindowEnabled(program.Control(IDC_BUTTON2)); },
                           kStepMs)) {
        std::fprintf(stderr, "the sample did not load\n");
        return 1;
    }
    Report(program, "loaded");

    program.Click(IDC_BUTTON2);
    HWND box = program.WaitForMessageBox();
    if (box == nullptr) {
        std::fprintf(stderr, "no confirmation box\n");
        return 1;
    }
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), 0);
    if (!program.WaitUntil([&] { return log().ends_with(catalogue::kCreditLine); }, kStepMs)) {
        std::fprintf(stderr, "the shred did not finish\n");
        return 1;
    }
    program.WaitUntil([&] { return program.Text(program.Control(IDC_EDIT1)).empty(); }, kStepMs);
    Report(program, "finished");

    PostMessageW(program.Main(), WM_CLOSE, 0, 0);
    DWORD code = program.WaitForExit(kStepMs);
    std::printf("closed %lu\n", code);
    return code == 0 ? 0 : 1;
}

}  // namespace
}  // namespace quorvane::gui

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: quorvane_demo SAMPLE_PATH\n");
        return 2;
    }
    return quorvane::gui::Demonstrate(argv[1]);
}
