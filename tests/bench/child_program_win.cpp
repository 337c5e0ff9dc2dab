#include "tests/bench/child_program_win.h"

#include <psapi.h>

#include <vector>

namespace quorvane::bench {
namespace {

struct WindowSearch {
    DWORD processId;
    HWND found;
};

static BOOL CALLBACK TakeVisibleWindowOf(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window)) {
        return TRUE;
    }
    search->found = window;
    return FALSE;
}

}  // namespace

double SecondsNow() {
    LARGE_INTEGER frequency;
    LARGE_INTEGER counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

ChildProgram::~ChildProgram() {
    if (info_.hProcess == nullptr) {
        return;
    }
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(info_.hProcess, 1);
        WaitForSingleObject(info_.hProcess, INFINITE);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

bool ChildProgram::Start(const std::wstring& exePath) {
    // CreateProcessW may write into the command line, so it gets a copy it owns.
    std::wstring quoted = L"\"" + exePath + L"\"";
    std::vector<wchar_t> commandLine(quoted.begin(), quoted.end());
    commandLine.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    return CreateProcessW(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &info_) != FALSE;
}

HWND ChildProgram::WaitForMainWindow(double timeoutSeconds) const {
    WindowSearch search{info_.dwProcessId, nullptr};
    PollUntil(timeoutSeconds, [&] {
        EnumWindows(TakeVisibleWindowOf, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    });
    return search.found;
}

SIZE_T ChildProgram::PeakWorkingSet() const {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    if (!GetProcessMemoryInfo(info_.hProcess, &counters, sizeof(counters))) {
        return 0;
    }
    return counters.PeakWorkingSetSize;
}

bool ChildProgram::CloseAndWait(HWND mainWindow, double timeoutSeconds) {
    PostMessageW(mainWindow, WM_CLOSE, 0, 0);
    auto waitMs = static_cast<DWORD>(timeoutSeconds * 1000);
    return WaitForSingleObject(info_.hProcess, waitMs) == WAIT_OBJECT_0;
}

}  // namespace quorvane::bench
