#pragma once
// Functions of system DLLs that only one command needs (the open-file dialog,
// the credit link's browser start), bound at their first use. Importing them
// would load those DLLs, and all that they load in turn, at every start of the
// program, before its window can appear.

#include <windows.h>

namespace quorvane {

// The function `name` of the system DLL `dll`, loaded from the system folder
// only and kept loaded; nullptr when either cannot be had.
FARPROC SystemFunction(const wchar_t* dll, const char* name);

template <typename Function>
Function* BindSystemFunction(const wchar_t* dll, const char* name) {
    return reinterpret_cast<Function*>(reinterpret_cast<void*>(SystemFunction(dll, name)));
}

}  // namespace quorvane
