#include "controls/hyperlink_open_win.h"

#include <shellapi.h>

#include <cwchar>

#include "controls/hyperlink_command_line.h"
#include "controls/system_function_win.h"
#include "text/code_page_win.h"

namespace quorvane {
namespace {

// ShellExecute and WinExec report success as a value above this.
constexpr INT_PTR kLastExecError = 32;

// WinExec waits this long for the started program to be ready for input.
constexpr DWORD kInputIdleWaitMs = 30000;

constexpr char kMailtoPrefix[] = "mailto:";
constexpr char kWebPageExtension[] = ".htm";
constexpr char kOpenCommandKey[] = "\\shell\\open\\command";

class Handle {
  public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() {
        if (handle_ != nullptr) {
            CloseHandle(handle_);
        }
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return handle_; }

  private:
    HANDLE handle_;
};

// The default value of a key under HKEY_CLASSES_ROOT as code page 936 text, as
// long as it fits a buffer of kRegistryValueBytes with its terminator.
std::optional<std::string> ReadClassesRootDefault(const std::string& subKey) {
    std::optional<std::wstring> wideKey = WideFromCp936(subKey);
    if (!wideKey) {
        return std::nullopt;
    }
    // Unexpanded, as the ANSI default-value read returns it.
    const DWORD flags = RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND;
    DWORD bytes = 0;
    if (RegGetValueW(HKEY_CLASSES_ROOT, wideKey->c_str(), nullptr, flags, nullptr, nullptr,
                     &bytes) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    if (RegGetValueW(HKEY_CLASSES_ROOT, wideKey->c_str(), nullptr, flags, nullptr, value.data(),
                     &bytes) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    value.resize(wcsnlen(value.c_str(), value.size()));
    std::string text = Cp936FromWide(value);
    if (!FitsBuffer(text, kRegistryValueBytes)) {
        return std::nullopt;
    }
    return text;
}

bool OpenThroughShell(const std::wstring& target) {
    static auto* const shellExecute =
        BindSystemFunction<decltype(ShellExecuteW)>(L"shell32.dll", "ShellExecuteW");
    if (shellExecute == nullptr) {
        return false;
    }
    auto result = reinterpret_cast<INT_PTR>(
        shellExecute(nullptr, L"open", target.c_str(), nullptr, nullptr, SW_SHOW));
    return result > kLastExecError;
}

// WinExec takes ANSI text only, so the command line is started the way WinExec
// starts it: CreateProcess with no application name (the program is the
// command's first token), shown with SW_SHOW, then a wait until the program is
// ready for input, bounded as WinExec bounds it.
bool StartCommandLine(const std::string& commandLine) {
    std::optional<std::wstring> wide = WideFromCp936(commandLine);
    if (!wide) {
        return false;
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, wide->data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started)) {
        return false;
    }
    Handle process(started.hProcess);
    Handle thread(started.hThread);
    WaitForInputIdle(process.get(), kInputIdleWaitMs);
    return true;
}

}  // namespace

std::optional<std::string> LinkTarget(const HyperlinkSettings& settings) {
    const std::string& address =
        settings.kind == LinkKind::kWeb ? settings.webAddress : settings.emailAddress;
    if (address.empty()) {
        return std::nullopt;
    }
    if (settings.kind == LinkKind::kWeb) {
        return address;
    }
    return kMailtoPrefix + address;
}

std::optional<std::string> RegisteredWebPageCommand(const std::string& target) {
    std::optional<std::string> pageClass = ReadClassesRootDefault(kWebPageExtension);
    if (!pageClass) {
        return std::nullopt;
    }
    std::optional<std::string> command = ReadClassesRootDefault(*pageClass + kOpenCommandKey);
    if (!command) {
        return std::nullopt;
    }
    return BuildFallbackCommandLine(*command, target);
}

bool OpenLinkTarget(const HyperlinkSettings& settings) {
    std::optional<std::string> target = LinkTarget(settings);
    if (!target) {
        return false;
    }
    std::optional<std::wstring> wideTarget = WideFromCp936(*target);
    if (wideTarget && OpenThroughShell(*wideTarget)) {
        return true;
    }
    std::optional<std::string> commandLine = RegisteredWebPageCommand(*target);
    return commandLine && StartCommandLine(*commandLine);
}

}  // namespace quorvane
