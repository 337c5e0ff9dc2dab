#include "tests/gui/program_driver_win.h"

#include <cstdio>
#include <vector>

#include "text/code_page_win.h"

namespace quorvane::gui {
namespace {

constexpr DWORD kPollMs = 20;
constexpr DWORD kStartMs = 15000;
constexpr DWORD kWindowMs = 10000;
constexpr UINT kAnswerTimeoutMs = 2000;
constexpr int kFileNameBox = 0x47C;  // cmb13 of the Explorer-style dialog
constexpr wchar_t kMainWindowClass[] = L"QuorvaneMainWindow";

struct ThreadWindowSearch {
    HWND main;
    bool wantOwned;
    HWND found;
};

BOOL CALLBACK FindThreadWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<ThreadWindowSearch*>(parameter);
    if (window == search->main || !IsWindowVisible(window)) {
        return TRUE;
    }
    HWND owner = GetWindow(window, GW_OWNER);
    bool matches = search->wantOwned ? owner == search->main : owner == nullptr;
    if (matches) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindMainWindow(DWORD processId) {
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, kMainWindowClass, nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && IsWindowVisible(window)) {
            return window;
        }
    }
    return nullptr;
}

}  // namespace

Watchdog::Watchdog(HANDLE program, DWORD seconds)
    : program_(program),
      seconds_(seconds),
      stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      thread_(CreateThread(nullptr, 0, &Watchdog::Watch, this, 0, nullptr)) {}

DWORD WINAPI Watchdog::Watch(void* parameter) {
    auto* self = static_cast<Watchdog*>(parameter);
    if (WaitForSingleObject(self->stop_, self->seconds_ * 1000) == WAIT_OBJECT_0) {
        return 0;
    }
    std::fprintf(stderr, "watchdog: the test ran longer than %lu s\n", self->seconds_);
    std::fflush(stderr);
    TerminateProcess(self->program_, 1);
    ExitProcess(3);
}

Watchdog::~Watchdog() {
    SetEvent(stop_);
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    CloseHandle(stop_);
}

ProgramDriver::ProgramDriver(const std::wstring& exePath) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    std::wstring commandLine = L"\"" + exePath + L"\"";
    if (!CreateProcessW(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process_)) {
        return;
    }
    WaitUntil(
        [this] {
            main_ = FindMainWindow(process_.dwProcessId);
            return main_ != nullptr;
        },
        kStartMs);
}

ProgramDriver::~ProgramDriver() {
    if (process_.hProcess == nullptr) {
        return;
    }
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, kWindowMs);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

std::string ProgramDriver::Text(HWND window) const {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs,
                             &length)) {
        return "<no answer>";
    }
    std::vector<wchar_t> text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &copied)) {
        return "<no answer>";
    }
    return Cp936(std::wstring(text.data(), copied));
}

HWND ProgramDriver::Focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(process_.dwThreadId, &info)) {
        return nullptr;
    }
    return info.hwndFocus;
}

// The dialog is owned by the main window; the task-modal box has no owner.
HWND ProgramDriver::WaitForFileDialog() const { return WaitForThreadWindow(true); }

HWND ProgramDriver::WaitForMessageBox() const { return WaitForThreadWindow(false); }

HWND ProgramDriver::WaitForThreadWindow(bool ownedByMain) const {
    ThreadWindowSearch search{main_, ownedByMain, nullptr};
    WaitUntil(
        [&] {
            EnumThreadWindows(process_.dwThreadId, FindThreadWindow,
                              reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        kWindowMs);
    return search.found;
}

void ProgramDriver::ChooseInDialog(HWND dialog, const std::wstring& path) const {
    HWND box = GetDlgItem(dialog, kFileNameBox);
    SendMessageTimeoutW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()),
                        SMTO_ABORTIFHUNG, kAnswerTimeoutMs, nullptr);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

void ProgramDriver::Click(int id) const {
    PostMessageW(Control(id), BM_CLICK, 0, 0);
}

DWORD ProgramDriver::WaitForExit(DWORD milliseconds) const {
    if (WaitForSingleObject(process_.hProcess, milliseconds) != WAIT_OBJECT_0) {
        return STILL_ACTIVE;
    }
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

bool ProgramDriver::WaitUntil(const std::function<bool()>& condition, DWORD milliseconds) const {
    return WaitFor(condition, milliseconds);
}

bool WaitFor(const std::function<bool()>& condition, DWORD milliseconds) {
    ULONGLONG end = GetTickCount64() + milliseconds;
    while (!condition()) {
        if (GetTickCount64() > end) {
            return false;
        }
        Sleep(kPollMs);
    }
    return true;
}

void ProgramDriver::PressKeys(std::initializer_list<WORD> keys, bool shift) const {
    SetForegroundWindow(main_);
    WaitUntil([this] { return GetForegroundWindow() == main_; }, kWindowMs);
    auto key = [](WORD code, bool up) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = code;
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        SendInput(1, &input, sizeof(input));
    };
    for (WORD code : keys) {
        if (shift) {
            key(VK_SHIFT, false);
        }
        key(code, false);
        key(code, true);
        if (shift) {
            key(VK_SHIFT, true);
        }
        // Let the program take each stroke before the next one.
        Sleep(60);
    }
}

std::wstring ProgramPath() {
    std::string unixPath = QUORVANE_EXE;
    std::wstring path = L"Z:";
    for (char c : unixPath) {
        path += c == '/' ? L'\\' : static_cast<wchar_t>(c);
    }
    return path;
}

std::wstring MakeTemporaryFile(const std::wstring& name, const std::string& content) {
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    std::wstring path = std::wstring(folder) + L"qv" + std::to_wstring(GetCurrentProcessId()) +
                        L"_" + std::to_wstring(GetTickCount64()) + L"_" + name;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
        CloseHandle(file);
    }
    return path;
}

bool FileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadWholeFile(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return "<unreadable>";
    }
    std::string content;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0) {
        content.append(buffer, got);
    }
    CloseHandle(file);
    return content;
}

std::string Cp936(const std::wstring& text) {
    return Cp936FromWide(text);
}

void PressWithModifier(HWND window, WORD modifier, WORD key) {
    SetForegroundWindow(window);
    ULONGLONG end = GetTickCount64() + kWindowMs;
    while (GetForegroundWindow() != window && GetTickCount64() < end) {
        Sleep(kPollMs);
    }
    INPUT inputs[4] = {};
    const WORD codes[4] = {modifier, key, key, modifier};
    for (int i = 0; i < 4; ++i) {
        inputs[i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = codes[i];
        inputs[i].ki.dwFlags = i < 2 ? 0 : KEYEVENTF_KEYUP;
    }
    SendInput(4, inputs, sizeof(INPUT));
}

}  // namespace quorvane::gui
