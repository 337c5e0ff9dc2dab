// Running out of memory: an error box with no owner, then exit code -1.

#include <gtest/gtest.h>

#include "tests/gui/program_driver_win.h"
#include "workflow/catalogue.h"

namespace quorvane::gui {
namespace {

constexpr DWORD kWatchdogSeconds = 30;
constexpr DWORD kWaitMs = 10000;
constexpr int kMessageText = 0xFFFF;

BOOL CALLBACK FindVisible(HWND window, LPARAM found) {
    if (IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

TEST(OutOfMemory, ShowsTheErrorBoxAndExitsWithMinusOne) {
    std::wstring path = ProgramPath();
    path = path.substr(0, path.rfind(L'\\'));
    path = path.substr(0, path.rfind(L'\\')) + L"\\tests\\gui\\out_of_memory_program.exe";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + path + L"\"";
    ASSERT_TRUE(CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                               nullptr, nullptr, &startup, &process))
        << GetLastError();
    Watchdog watchdog(process.hProcess, kWatchdogSeconds);

    HWND box = nullptr;
    ULONGLONG end = GetTickCount64() + kWaitMs;
    while (box == nullptr && GetTickCount64() < end) {
        EnumThreadWindows(process.dwThreadId, FindVisible, reinterpret_cast<LPARAM>(&box));
        Sleep(20);
    }
    ASSERT_NE(box, nullptr) << "no error box";
    EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
    wchar_t text[256] = {};
    GetDlgItemTextW(box, kMessageText, text, 256);
    EXPECT_EQ(Cp936(text), catalogue::kOutOfMemory);
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);

    ASSERT_EQ(WaitForSingleObject(process.hProcess, kWaitMs), WAIT_OBJECT_0);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    EXPECT_EQ(code, static_cast<DWORD>(-1));
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

}  // namespace
}  // namespace quorvane::gui
