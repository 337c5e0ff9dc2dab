#include "controls/system_function_win.h"

namespace quorvane {

FARPROC SystemFunction(const wchar_t* dll, const char* name) {
    // Never from the program's folder or the current directory, where a file
    // of the same name could be planted.
    HMODULE module = LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (module == nullptr) {
        return nullptr;
    }
    return GetProcAddress(module, name);
}

}  // namespace quorvane
