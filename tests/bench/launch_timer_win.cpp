// Start-up as the user sees it: from CreateProcessW to the first visible
// top-level window of the program. Prints the seconds and the peak working set
// in bytes at that moment, then closes the program.
//
// Usage: launch_timer EXE

#include <cstdio>

#include "tests/bench/child_program_win.h"
#include "tests/bench/wide_argument_win.h"

namespace {

constexpr double kWindowTimeoutSeconds = 30;
constexpr double kCloseTimeoutSeconds = 10;
constexpr int kUsageError = 2;
constexpr int kNotMeasured = 3;

}  // namespace

int main(int argc, char** argv) {
    using namespace quorvane::bench;
    if (argc != 2) {
        std::fprintf(stderr, "usage: launch_timer EXE\n");
        return kUsageError;
    }
    ChildProgram program;
    double started = SecondsNow();
    if (!program.Start(WideArgument(argv[1]))) {
        std::printf("not measured: cannot start %s (error %lu)\n", argv[1], GetLastError());
        return kNotMeasured;
    }
    HWND window = program.WaitForMainWindow(kWindowTimeoutSeconds);
    double shown = SecondsNow();
    if (window == nullptr) {
        std::printf("not measured: no visible window of %s\n", argv[1]);
        return kNotMeasured;
    }
    unsigned long long peak = program.PeakWorkingSet();
    if (!program.CloseAndWait(window, kCloseTimeoutSeconds)) {
        std::printf("not measured: %s did not end when closed\n", argv[1]);
        return kNotMeasured;
    }
    std::printf("%.6f %llu\n", shown - started, peak);
    return 0;
}
