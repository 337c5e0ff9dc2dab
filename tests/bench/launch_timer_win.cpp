// Start-up as the user sees it: from CreateProcessW to the first visible
// top-level window of the program. Several programs are started in turn, RUNS
// times each, the order turning round from run to run, all from this one
// process: a driver started afresh for every figure would share the machine
// with its own start-up. Prints one line per start: the program's index, the
// seconds and the peak working set in bytes at that moment.
//
// Usage: launch_timer RUNS EXE...

#include <cstdio>
#include <cstdlib>

#include "tests/bench/child_program_win.h"
#include "tests/bench/wide_argument_win.h"

namespace {

constexpr double kWindowTimeoutSeconds = 30;
constexpr double kCloseTimeoutSeconds = 10;
// Lets the process closed last finish leaving before the next one is timed.
constexpr DWORD kSettleMs = 300;
constexpr int kUsageError = 2;
constexpr int kNotMeasured = 3;

// False, with the reason printed, when the start could not be measured.
bool TimeOneStart(int index, const char* exe) {
    using namespace quorvane::bench;
    ChildProgram program;
    double started = SecondsNow();
    if (!program.Start(WideArgument(exe))) {
        std::printf("not measured: cannot start %s (error %lu)\n", exe, GetLastError());
        return false;
    }
    HWND window = program.WaitForMainWindow(kWindowTimeoutSeconds);
    double shown = SecondsNow();
    if (window == nullptr) {
        std::printf("not measured: no visible window of %s\n", exe);
        return false;
    }
    unsigned long long peak = program.PeakWorkingSet();
    if (!program.CloseAndWait(window, kCloseTimeoutSeconds)) {
        std::printf("not measured: %s did not end when closed\n", exe);
        return false;
    }
    std::printf("%d %.6f %llu\n", index, shown - started, peak);
    std::fflush(stdout);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    int runs = argc >= 3 ? std::atoi(argv[1]) : 0;
    if (runs <= 0) {
        std::fprintf(stderr, "usage: launch_timer RUNS EXE...\n");
        return kUsageError;
    }
    int programs = argc - 2;
    for (int run = 0; run < runs; ++run) {
        for (int k = 0; k < programs; ++k) {
            int index = (run + k) % programs;
            Sleep(kSettleMs);
            if (!TimeOneStart(index, argv[2 + index])) {
                return kNotMeasured;
            }
        }
    }
    return 0;
}
