#pragma once
// A program started by a benchmark driver and watched from outside, as a user
// would see it: its process, its visible top-level window, its memory.

#include <windows.h>

#include <string>

namespace quorvane::bench {

// Seconds on a monotonic clock.
double SecondsNow();

class ChildProgram {
  public:
    ChildProgram() = default;
    ChildProgram(const ChildProgram&) = delete;
    ChildProgram& operator=(const ChildProgram&) = delete;
    // A program still running when the driver gives up is ended, so that a failed
    // run does not leave a window holding the benchmark file.
    ~ChildProgram();

    bool Start(const std::wstring& exePath);
    // The first visible top-level window of the process, or null after the timeout.
    HWND WaitForMainWindow(double timeoutSeconds) const;
    DWORD MainThreadId() const { return info_.dwThreadId; }
    // Bytes; 0 when the system does not say.
    SIZE_T PeakWorkingSet() const;
    // Closes the window as its close button would and waits for the process to end.
    bool CloseAndWait(HWND mainWindow, double timeoutSeconds);

  private:
    PROCESS_INFORMATION info_{};
};

// Polls `ready` every few milliseconds until it gives true or the timeout passes.
template <typename Ready>
bool PollUntil(double timeoutSeconds, Ready ready) {
    constexpr DWORD kPollMs = 2;
    double deadline = SecondsNow() + timeoutSeconds;
    while (!ready()) {
        if (SecondsNow() > deadline) {
            return false;
        }
        Sleep(kPollMs);
    }
    return true;
}

}  // namespace quorvane::bench
