#include "app/program_folder_win.h"

#include <windows.h>

#include <string>

namespace quorvane {
namespace {

// Long enough for any path GetModuleFileNameW can give without the \\?\ prefix.
constexpr DWORD kPathUnits = 32768;

}  // namespace

void EnterProgramFolder() {
    std::wstring path(kPathUnits, L'\0');
    DWORD length = GetModuleFileNameW(nullptr, path.data(), kPathUnits);
    if (length == 0 || length >= kPathUnits) {
        return;
    }
    path.resize(length);
    std::size_t slash = path.rfind(L'\\');
    if (slash == std::wstring::npos) {
        return;
    }
    path.resize(slash);
    // "C:" alone would mean the drive's current folder, not its root.
    if (path.size() == 2 && path[1] == L':') {
        path += L'\\';
    }
    SetCurrentDirectoryW(path.c_str());
}

}  // namespace quorvane
