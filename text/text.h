#pragma once
// Texts are code page 936 (GBK) byte strings. Lengths, counts and positions are
// in bytes, positions counted from 1; a Chinese character is two bytes. An empty
// std::string is "no text": callers never need to tell the two apart.

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

int TextLength(std::string_view text);

// The first / last `count` bytes; the whole text when count exceeds its length,
// empty for a count of 0 or less. These count plain bytes and may split a
// double-byte character.
std::string TextLeft(std::string_view text, int count);
std::string TextRight(std::string_view text, int count);

// 1-based byte position of the last occurrence of `sought`, or -1. Only character
// starts are tried, so the trail byte of a double-byte character (which may be
// 0x5C, the backslash) is never matched on its own. With `start`, only
// occurrences lying wholly inside the first start - 1 bytes count. Ignoring case
// folds the ASCII letters only.
int FindTextReverse(std::string_view text, std::string_view sought,
                    std::optional<int> start, bool ignoreCase);

// All pieces in order, built with one allocation.
std::string ConcatText(std::initializer_list<std::string_view> pieces);

}  // namespace quorvane
