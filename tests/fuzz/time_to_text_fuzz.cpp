// TimeToText and its fields against a naive calendar: days counted one by one
// from 30 December 1899 (year by year, then month by month), the time of day
// rounded to the nearest second on one continuous time line. The texts' unit
// words are not compared (a clang build holds them as UTF-8): only the numbers
// between them and which of them are present.

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/fuzz_input.h"
#include "text/date_time.h"

namespace quorvane::fuzz {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
constexpr int kEpochYear = 1899;

bool IsLeap(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

int DaysInYear(int year) {
    return IsLeap(year) ? 366 : 365;
}

// Day 0 is 30 December 1899; days may be negative.
CivilTime CivilFromDay(std::int64_t day) {
    // Count from 1 January 1900, which is day 2.
    std::int64_t left = day - 2;
    int year = kEpochYear + 1;
    while (left < 0) {
        --year;
        left += DaysInYear(year);
    }
    while (left >= DaysInYear(year)) {
        left -= DaysInYear(year);
        ++year;
    }
    int month = 1;
    while (left >= DaysInMonth(year, month)) {
        left -= DaysInMonth(year, month);
        ++month;
    }
    return {year, month, static_cast<int>(left) + 1, 0, 0, 0};
}

// The nearest whole second of an OLE value, counted from day 0 on a continuous
// line: for negative values the fraction is the time of day forward from the
// start of the day the whole part names. Long double keeps the half-second
// boundary where the value puts it.
std::int64_t NearestSecond(DateTime time) {
    long double whole = std::trunc(static_cast<long double>(time));
    long double dayFraction = std::fabs(static_cast<long double>(time) - whole);
    long double seconds = (whole + dayFraction) * kSecondsPerDay;
    return static_cast<std::int64_t>(std::floor(seconds + 0.5L));
}

CivilTime ReferenceCivil(DateTime time) {
    time = std::clamp(time, kEarliestDateTime, kLatestDateTime);
    std::int64_t seconds = NearestSecond(time);
    std::int64_t day = seconds / kSecondsPerDay;
    std::int64_t secondOfDay = seconds % kSecondsPerDay;
    if (secondOfDay < 0) {
        secondOfDay += kSecondsPerDay;
        --day;
    }
    CivilTime civil = CivilFromDay(day);
    civil.hour = static_cast<int>(secondOfDay / 3600);
    civil.minute = static_cast<int>(secondOfDay / 60 % 60);
    civil.second = static_cast<int>(secondOfDay % 60);
    return civil;
}

bool Same(const CivilTime& a, const CivilTime& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour &&
           a.minute == b.minute && a.second == b.second;
}

std::string Show(const CivilTime& t) {
    return std::to_string(t.year) + "-" + std::to_string(t.month) + "-" + std::to_string(t.day) +
           " " + std::to_string(t.hour) + ":" + std::to_string(t.minute) + ":" +
           std::to_string(t.second);
}

// The decimal numbers of a text, in order; every unit word after a number is the
// same non-empty, digit-free run the format gives it.
std::vector<int> Numbers(const std::string& text) {
    std::vector<int> numbers;
    std::size_t i = 0;
    while (i < text.size()) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) {
            ++i;
            continue;
        }
        int n = 0;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
            n = n * 10 + (text[i] - '0');
            ++i;
        }
        numbers.push_back(n);
    }
    return numbers;
}

}  // namespace
}  // namespace quorvane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quorvane;
    using namespace quorvane::fuzz;

    FuzzInput input(data, size);
    DateTime time = input.Double();
    std::optional<int> format;
    if (input.Byte() & 1) {
        format = input.Int32();
    }
    if (std::isnan(time)) {
        return 0;  // no date at all; see tests/fuzz/findings/README
    }

    CivilTime civil = ToCivilTime(time);
    CivilTime expected = ReferenceCivil(time);
    FUZZ_CHECK(Same(civil, expected), "time %.17g gave %s, not %s", time, Show(civil).c_str(),
               Show(expected).c_str());

    // The fields name the same moment again, to the second.
    DateTime again = ToDateTime(civil);
    FUZZ_CHECK(Same(ToCivilTime(again), civil), "time %.17g: %s came back as %s", time,
               Show(civil).c_str(), Show(ToCivilTime(again)).c_str());

    std::string text = TimeToText(time, format);
    int style = std::clamp(format.value_or(1), 1, 3);
    std::vector<int> date = {civil.year, civil.month, civil.day};
    std::vector<int> clock = {civil.hour, civil.minute, civil.second};
    std::vector<int> shown;
    if (style == 3) {
        shown = clock;
    } else {
        shown = date;
        if (style == 1) {
            int units = civil.second != 0 ? 3 : civil.minute != 0 ? 2 : civil.hour != 0 ? 1 : 0;
            shown.insert(shown.end(), clock.begin(), clock.begin() + units);
        }
    }
    FUZZ_CHECK(Numbers(text) == shown, "time %.17g, format %d: %s for %s", time, style,
               Hex(text).c_str(), Show(civil).c_str());
    return 0;
}
