#include "tests/e2e/e2e_support_win.h"

#include <atomic>
#include <functional>
#include <vector>

#include "app/resource_ids.h"
#include "workflow/catalogue.h"

namespace quorvane::e2e {
namespace {

constexpr DWORD kUnixCommandMs = 20000;

std::atomic<int> folderCount{0};

void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") {
                continue;
            }
            std::wstring path = folder + L"\\" + name;
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
                (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
                RemoveTree(path);
            } else {
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

}  // namespace

TestFolder::TestFolder() {
    wchar_t temporary[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temporary);
    path_ = std::wstring(temporary) + L"qve2e_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
            std::to_wstring(GetTickCount64()) + L"_" + std::to_wstring(++folderCount);
    CreateDirectoryW(path_.c_str(), nullptr);
}

TestFolder::~TestFolder() {
    RemoveTree(path_);
}

bool WriteNewFile(const std::wstring& path, const std::string& content) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    BOOL ok = content.empty() || WriteFile(file, content.data(), static_cast<DWORD>(content.size()),
                                           &written, nullptr);
    CloseHandle(file);
    return ok && written == content.size();
}

bool MakeFolder(const std::wstring& path) {
    return CreateDirectoryW(path.c_str(), nullptr) != FALSE;
}

std::optional<std::int64_t> LengthOf(const std::wstring& path) {
    // Attributes only: this open is no access to the content, so it works beside
    // the program's exclusive hold.
    HANDLE file = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, kShareEverything, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    LARGE_INTEGER size{};
    BOOL ok = GetFileSizeEx(file, &size);
    CloseHandle(file);
    if (!ok) {
        return std::nullopt;
    }
    return size.QuadPart;
}

bool IsFree(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    CloseHandle(file);
    return true;
}

std::string Repeated(const std::string& piece, std::size_t size) {
    std::string content;
    content.reserve(size);
    while (content.size() < size) {
        content += piece;
    }
    content.resize(size);
    return content;
}

std::optional<std::string> UnixPath(const std::wstring& path) {
    using ToUnix = char*(CDECL*)(LPCWSTR);
    auto toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (toUnix == nullptr) {
        return std::nullopt;
    }
    char* unix = toUnix(path.c_str());
    if (unix == nullptr) {
        return std::nullopt;
    }
    std::string result = unix;
    HeapFree(GetProcessHeap(), 0, unix);
    return result;
}

std::string ShellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

// Wine starts a Unix program through CreateProcess but gives no handle to wait
// on, so the command leaves its status in a file of the scratch folder, renamed
// into place only once complete.
std::optional<int> RunOnUnixSide(const std::string& command, const std::wstring& scratchFolder) {
    static std::atomic<int> runs{0};
    std::wstring marker = scratchFolder + L"\\unix_status_" + std::to_wstring(++runs);
    std::optional<std::string> unixMarker = UnixPath(marker);
    if (!unixMarker) {
        return std::nullopt;
    }
    std::string script = command + "; echo $? > " + ShellQuoted(*unixMarker + ".part") + "; mv " +
                         ShellQuoted(*unixMarker + ".part") + " " + ShellQuoted(*unixMarker);
    if (script.find('"') != std::string::npos || script.find('\\') != std::string::npos) {
        return std::nullopt;  // the command line below quotes with nothing else
    }
    std::wstring commandLine = L"sh -c \"";
    for (char c : script) {
        commandLine += static_cast<wchar_t>(static_cast<unsigned char>(c));
    }
    commandLine += L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(L"Z:\\bin\\sh", commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        return std::nullopt;
    }
    if (process.hThread != nullptr) {
        CloseHandle(process.hThread);
    }
    if (process.hProcess != nullptr) {
        CloseHandle(process.hProcess);
    }
    if (!gui::WaitFor([&] { return GetFileAttributesW(marker.c_str()) != INVALID_FILE_ATTRIBUTES; },
                 kUnixCommandMs)) {
        return std::nullopt;
    }
    std::string status = gui::ReadWholeFile(marker);
    DeleteFileW(marker.c_str());
    return std::atoi(status.c_str());
}

