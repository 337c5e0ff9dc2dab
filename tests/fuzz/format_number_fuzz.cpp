// FormatNumber for crashes and invariants: grouping only inserts commas in the
// right places, padding gives at least the asked decimals, and the text reads
// back as the value rounded to those decimals.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/fuzz_input.h"
#include "text/number_format.h"

namespace quorvane::fuzz {
namespace {

constexpr int kGroupSize = 3;
constexpr int kSignificantDigits = 13;
// Past this, value × 10^decimals no longer holds the rounding exactly enough to bound.
constexpr double kLargestCheckedScaled = 1e12;

std::string WithoutCommas(const std::string& text) {
    std::string plain;
    for (char c : text) {
        if (c != ',') {
            plain += c;
        }
    }
    return plain;
}

// Commas only left of the point, each followed by exactly three digits, and
// never right after the start or the sign.
bool WellGrouped(const std::string& text) {
    std::size_t start = (!text.empty() && text[0] == '-') ? 1 : 0;
    std::size_t point = text.find('.');
    std::size_t end = point == std::string::npos ? text.size() : point;
    int digitsSinceComma = 0;
    bool sawComma = false;
    for (std::size_t i = start; i < end; ++i) {
        if (text[i] == ',') {
            if (i == start || (sawComma && digitsSinceComma != kGroupSize)) {
                return false;
            }
            sawComma = true;
            digitsSinceComma = 0;
        } else {
            ++digitsSinceComma;
        }
    }
    if (sawComma && digitsSinceComma != kGroupSize) {
        return false;
    }
    // Grouping is complete: no run of four digits is left.
    return sawComma || end - start <= kGroupSize;
}

bool IsPlainDecimal(const std::string& text) {
    std::size_t start = (!text.empty() && text[0] == '-') ? 1 : 0;
    if (start == text.size()) {
        return false;
    }
    return text.find_first_not_of("0123456789.", start) == std::string::npos;
}

}  // namespace
}  // namespace quorvane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quorvane;
    using namespace quorvane::fuzz;

    FuzzInput input(data, size);
    double value = input.Double();
    std::optional<int> decimals;
    if (input.Byte() & 1) {
        decimals = input.Int16();
    }

    std::string plain = FormatNumber(value, decimals, false);
    std::string grouped = FormatNumber(value, decimals, true);
    std::string shown = decimals ? std::to_string(*decimals) : "left out";
    const char* d = shown.c_str();
    FUZZ_CHECK(WithoutCommas(grouped) == plain, "value %.17g, decimals %s: %s against %s", value, d,
               grouped.c_str(), plain.c_str());
    FUZZ_CHECK(plain.find(',') == std::string::npos, "ungrouped %s", plain.c_str());
    if (IsPlainDecimal(plain)) {
        FUZZ_CHECK(WellGrouped(grouped), "value %.17g grouped as %s", value, grouped.c_str());
    } else {
        FUZZ_CHECK(grouped == plain, "non-decimal %s grouped as %s", plain.c_str(),
                   grouped.c_str());
    }

    if (!decimals) {
        char expected[64];
        std::snprintf(expected, sizeof expected, "%.*g", kSignificantDigits, value);
        FUZZ_CHECK(plain == expected, "value %.17g gave %s, not %s", value, plain.c_str(),
                   expected);
        return 0;
    }

    if (*decimals > 0) {
        std::size_t point = plain.find('.');
        FUZZ_CHECK(point != std::string::npos && plain.size() - point - 1 >= std::size_t(*decimals),
                   "value %.17g to %d decimals gave %s", value, *decimals, plain.c_str());
    }
    // Rounded half away from zero: within half a unit of the last place, plus what
    // 13 significant digits and the rounding nudge may add.
    // (An exponent form, "4.6e-10" padded to "4.6e-10000000", does not read back.)
    if (IsPlainDecimal(plain) && *decimals >= 0 && *decimals <= 15 &&
        std::fabs(value) * std::pow(10.0, *decimals) < kLargestCheckedScaled) {
        double unit = std::pow(10.0, -*decimals);
        double back = std::strtod(plain.c_str(), nullptr);
        double slack = 1e-12 * std::fabs(value) + 1e-9 * unit;
        FUZZ_CHECK(std::fabs(back - value) <= unit / 2 + slack,
                   "value %.17g to %d decimals gave %s", value, *decimals, plain.c_str());
    }
    return 0;
}
