// FindTextReverse against a plain reference: the character starts listed by one
// forward walk, and the last start whose occurrence lies wholly in the range.

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/fuzz_input.h"
#include "text/text.h"

namespace quorvane::fuzz {
namespace {

constexpr unsigned char kFirstLeadByte = 0x80;

// A byte of 0x80 or above starts a two-byte character; a lead byte right before
// the terminating NUL is still a start, and the walk ends there.
std::vector<std::size_t> CharacterStarts(const std::string& text) {
    std::vector<std::size_t> starts;
    std::size_t i = 0;
    while (i < text.size()) {
        starts.push_back(i);
        if (static_cast<unsigned char>(text[i]) < kFirstLeadByte) {
            i += 1;
        } else if (i + 1 < text.size()) {
            i += 2;
        } else {
            break;
        }
    }
    return starts;
}

unsigned char UpperAscii(unsigned char c) {
    return (c >= 'a' && c <= 'z') ? c - ('a' - 'A') : c;
}

bool SameBytes(const std::string& text, std::size_t at, const std::string& sought,
               bool ignoreCase) {
    for (std::size_t i = 0; i < sought.size(); ++i) {
        auto a = static_cast<unsigned char>(text[at + i]);
        auto b = static_cast<unsigned char>(sought[i]);
        if (ignoreCase) {
            a = UpperAscii(a);
            b = UpperAscii(b);
        }
        if (a != b) {
            return false;
        }
    }
    return true;
}

int ReferenceFind(const std::string& text, const std::string& sought, std::optional<int> start,
                  bool ignoreCase) {
    auto length = static_cast<std::int64_t>(text.size());
    std::int64_t range = length;
    if (start) {
        range = std::clamp<std::int64_t>(std::int64_t{*start} - 1, 0, length);
    }
    if (range == 0) {
        return -1;
    }
    if (sought.empty()) {
        return 1;
    }
    int found = -1;
    for (std::size_t at : CharacterStarts(text)) {
        if (static_cast<std::int64_t>(at + sought.size()) <= range &&
            SameBytes(text, at, sought, ignoreCase)) {
            found = static_cast<int>(at) + 1;
        }
    }
    return found;
}

}  // namespace
}  // namespace quorvane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quorvane;
    using namespace quorvane::fuzz;

    constexpr std::uint8_t kIgnoreCase = 1;
    constexpr std::uint8_t kStartGiven = 2;

    FuzzInput input(data, size);
    std::uint8_t flags = input.Byte();
    bool ignoreCase = flags & kIgnoreCase;
    std::optional<int> start;
    if (flags & kStartGiven) {
        start = input.Int32();
    }
    std::string sought = input.Text();
    std::string text = input.Text();

    int found = FindTextReverse(text, sought, start, ignoreCase);
    int expected = ReferenceFind(text, sought, start, ignoreCase);
    FUZZ_CHECK(found == expected, "text %s, sought %s, start %s%d, ignore case %d: %d, not %d",
               Hex(text).c_str(), Hex(sought).c_str(), start ? "" : "left out ", start.value_or(0),
               ignoreCase, found, expected);

    // Leaving the start out searches the whole text, as does any start past its end.
    if (!start) {
        int past = static_cast<int>(text.size()) + 1;
        FUZZ_CHECK(FindTextReverse(text, sought, past, ignoreCase) == found,
                   "start %d differs from no start on %s", past, Hex(text).c_str());
    }
    return 0;
}
