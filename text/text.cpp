#include "text/text.h"

#include <algorithm>

namespace quorvane {
namespace {

constexpr unsigned char kFirstLeadByte = 0x80;

bool IsLeadByte(char byte) { return static_cast<unsigned char>(byte) >= kFirstLeadByte; }

char FoldAsciiCase(char byte) { return (byte >= 'A' && byte <= 'Z') ? byte - 'A' + 'a' : byte; }

bool MatchesAt(std::string_view text, size_t at, std::string_view sought, bool ignoreCase) {
    for (size_t i = 0; i < sought.size(); ++i) {
        char a = text[at + i];
        char b = sought[i];
        if (ignoreCase ? FoldAsciiCase(a) != FoldAsciiCase(b) : a != b) {
            return false;
        }
    }
    return true;
}

}  // namespace

int TextLength(std::string_view text) { return static_cast<int>(text.size()); }

std::string TextLeft(std::string_view text, int count) {
    if (count <= 0) {
        return {};
    }
    return std::string(text.substr(0, std::min<size_t>(count, text.size())));
}

std::string TextRight(std::string_view text, int count) {
    if (count <= 0) {
        return {};
    }
    size_t n = std::min<size_t>(count, text.size());
    return std::string(text.substr(text.size() - n));
}

int FindTextReverse(std::string_view text, std::string_view sought, std::optional<int> start,
                    bool ignoreCase) {
    size_t range = text.size();
    if (start) {
        range = static_cast<size_t>(std::clamp<long long>(*start - 1LL, 0, range));
    }
    if (range == 0) {
        return -1;
    }
    if (sought.empty()) {
        return 1;
    }
    // One forward pass over character starts, remembering the latest match: a
    // backward scan could not tell a lead byte from a trail byte.
    int found = -1;
    size_t at = 0;
    while (at + sought.size() <= range) {
        if (MatchesAt(text, at, sought, ignoreCase)) {
            found = static_cast<int>(at) + 1;
        }
        if (IsLeadByte(text[at])) {
            if (at + 1 >= text.size()) {
                break;  // a lead byte with no trail byte ends the text
            }
            at += 2;
        } else {
            at += 1;
        }
    }
    return found;
}

std::string ConcatText(std::initializer_list<std::string_view> pieces) {
    size_t total = 0;
    for (std::string_view piece : pieces) {
        total += piece.size();
    }
    std::string joined;
    joined.reserve(total);
    for (std::string_view piece : pieces) {
        joined += piece;
    }
    return joined;
}

}  // namespace quorvane
