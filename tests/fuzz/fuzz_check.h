#pragma once
// A failed check prints what differed and aborts, which libFuzzer reports as a
// crash and saves the input that caused it.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace quorvane::fuzz {

// Bytes as hex pairs, for texts that are mostly not printable.
inline std::string Hex(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    for (unsigned char byte : bytes) {
        if (!hex.empty()) {
            hex += ' ';
        }
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 0xF];
    }
    return "[" + hex + "]";
}

}  // namespace quorvane::fuzz

#define FUZZ_CHECK(condition, ...)                                                               \
    do {                                                                                         \
        if (!(condition)) {                                                                      \
            std::fprintf(stderr, "%s:%d: check failed: %s\n  ", __FILE__, __LINE__, #condition); \
            std::fprintf(stderr, __VA_ARGS__);                                                   \
            std::fprintf(stderr, "\n");                                                          \
            std::abort();                                                                        \
        }                                                                                        \
    } while (false)
