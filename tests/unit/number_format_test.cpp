#include "text/number_format.h"

#include <gtest/gtest.h>

#include <limits>

namespace quorvane {
namespace {

struct NumberCase {
    double value;
    const char* grouped;
    const char* plain;
};

TEST(FormatNumber, WithoutDecimalsWritesUpToThirteenDigits) {
    const NumberCase cases[] = {
        {0, "0", "0"},
        {999, "999", "999"},
        {1000, "1,000", "1000"},
        {1234567, "1,234,567", "1234567"},
        {2147483647, "2,147,483,647", "2147483647"},
        {-1, "-1", "-1"},
        {-1234, "-1,234", "-1234"},
        {-123456, "-123,456", "-123456"},
        {1234.5, "1,234.5", "1234.5"},
        {1234567.891, "1,234,567.891", "1234567.891"},
        {1.0 / 3, "0.3333333333333", "0.3333333333333"},
        {100000, "100,000", "100000"},
        // The true length of a file of 2 GiB and more.
        {2147483649.0, "2,147,483,649", "2147483649"},
        // 13 significant digits, then exponent forms, which are never grouped.
        {1234567890123.0, "1,234,567,890,123", "1234567890123"},
        {12345678901234.0, "1.234567890123e+13", "1.234567890123e+13"},
        {0.00001, "1e-05", "1e-05"},
        {0.0001, "0.0001", "0.0001"},
        {std::numeric_limits<double>::infinity(), "inf", "inf"},
    };
    for (const NumberCase& c : cases) {
        SCOPED_TRACE(c.plain);
        EXPECT_EQ(FormatNumber(c.value, std::nullopt, true), c.grouped);
        EXPECT_EQ(FormatNumber(c.value, std::nullopt, false), c.plain);
    }
}

struct DecimalsCase {
    double value;
    int decimals;
    bool grouping;
    const char* expected;
};

TEST(FormatNumber, WithDecimalsRoundsHalfAwayFromZeroAndPads) {
    const DecimalsCase cases[] = {
        {1234.5, 2, false, "1234.50"},
        {1234.5, 2, true, "1,234.50"},
        {2.005, 2, false, "2.01"},
        {-2.005, 2, false, "-2.01"},
        {7, 2, false, "7.00"},
        {0, 2, false, "0.00"},
        {2.5, 0, false, "3"},
        {-2.5, 0, false, "-3"},
        {2.4, 0, false, "2"},
        {1234.5678, 1, true, "1,234.6"},
        {1250, -2, true, "1,300"},
        {1249, -2, false, "1200"},
        {-1250, -2, false, "-1300"},
    };
    for (const DecimalsCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << " to " << c.decimals);
        EXPECT_EQ(FormatNumber(c.value, c.decimals, c.grouping), c.expected);
    }
}

}  // namespace
}  // namespace quorvane
