// Opens a file from a process other than the one holding it, which is the case
// the exclusive open exists for: another program reaching for the loaded file.
// Usage: files_open_probe PATH ACCESS, ACCESS in hexadecimal. The exit code is 0
// when the open succeeded, otherwise the system's error code.

#include <windows.h>

// After windows.h, which it needs.
#include <shellapi.h>

#include <cwchar>

namespace {

constexpr int kUsageError = 1000;
constexpr DWORD kShareEverything = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

}  // namespace

int main() {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments || count != 3) {
        return kUsageError;
    }
    DWORD access = static_cast<DWORD>(std::wcstoul(arguments[2], nullptr, 16));
    HANDLE handle = CreateFileW(arguments[1], access, kShareEverything, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD error = handle == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
    if (handle != INVALID_HANDLE_VALUE) {
        CloseHandle(handle);
    }
    LocalFree(arguments);
    return static_cast<int>(error);
}
