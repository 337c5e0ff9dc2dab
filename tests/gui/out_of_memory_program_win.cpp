// Installs the program's out-of-memory handler and then asks for more memory
// than a 32-bit process can have, so the test can watch the fatal path.

#include <windows.h>

#include <new>

#include "app/fatal_win.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    quorvane::InstallOutOfMemoryHandler();
    constexpr std::size_t kMoreThanTheAddressSpace = 0x7FFFFFF0;
    volatile char* block = new char[kMoreThanTheAddressSpace];
    block[0] = 1;
    return 0;
}
