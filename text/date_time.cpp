#include "text/date_time.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace quorvane {
namespace {

constexpr int64_t kSecondsPerDay = 86400;
// 1970-01-01 is day 25569 of the OLE calendar.
constexpr int64_t kUnixEpochOleDay = 25569;

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
int64_t DaysFromCivil(int64_t year, int month, int day) {
    year -= month <= 2;
    int64_t era = (year >= 0 ? year : year - 399) / 400;
    int64_t yearOfEra = year - era * 400;
    int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(int64_t days, CivilTime& out) {
    days += 719468;
    int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    int64_t dayOfEra = days - era * 146097;
    int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    int64_t monthIndex = (5 * dayOfYear + 2) / 153;
    out.day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    out.month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    out.year = static_cast<int>(yearOfEra + era * 400 + (out.month <= 2));
}

// The OLE value as a moment on one continuous time line, in days from
// 30 December 1899 00:00. For negative values the fraction runs forward from the
// start of the day that the whole part names, not backward.
double LinearDays(DateTime time) {
    double whole = std::trunc(time);
    return time < 0 ? 2 * whole - time : time;
}

}  // namespace

DateTime ToDateTime(const CivilTime& time) {
    int64_t day = DaysFromCivil(time.year, time.month, time.day) + kUnixEpochOleDay;
    double fraction = (time.hour * 3600 + time.minute * 60 + time.second) /
                      static_cast<double>(kSecondsPerDay);
    // A negative day is counted toward zero, its time of day added as magnitude.
    return day < 0 ? static_cast<double>(day) - fraction : static_cast<double>(day) + fraction;
}

CivilTime ToCivilTime(DateTime time) {
    // NaN compares false with everything and would pass the clamp untouched;
    // it names no moment, so it shows as day 0.
    time = std::isnan(time) ? 0 : std::clamp(time, kEarliestDateTime, kLatestDateTime);
    // Rounding on the continuous line keeps a time just before midnight of a
    // pre-1900 day rounding into the next day, not two days back.
    auto seconds = static_cast<int64_t>(std::floor(LinearDays(time) * kSecondsPerDay + 0.5));
    int64_t days = seconds / kSecondsPerDay;
    if (seconds % kSecondsPerDay < 0) {
        --days;  // floor, not truncation, for moments before 30 December 1899
    }
    int64_t secondOfDay = seconds - days * kSecondsPerDay;

    CivilTime civil{};
    CivilFromDays(days - kUnixEpochOleDay, civil);
    civil.hour = static_cast<int>(secondOfDay / 3600);
    civil.minute = static_cast<int>(secondOfDay / 60 % 60);
    civil.second = static_cast<int>(secondOfDay % 60);
    return civil;
}

DateTime CurrentTime() { return ToDateTime(ReadLocalClock()); }

std::string TimeToText(DateTime time, std::optional<int> format) {
    int style = std::clamp(format.value_or(1), 1, 3);
    CivilTime t = ToCivilTime(time);

    char buffer[96];
    if (style == 3) {
        std::snprintf(buffer, sizeof buffer, "%d时%d分%d秒", t.hour, t.minute, t.second);
        return buffer;
    }
    int used = std::snprintf(buffer, sizeof buffer, "%d年%d月%d日", t.year, t.month, t.day);
    if (style == 1) {
        char* rest = buffer + used;
        size_t room = sizeof buffer - used;
        if (t.second != 0) {
            std::snprintf(rest, room, "%d时%d分%d秒", t.hour, t.minute, t.second);
        } else if (t.minute != 0) {
            std::snprintf(rest, room, "%d时%d分", t.hour, t.minute);
        } else if (t.hour != 0) {
            std::snprintf(rest, room, "%d时", t.hour);
        }
    }
    return buffer;
}

}  // namespace quorvane
