// Stands in for a browser or mail program: appends its own command line, as
// UTF-8 and one line per start, to the file named by QUORVANE_RECORDER_LOG, so a
// test can see how often and with what a link's target was opened.

#include <windows.h>

#include <string>

namespace {

constexpr wchar_t kLogVariable[] = L"QUORVANE_RECORDER_LOG";
constexpr DWORD kPathChars = 32768;

std::string Utf8(const wchar_t* text) {
    int needed = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (needed <= 1) {
        return {};
    }
    std::string utf8(needed, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), needed, nullptr, nullptr);
    utf8.resize(needed - 1);
    return utf8;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    std::wstring logPath(kPathChars, L'\0');
    DWORD length = GetEnvironmentVariableW(kLogVariable, logPath.data(), kPathChars);
    if (length == 0 || length >= kPathChars) {
        return 1;
    }
    logPath.resize(length);
    HANDLE log = CreateFileW(logPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE) {
        return 2;
    }
    std::string line = Utf8(GetCommandLineW()) + "\n";
    DWORD written = 0;
    BOOL ok = WriteFile(log, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(log);
    return ok && written == line.size() ? 0 : 3;
}
