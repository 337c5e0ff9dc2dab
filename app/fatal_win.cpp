#include "app/fatal_win.h"

#include <windows.h>

#include <new>
#include <string>

#include "text/code_page_win.h"
#include "workflow/catalogue.h"

namespace quorvane {
namespace {

constexpr UINT kOutOfMemoryExitCode = static_cast<UINT>(-1);

// Converted at installation: once memory has run out, nothing may allocate.
std::wstring& OutOfMemoryText() {
    static std::wstring text;
    return text;
}

void OnOutOfMemory() {
    MessageBoxW(nullptr, OutOfMemoryText().c_str(), nullptr, MB_OK | MB_ICONERROR);
    ExitProcess(kOutOfMemoryExitCode);
}

}  // namespace

void InstallOutOfMemoryHandler() {
    OutOfMemoryText() = DisplayWideFromCp936(catalogue::kOutOfMemory);
    std::set_new_handler(&OnOutOfMemory);
}

}  // namespace quorvane
