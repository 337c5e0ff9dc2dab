#include "tests/hyperlink/test_support.h"

#include <cstdio>

#include "text/code_page_win.h"

namespace quorvane::testing {
namespace {

constexpr wchar_t kLogVariable[] = L"QUORVANE_RECORDER_LOG";
constexpr wchar_t kRecorderName[] = L"hyperlink_recorder.exe";
constexpr DWORD kRecorderWaitMs = 10000;
constexpr DWORD kPollMs = 50;
constexpr DWORD kSettleMs = 500;
constexpr DWORD kNothingStartedMs = 1500;
constexpr UINT kWatchdogExitCode = 99;
constexpr UINT kCrashExitCode = 98;
constexpr wchar_t kRegistryMutex[] = L"QuorvaneHyperlinkTestRegistry";

// A crash would otherwise start Wine's debugger, which waits for ever.
static LONG WINAPI EndOnCrash(EXCEPTION_POINTERS* exception) {
    std::fprintf(stderr, "crash: exception %08lx at %p\n",
                 static_cast<unsigned long>(exception->ExceptionRecord->ExceptionCode),
                 exception->ExceptionRecord->ExceptionAddress);
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), kCrashExitCode);
    return EXCEPTION_EXECUTE_HANDLER;
}

const bool kCrashHandlerInstalled = (SetUnhandledExceptionFilter(EndOnCrash), true);

bool KeyExists(const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

std::optional<std::wstring> ReadDefault(const std::wstring& path) {
    DWORD bytes = 0;
    if (RegGetValueW(HKEY_CLASSES_ROOT, path.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, nullptr,
                     &bytes) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    if (RegGetValueW(HKEY_CLASSES_ROOT, path.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value.data(),
                     &bytes) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    value.resize(wcsnlen(value.c_str(), value.size()));
    return value;
}

bool WriteDefault(const std::wstring& path, const std::wstring& value) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    LONG result =
        RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

std::wstring Wide(const std::string& utf8) {
    int needed =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(needed, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                        needed);
    return wide;
}

}  // namespace

Watchdog::Watchdog(DWORD milliseconds)
    : milliseconds_(milliseconds), done_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    thread_ = CreateThread(nullptr, 0, &Watchdog::Run, this, 0, nullptr);
}

Watchdog::~Watchdog() {
    SetEvent(done_);
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    CloseHandle(done_);
}

DWORD WINAPI Watchdog::Run(void* self) {
    auto* watchdog = static_cast<Watchdog*>(self);
    if (WaitForSingleObject(watchdog->done_, watchdog->milliseconds_) == WAIT_TIMEOUT) {
        std::fprintf(stderr, "watchdog: the test did not finish in %lu ms\n",
                     static_cast<unsigned long>(watchdog->milliseconds_));
        std::fflush(stderr);
        TerminateProcess(GetCurrentProcess(), kWatchdogExitCode);
    }
    return 0;
}

RegistryLock::RegistryLock() : mutex_(CreateMutexW(nullptr, FALSE, kRegistryMutex)) {
    // An abandoned mutex (a crashed holder) is owned all the same.
    WaitForSingleObject(mutex_, INFINITE);
}

RegistryLock::~RegistryLock() {
    ReleaseMutex(mutex_);
    CloseHandle(mutex_);
}

ScopedClassKey::ScopedClassKey(const std::wstring& subKey, const std::wstring& defaultValue)
    : path_(subKey) {
    // Remember the outermost key this guard creates, so one tree deletion
    // removes everything it added.
    for (size_t end = 0; end != std::wstring::npos;) {
        end = subKey.find(L'\\', end + 1);
        std::wstring prefix = subKey.substr(0, end);
        if (!KeyExists(prefix)) {
            createdTop_ = prefix;
            break;
        }
    }
    if (createdTop_.empty()) {
        previous_ = ReadDefault(path_);
    }
    ok_ = WriteDefault(path_, defaultValue);
}

ScopedClassKey::~ScopedClassKey() {
    if (!createdTop_.empty()) {
        RegDeleteTreeW(HKEY_CLASSES_ROOT, createdTop_.c_str());
        RegDeleteKeyW(HKEY_CLASSES_ROOT, createdTop_.c_str());
        return;
    }
    if (previous_) {
        WriteDefault(path_, *previous_);
        return;
    }
    RegDeleteKeyValueW(HKEY_CLASSES_ROOT, path_.c_str(), nullptr);
}

RecorderLog::RecorderLog() {
    wchar_t folder[MAX_PATH] = {};
    wchar_t file[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    GetTempFileNameW(folder, L"qvr", 0, file);  // creates it, empty
    path_ = file;
    SetEnvironmentVariableW(kLogVariable, path_.c_str());
}

RecorderLog::~RecorderLog() {
    SetEnvironmentVariableW(kLogVariable, nullptr);
    DeleteFileW(path_.c_str());
}

std::vector<std::wstring> RecorderLog::Lines() const {
    std::vector<std::wstring> lines;
    FILE* file = _wfopen(path_.c_str(), L"rb");
    if (file == nullptr) {
        return lines;
    }
    std::string content;
    char chunk[4096];
    for (size_t got; (got = std::fread(chunk, 1, sizeof(chunk), file)) > 0;) {
        content.append(chunk, got);
    }
    std::fclose(file);
    for (size_t start = 0, end; (end = content.find('\n', start)) != std::string::npos;
         start = end + 1) {
        lines.push_back(Wide(content.substr(start, end - start)));
    }
    return lines;
}

std::vector<std::wstring> RecorderLog::WaitForLines(size_t expected) const {
    for (DWORD waited = 0; waited < kRecorderWaitMs && Lines().size() < expected;
         waited += kPollMs) {
        Sleep(kPollMs);
    }
    Sleep(kSettleMs);
    return Lines();
}

std::vector<std::wstring> RecorderLog::LinesAfterAPause() const {
    Sleep(kNothingStartedMs);
    return Lines();
}

std::wstring RecorderPath() {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path = self;
    return path.substr(0, path.rfind(L'\\') + 1) + kRecorderName;
}

std::string Gbk(const std::wstring& text) {
    return Cp936FromWide(text);
}

}  // namespace quorvane::testing
