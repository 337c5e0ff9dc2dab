#include "text/code_page_win.h"

#include <windows.h>

namespace quorvane {
namespace {

constexpr UINT kCodePage936 = 936;

std::optional<std::wstring> ToWide(std::string_view text, DWORD flags) {
    if (text.empty()) {
        return std::wstring();
    }
    int size = static_cast<int>(text.size());
    int needed = MultiByteToWideChar(kCodePage936, flags, text.data(), size, nullptr, 0);
    if (needed <= 0) {
        return std::nullopt;
    }
    std::wstring wide(needed, L'\0');
    MultiByteToWideChar(kCodePage936, flags, text.data(), size, wide.data(), needed);
    return wide;
}

}  // namespace

std::optional<std::wstring> WideFromCp936(std::string_view text) {
    return ToWide(text, MB_ERR_INVALID_CHARS);
}

std::wstring DisplayWideFromCp936(std::string_view text) { return ToWide(text, 0).value_or(L""); }

std::string Cp936FromWide(std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    int size = static_cast<int>(text.size());
    const char kDefaultChar[] = "?";
    int needed = WideCharToMultiByte(kCodePage936, WC_NO_BEST_FIT_CHARS, text.data(), size,
                                     nullptr, 0, kDefaultChar, nullptr);
    if (needed <= 0) {
        return {};
    }
    std::string narrow(needed, '\0');
    WideCharToMultiByte(kCodePage936, WC_NO_BEST_FIT_CHARS, text.data(), size, narrow.data(),
                        needed, kDefaultChar, nullptr);
    return narrow;
}

}  // namespace quorvane