ProgramRun::ProgramRun()
    : program_(gui::ProgramPath()), watchdog_(program_.Process(), kWatchdogSeconds) {}

std::string ProgramRun::Log() const {
    return program_.Text(program_.Control(IDC_EDIT2));
}

std::string ProgramRun::PathField() const {
    return program_.Text(program_.Control(IDC_EDIT1));
}

bool ProgramRun::IsIdle() const {
    auto enabled = [this](int id) { return IsWindowEnabled(program_.Control(id)) != FALSE; };
    return enabled(IDC_BUTTON1) && enabled(IDC_EDIT1) && !enabled(IDC_BUTTON2) &&
           !enabled(IDC_BUTTON3);
}

bool ProgramRun::IsLoaded() const {
    auto enabled = [this](int id) { return IsWindowEnabled(program_.Control(id)) != FALSE; };
    return !enabled(IDC_BUTTON1) && !enabled(IDC_EDIT1) && enabled(IDC_BUTTON2) &&
           enabled(IDC_BUTTON3);
}

struct OwnedWindowSearch {
    HWND owner;
    HWND found;
};

BOOL CALLBACK FindOwnedWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<OwnedWindowSearch*>(parameter);
    if (IsWindowVisible(window) && GetWindow(window, GW_OWNER) == search->owner) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

ProgramRun::DialogEnd ProgramRun::ChooseInDialog(const std::wstring& path) {
    program_.Click(IDC_BUTTON1);
    HWND dialog = program_.WaitForFileDialog();
    if (dialog == nullptr) {
        return DialogEnd::kStuck;
    }
    program_.ChooseInDialog(dialog, path);
    OwnedWindowSearch complaint{dialog, nullptr};
    program_.WaitUntil(
        [&] {
            if (!IsWindow(dialog)) {
                return true;
            }
            EnumThreadWindows(program_.ThreadId(), FindOwnedWindow,
                              reinterpret_cast<LPARAM>(&complaint));
            return complaint.found != nullptr;
        },
        kStepMs);
    DialogEnd end = DialogEnd::kClosed;
    if (IsWindow(dialog)) {
        if (complaint.found == nullptr) {
            return DialogEnd::kStuck;
        }
        PostMessageW(complaint.found, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        program_.WaitUntil([&] { return !IsWindow(complaint.found); }, kStepMs);
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        if (!program_.WaitUntil([&] { return !IsWindow(dialog); }, kStepMs)) {
            return DialogEnd::kStuck;
        }
        end = DialogEnd::kRefusedByDialog;
    }
    // The handler goes on after the dialog; the program answers this only once
    // the handler has returned to the message loop.
    if (!program_.WaitUntil([&] { return Log() != "<no answer>"; }, kStepMs)) {
        return DialogEnd::kStuck;
    }
    return end;
}

bool ProgramRun::ConfirmShred() {
    program_.Click(IDC_BUTTON2);
    HWND box = program_.WaitForMessageBox();
    if (box == nullptr) {
        return false;
    }
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), 0);
    return true;
}

bool ProgramRun::WaitForShredEnd() {
    return program_.WaitUntil([&] { return Log().ends_with(catalogue::kCreditLine); },
                              kWatchdogSeconds * 1000);
}

std::string LoadLines(const std::wstring& path, const std::string& size) {
    std::string narrow = gui::Cp936(path);
    std::size_t slash = narrow.rfind('\\');
    return std::string(catalogue::kNameLinePrefix) + narrow.substr(slash + 1) + "\r\n" +
           catalogue::kDirectoryLinePrefix + narrow.substr(0, slash) + "\r\n" +
           catalogue::kSizeLinePrefix + size + catalogue::kSizeLineSuffix;
}

std::string ShredTail(bool success) {
    return std::string(success ? catalogue::kSuccessLine : catalogue::kFailureLine) +
           catalogue::kCreditLine;
}

}  // namespace quorvane::e2e
