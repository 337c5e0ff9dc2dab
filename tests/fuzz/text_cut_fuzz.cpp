// TextLeft, TextRight and ConcatText against byte-by-byte references. They count
// plain bytes, so a double-byte character may be cut and no character rule applies.

#include <cstdint>
#include <string>
#include <vector>

#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/fuzz_input.h"
#include "text/text.h"

namespace quorvane::fuzz {
namespace {

constexpr int kMostPieces = 5;

std::string ReferenceLeft(const std::string& text, std::int32_t count) {
    std::string left;
    for (std::size_t i = 0; i < text.size() && static_cast<std::int64_t>(i) < count; ++i) {
        left += text[i];
    }
    return left;
}

std::string ReferenceRight(const std::string& text, std::int32_t count) {
    std::string right;
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto fromEnd = static_cast<std::int64_t>(text.size() - i);
        if (fromEnd <= count) {
            right += text[i];
        }
    }
    return right;
}

std::string Concat(const std::vector<std::string>& p) {
    switch (p.size()) {
        case 1:
            return ConcatText({p[0]});
        case 2:
            return ConcatText({p[0], p[1]});
        case 3:
            return ConcatText({p[0], p[1], p[2]});
        case 4:
            return ConcatText({p[0], p[1], p[2], p[3]});
        default:
            return ConcatText({p[0], p[1], p[2], p[3], p[4]});
    }
}

}  // namespace
}  // namespace quorvane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quorvane;
    using namespace quorvane::fuzz;

    FuzzInput input(data, size);
    std::int32_t count = input.Int32();
    int pieceCount = 1 + input.Byte() % kMostPieces;
    std::vector<std::string> pieces;
    for (int i = 0; i < pieceCount; ++i) {
        pieces.push_back(input.Text());
    }
    const std::string& text = pieces[0];

    std::string left = TextLeft(text, count);
    std::string right = TextRight(text, count);
    FUZZ_CHECK(left == ReferenceLeft(text, count), "TextLeft(%s, %d) gave %s", Hex(text).c_str(),
               count, Hex(left).c_str());
    FUZZ_CHECK(right == ReferenceRight(text, count), "TextRight(%s, %d) gave %s", Hex(text).c_str(),
               count, Hex(right).c_str());
    FUZZ_CHECK(TextLength(text) == static_cast<int>(text.size()), "TextLength(%s)",
               Hex(text).c_str());

    // Cutting anywhere and joining the two sides gives the text back.
    int length = TextLength(text);
    int cut = length == 0 ? 0 : static_cast<int>(static_cast<std::uint32_t>(count) % (length + 1));
    std::string rejoined = ConcatText({TextLeft(text, cut), TextRight(text, length - cut)});
    FUZZ_CHECK(rejoined == text, "cut at %d of %s rejoined as %s", cut, Hex(text).c_str(),
               Hex(rejoined).c_str());

    std::string expected;
    for (const std::string& piece : pieces) {
        expected.append(piece.data(), piece.size());
    }
    std::string joined = Concat(pieces);
    FUZZ_CHECK(joined == expected, "ConcatText of %d pieces gave %s, not %s", pieceCount,
               Hex(joined).c_str(), Hex(expected).c_str());
    return 0;
}
