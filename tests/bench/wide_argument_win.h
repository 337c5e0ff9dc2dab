#pragma once
// Command-line arguments of the drivers arrive in the ANSI code page; the
// programs they start and the texts they set take UTF-16.

#include <windows.h>

#include <string>

namespace quorvane::bench {

inline std::wstring WideArgument(const char* argument) {
    int length = MultiByteToWideChar(CP_ACP, 0, argument, -1, nullptr, 0);
    if (length <= 1) {
        return {};
    }
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, argument, -1, wide.data(), length);
    wide.resize(static_cast<size_t>(length - 1));
    return wide;
}

}  // namespace quorvane::bench
