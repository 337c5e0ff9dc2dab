#pragma once
// One large block of zero bytes, shared by every overwrite and obtained once.

#include <cstdint>

namespace quorvane {

inline constexpr std::int32_t kZeroBlockSize = 1 << 20;

// Aligned to a page; null when the memory for it cannot be obtained, which is a
// failure of the overwrite, not the fatal path.
const unsigned char* SharedZeroBlock();

}  // namespace quorvane
