// Installs the program's out-of-memory handler and then asks for more memory
// than any process can have, so the test can watch the fatal path.

#include <windows.h>

#include <cstddef>
#include <limits>
#include <new>

#include "app/fatal_win.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    quorvane::InstallOutOfMemoryHandler();
    // Half the address space and more: refused in a 32-bit and a 64-bit process alike.
    constexpr std::size_t kMoreThanTheAddressSpace = std::numeric_limits<std::ptrdiff_t>::max() - 15;
    volatile char* block = new char[kMoreThanTheAddressSpace];
    block[0] = 1;
    return 0;
}
